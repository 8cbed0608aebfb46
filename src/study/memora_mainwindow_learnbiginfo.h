#pragma once

#include "study/learnstate.h"
#include "ui_memora_mainwindow_learnbiginfo.h"

#include <QWidget>

class QTextDocument;

// The example sentence of the current word, or a blank page while examples are switched off.
class Memora_MainWindow_LearnBigInfo : public QWidget, public Ui::Memora_MainWindow_LearnBigInfo
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_LearnBigInfo(QWidget *parent = nullptr);

    // Shown as plain text; line breaks stay line breaks.
    void setExample(const QString &esentence);
    // true: the example page; false: the blank page.
    void showExample(bool show);
    QTextDocument *document() const;

public slots:
    void showInfo(MEMORA_LERAN::learnState state_t);
    void on_chBox_example_clicked(bool checked);

protected:
    void changeEvent(QEvent *event) override;
};
