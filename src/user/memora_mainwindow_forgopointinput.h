#pragma once

#include "ui_memora_mainwindow_forgopointinput.h"

#include <QDialog>

// Edits one forgetting point as days, hours and minutes. A point of no time is refused
// with a warning and the dialog stays open.
class Memora_MainWindow_ForgoPointInput : public QDialog,
                                          public Ui::Memora_MainWindow_ForgoPointInput
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_ForgoPointInput(int seconds, QWidget *parent = nullptr);

    // days x 86400 + hours x 3600 + minutes x 60 of the spin boxes.
    int value() const;

private slots:
    void on_pBtn_ok_clicked();
    void on_pBtn_cancel_clicked();
};
