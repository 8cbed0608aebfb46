#include "study/memora_mainwindow_learnanswer.h"

#include <QEvent>
#include <QTextDocument>

Memora_MainWindow_LearnAnswer::Memora_MainWindow_LearnAnswer(QWidget *parent)
    : QWidget(parent), m_document(new QTextDocument(this))
{
    setupUi(this);
    m_document->setDefaultFont(teEdit_answerTxt->font());
    teEdit_answerTxt->setDocument(m_document);
    m_document->setUndoRedoEnabled(false);
}

void Memora_MainWindow_LearnAnswer::setAnswer(const QString &trans)
{
    m_document->setPlainText(trans);
}

void Memora_MainWindow_LearnAnswer::showInfo(MEMORA_LERAN::learnState state_t)
{
    if (state_t == MEMORA_LERAN::STATE_ASK)
        teEdit_answerTxt->hide();
    else if (state_t == MEMORA_LERAN::STATE_CONFIRM || state_t == MEMORA_LERAN::STATE_LEARN)
        teEdit_answerTxt->show();
}

void Memora_MainWindow_LearnAnswer::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
    QWidget::changeEvent(event);
}
