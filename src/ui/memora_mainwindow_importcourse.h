#pragma once

#include "ui_memora_mainwindow_importcourse.h"

#include <QDialog>

class CourseConvertMgr;
class UCategoryCourseDB;

// Imports a word book as a new user course of one category, or merges it into one of
// that category's courses. Accepted when words were imported (the catalogue then holds
// the course's word count); a book that yields no words is reported and rejects the
// dialog, and a new course that got no words is removed from the catalogue again, so its
// name stays free. Closing the dialog while a book is read cancels the import.
class Memora_MainWindow_ImportCourse : public QDialog, private Ui::Memora_MainWindow_ImportCourse
{
    Q_OBJECT
public:
    Memora_MainWindow_ImportCourse(UCategoryCourseDB *catalogue, int categoryId,
                                   QWidget *parent = nullptr);
    ~Memora_MainWindow_ImportCourse() override;

public Q_SLOTS:
    void updateProgress(qint64 current, qint64 total);
    void reject() override;

private Q_SLOTS:
    void on_tBtn_browse_clicked();
    void on_rBtn_import_clicked(bool checked);
    void on_rBtn_merget_clicked(bool checked);
    void on_pBtn_import_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void importNew();
    void importMerge();
    // The source file, or empty after warning about it.
    QString sourceFile();
    void warn(const QString &text);

    UCategoryCourseDB *m_catalogue;
    int m_categoryId;
    CourseConvertMgr *m_convertMgr;
    bool m_importing = false;
};
