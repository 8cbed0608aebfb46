#include "user/memora_mainwindow_forgopointinput.h"

#include "app/product.h"

#include <QGuiApplication>
#include <QMessageBox>

Memora_MainWindow_ForgoPointInput::Memora_MainWindow_ForgoPointInput(int seconds, QWidget *parent)
    : QDialog(parent)
{
    setupUi(this);
    spBox_day->setValue(seconds / 86400);
    spBox_hour->setValue((seconds % 86400) / 3600);
    spBox_minute->setValue((seconds % 3600) / 60);
}

int Memora_MainWindow_ForgoPointInput::value() const
{
    return spBox_day->value() * 86400 + spBox_hour->value() * 3600 + spBox_minute->value() * 60;
}

void Memora_MainWindow_ForgoPointInput::on_pBtn_ok_clicked()
{
    if (value() > 0) {
        accept();
        return;
    }
    QMessageBox::warning(this, Product::displayName(),
                         tr("遗忘点不能小于或等于零时间，请重新输入遗忘点或放弃输入！"));
}

void Memora_MainWindow_ForgoPointInput::on_pBtn_cancel_clicked()
{
    reject();
}
