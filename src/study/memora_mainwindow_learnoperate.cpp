#include "study/memora_mainwindow_learnoperate.h"

#include "app/apppath.h"
#include "learn/learncodes.h"
#include "learn/learnmgr.h"

#include <QEvent>
#include <QFile>

Memora_MainWindow_LearnOperate::Memora_MainWindow_LearnOperate(LearnMgr *learnMgr, QWidget *parent)
    : QWidget(parent), m_learnMgr(learnMgr)
{
    setupUi(this);
    stackedWidget_operateState->setObjectName(QStringLiteral("main"));
    stackedWidget_operateState->setStyleSheet(
        QStringLiteral("#main {background-image:url(%1)}")
            .arg(appRelativePath(QStringLiteral("/images/bg_study.png"))));
    QFile sheet(appPath(QStringLiteral("/images/learnoperate.qss")));
    if (sheet.open(QIODevice::ReadOnly))
        setStyleSheet(tr(sheet.readAll().constData()));
}

void Memora_MainWindow_LearnOperate::showAdvanced()
{
    pBtn_knowWell->show();
    pBtn_dim->show();
    pBtn_unknown->show();
}

void Memora_MainWindow_LearnOperate::showSimple()
{
    pBtn_knowWell->hide();
    pBtn_dim->hide();
    pBtn_unknown->hide();
}

void Memora_MainWindow_LearnOperate::showInfo(MEMORA_LERAN::learnState state_t)
{
    switch (state_t) {
    case MEMORA_LERAN::STATE_ASK:
        stackedWidget_operateState->setCurrentIndex(0);
        break;
    case MEMORA_LERAN::STATE_CONFIRM:
        stackedWidget_operateState->setCurrentIndex(1);
        break;
    case MEMORA_LERAN::STATE_LEARN:
        stackedWidget_operateState->setCurrentIndex(2);
        break;
    }
}

void Memora_MainWindow_LearnOperate::ask(int grade, MEMORA_LERAN::learnState next)
{
    if (m_learnMgr)
        m_learnMgr->answerAsk(grade);
    emit studyStateChanged(next);
}

void Memora_MainWindow_LearnOperate::on_pBtn_plain_clicked()
{
    ask(LearnCode::Plain, MEMORA_LERAN::STATE_CONFIRM);
}

void Memora_MainWindow_LearnOperate::on_pBtn_dim_clicked()
{
    ask(LearnCode::Dim, MEMORA_LERAN::STATE_CONFIRM);
}

void Memora_MainWindow_LearnOperate::on_pBtn_oblivious_clicked()
{
    ask(LearnCode::Oblivious, MEMORA_LERAN::STATE_LEARN);
}

void Memora_MainWindow_LearnOperate::on_pBtn_knowWell_clicked()
{
    ask(LearnCode::KnowWell, MEMORA_LERAN::STATE_ASK);
}

void Memora_MainWindow_LearnOperate::on_pBtn_unknown_clicked()
{
    ask(LearnCode::Unknown, MEMORA_LERAN::STATE_LEARN);
}

void Memora_MainWindow_LearnOperate::on_pBtn_right_clicked()
{
    if (m_learnMgr)
        m_learnMgr->answerConfirm(LearnCode::Right);
    emit studyStateChanged(MEMORA_LERAN::STATE_ASK);
}

void Memora_MainWindow_LearnOperate::on_pBtn_error_clicked()
{
    if (m_learnMgr)
        m_learnMgr->answerConfirm(LearnCode::Error);
    emit studyStateChanged(MEMORA_LERAN::STATE_LEARN);
}

void Memora_MainWindow_LearnOperate::on_pBtn_next_clicked()
{
    if (m_learnMgr)
        m_learnMgr->answerLearn(LearnCode::Next);
    emit studyStateChanged(MEMORA_LERAN::STATE_ASK);
}

void Memora_MainWindow_LearnOperate::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
    QWidget::changeEvent(event);
}
