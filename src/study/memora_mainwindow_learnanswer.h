#pragma once

#include "study/learnstate.h"
#include "ui_memora_mainwindow_learnanswer.h"

#include <QWidget>

class QTextDocument;

// The translation of the current word, hidden while the learner is being asked.
class Memora_MainWindow_LearnAnswer : public QWidget, public Ui::Memora_MainWindow_LearnAnswer
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_LearnAnswer(QWidget *parent = nullptr);

    // Shown as plain text; line breaks stay line breaks.
    void setAnswer(const QString &trans);
    QTextDocument *document() const { return m_document; }

public slots:
    void showInfo(MEMORA_LERAN::learnState state_t);

protected:
    void changeEvent(QEvent *event) override;

private:
    QTextDocument *m_document;
};
