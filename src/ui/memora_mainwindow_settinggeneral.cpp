#include "ui/memora_mainwindow_settinggeneral.h"

#include "app/product.h"
#include "update/memora_mainwindow_update.h"

#include <QApplication>
#include <QMessageBox>

Memora_MainWindow_SettingGeneral::Memora_MainWindow_SettingGeneral(
    const QHash<QString, QVariant> &values, QWidget *parent)
    : QWidget(parent), m_values(values)
{
    setupUi(this);
    m_autoLogin = m_values.value(QStringLiteral("AutoLogin")).toBool();
    m_autoUpdate = m_values.value(QStringLiteral("AutoUpdate")).toBool();
    m_multiUser = m_values.value(QStringLiteral("Multi-User")).toBool();
    chBox_autoUpdate->setChecked(m_autoUpdate);
    chBox_multiUser->setChecked(m_multiUser);
    chBox_autoLogin->setChecked(m_autoLogin);
    chBox_autoLogin->setVisible(m_multiUser && m_autoLogin);
    chBox_sendStatistics->setChecked(m_values.value(QStringLiteral("SendStatistics")).toBool());
    gBox_general->hide();
    gBox_update->hide();
    connect(&m_updateMgr, &UpdateMgr::checkResult, this,
            &Memora_MainWindow_SettingGeneral::checkResult);
}

void Memora_MainWindow_SettingGeneral::on_pBtn_update_clicked()
{
    m_updateMgr.check();
}

void Memora_MainWindow_SettingGeneral::on_chBox_autoUpdate_clicked(bool checked)
{
    m_autoUpdate = checked;
    m_values.insert(QStringLiteral("AutoUpdate"), checked);
}

void Memora_MainWindow_SettingGeneral::on_chBox_autoLogin_clicked(bool checked)
{
    m_autoLogin = checked;
    m_values.insert(QStringLiteral("AutoLogin"), checked);
}

void Memora_MainWindow_SettingGeneral::on_chBox_multiUser_clicked(bool checked)
{
    m_multiUser = checked;
    m_values.insert(QStringLiteral("Multi-User"), checked);
    if (!checked) {
        m_autoLogin = false;
        m_values.insert(QStringLiteral("AutoLogin"), false);
        chBox_autoLogin->setChecked(false);
    }
}

void Memora_MainWindow_SettingGeneral::on_chBox_sendStatistics_clicked(bool checked)
{
    m_values.insert(QStringLiteral("SendStatistics"), checked);
}

void Memora_MainWindow_SettingGeneral::checkResult(bool bhaveNewVer)
{
    if (!bhaveNewVer) {
        QMessageBox::information(
            this, Product::displayName(),
            QStringLiteral("已经是最新版本（当前版本 %1）").arg(Product::versionNumber()),
            QMessageBox::Ok);
        return;
    }
    QWidget *mainWindow = window()->parentWidget() ? window()->parentWidget() : window();
    Memora_MainWindow_Update dialog(&m_updateMgr, mainWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!m_updateMgr.applyNewVer()) {
        QMessageBox::warning(this, Product::displayName(),
                             QStringLiteral("无法启动更新程序, 请稍后再试。"), QMessageBox::Ok);
        return;
    }
    // The updater replaces the program files; the trainer ends without saving the settings.
    if (mainWindow != window())
        mainWindow->close();
    QApplication::quit();
}
