#pragma once

#include "study/learnstate.h"
#include "ui_memora_mainwindow_learnoperate.h"

#include <QWidget>

class LearnMgr;

// The grading buttons of the study window, one page per study state. A button passes the
// learner's answer to the learning manager first and then asks for the state that follows.
class Memora_MainWindow_LearnOperate : public QWidget, public Ui::Memora_MainWindow_LearnOperate
{
    Q_OBJECT
public:
    // learnMgr: not owned; may be null (buttons then only change the state).
    explicit Memora_MainWindow_LearnOperate(LearnMgr *learnMgr, QWidget *parent = nullptr);
    // The study window drops the manager when it ends the session.
    void setLearnMgr(LearnMgr *learnMgr) { m_learnMgr = learnMgr; }

signals:
    void studyStateChanged(MEMORA_LERAN::learnState state);

public slots:
    void showAdvanced();
    void showSimple();
    void showInfo(MEMORA_LERAN::learnState state_t);

private slots:
    void on_pBtn_plain_clicked();
    void on_pBtn_dim_clicked();
    void on_pBtn_oblivious_clicked();
    void on_pBtn_knowWell_clicked();
    void on_pBtn_unknown_clicked();
    void on_pBtn_right_clicked();
    void on_pBtn_error_clicked();
    void on_pBtn_next_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void ask(int grade, MEMORA_LERAN::learnState next);

    LearnMgr *m_learnMgr;
};
