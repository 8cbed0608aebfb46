#pragma once

#include "ui_memora_mainwindow_progressdialog.h"

#include <QDialog>

class OCourseDownMgr;

// Downloads one official course and shows its progress. Accepted when the course is
// installed; any failure shows its message and rejects the dialog, as does "取消".
class Memora_MainWindow_ProgressDialog : public QDialog,
                                         private Ui::Memora_MainWindow_ProgressDialog
{
    Q_OBJECT
public:
    // Starts the download of the course with file number mid at once.
    Memora_MainWindow_ProgressDialog(int mid, const QString &courseName, QWidget *parent = nullptr);
    ~Memora_MainWindow_ProgressDialog() override;

    // The message shown for a download result code (a network error code of the reply).
    static QString messageForCode(int code);

public Q_SLOTS:
    void setMinVal(qint64 value = 0);
    void setMaxVal(qint64 value = 100);
    void setCurVal(qint64 value = 0);
    void updateProgress(qint64 current, qint64 total);
    void finalResutl(int code);

private Q_SLOTS:
    void on_pBtn_Cancel_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyTexts();

    OCourseDownMgr *m_downMgr;
    QString m_courseName;
};
