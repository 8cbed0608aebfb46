#pragma once

#include "ui_memora_mainwindow_studyparameter.h"

#include <QDialog>
#include <QList>

class LearnSetMgr;
class Memora_ForgottenPointModel;

// The study parameters of the course being opened: free or plan mode, the plan's new words
// per day and the forgetting points. Everything is stored on OK through the course's
// settings; the session being opened keeps the values it was created with.
class Memora_MainWindow_StudyParameter : public QDialog, public Ui::Memora_MainWindow_StudyParameter
{
    Q_OBJECT
public:
    // settings: the learning settings of the study window's session; not owned.
    Memora_MainWindow_StudyParameter(LearnSetMgr *settings, const QString &userName, int courseId,
                                     QWidget *parent = nullptr);
    ~Memora_MainWindow_StudyParameter() override;

    Memora_ForgottenPointModel *pointModel() const { return m_model; }

private slots:
    void on_rBtn_freeMode_clicked(bool checked);
    void on_rBtn_planMode_clicked(bool checked);
    void on_pBtn_add_clicked();
    void on_pBtn_modify_clicked();
    void on_pBtn_del_clicked();
    void on_tBtn_up_clicked();
    void on_tBtn_down_clicked();
    void on_taVi_forgottenPoint_clicked(const QModelIndex &index);
    void on_pBtn_OK_clicked();
    void on_pBtn_Cancel_clicked();

private:
    void showFreeMode();
    void showPlanMode();
    void selectRow(int row);
    // The current row; row 0 is made current when there is none (and the list has rows).
    int currentOrFirstRow();

    LearnSetMgr *m_settings;
    QString m_userName;
    int m_courseId;
    int m_mode = 1;
    int m_wordsPerDay = 100;
    Memora_ForgottenPointModel *m_model;
};
