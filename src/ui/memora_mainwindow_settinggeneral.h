#pragma once

#include "ui_memora_mainwindow_settinggeneral.h"
#include "update/updatemgr.h"

#include <QHash>
#include <QVariant>
#include <QWidget>

// The general page of the settings dialog: multi-user mode, automatic login, automatic
// update, sending usage statistics, and the manual update check. It edits a copy of the
// dialog's "Common" values ("Multi-User", "AutoUpdate", "AutoLogin", "SendStatistics");
// only the update check acts at once.
class Memora_MainWindow_SettingGeneral : public QWidget,
                                         private Ui::Memora_MainWindow_SettingGeneral
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_SettingGeneral(const QHash<QString, QVariant> &values,
                                              QWidget *parent = nullptr);

    QHash<QString, QVariant> values() const { return m_values; }
    UpdateMgr *updateMgr() { return &m_updateMgr; }

public Q_SLOTS:
    void on_pBtn_update_clicked();
    void on_chBox_autoUpdate_clicked(bool checked);
    void on_chBox_autoLogin_clicked(bool checked);
    void on_chBox_multiUser_clicked(bool checked);
    void on_chBox_sendStatistics_clicked(bool checked);
    void checkResult(bool bhaveNewVer);

private:
    QHash<QString, QVariant> m_values;
    bool m_autoUpdate = true;
    bool m_multiUser = false;
    bool m_autoLogin = false;
    UpdateMgr m_updateMgr;
};
