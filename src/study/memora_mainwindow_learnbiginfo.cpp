#include "study/memora_mainwindow_learnbiginfo.h"

#include <QEvent>
#include <QTextDocument>

Memora_MainWindow_LearnBigInfo::Memora_MainWindow_LearnBigInfo(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
    // The study window's options menu carries this switch.
    chBox_example->hide();
    stWidget_example->setCurrentIndex(0);
}

void Memora_MainWindow_LearnBigInfo::setExample(const QString &esentence)
{
    teEdit_example->setPlainText(esentence);
}

void Memora_MainWindow_LearnBigInfo::showExample(bool show)
{
    stWidget_example->setCurrentWidget(show ? page_example : page_blank);
}

QTextDocument *Memora_MainWindow_LearnBigInfo::document() const
{
    return teEdit_example->document();
}

void Memora_MainWindow_LearnBigInfo::showInfo(MEMORA_LERAN::learnState state_t)
{
    if (state_t == MEMORA_LERAN::STATE_ASK)
        teEdit_example->hide();
    else if (state_t == MEMORA_LERAN::STATE_CONFIRM || state_t == MEMORA_LERAN::STATE_LEARN)
        teEdit_example->show();
}

void Memora_MainWindow_LearnBigInfo::on_chBox_example_clicked(bool checked)
{
    showExample(checked);
}

void Memora_MainWindow_LearnBigInfo::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        chBox_example->hide();
    }
    QWidget::changeEvent(event);
}
