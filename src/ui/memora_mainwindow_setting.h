#pragma once

#include "ui_memora_mainwindow_setting.h"

#include <QDialog>
#include <QHash>
#include <QVariant>

class Memora_MainWindow_SettingGeneral;
class Memora_MainWindow_SettingHotkeys;
class Memora_MainWindow_SettingStudy;
class Memora_MainWindow_settingAdvanced;
class Memora_MainWindow_SetttingThemes;

// The settings dialog: general, speech, hotkey, advanced and themes pages. The pages edit
// copies of the global settings; nothing is written before OK, which writes every key of
// the dialog group by group (and the hotkeys); Cancel leaves the settings file untouched.
// It lives in the window layer because it hosts the hotkey page of the study window and
// the update check.
class Memora_MainWindow_Setting : public QDialog, private Ui::Memora_MainWindow_Setting
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_Setting(QWidget *parent = nullptr);
    ~Memora_MainWindow_Setting() override;

    Memora_MainWindow_SettingGeneral *generalPage() const { return m_general; }

public Q_SLOTS:
    void on_pBtn_OK_clicked();
    void on_pBtn_OK_Cancel_clicked();

private:
    QHash<QString, QVariant> m_common;
    QHash<QString, QVariant> m_loginInfo;
    QHash<QString, QVariant> m_learn;
    QHash<QString, QVariant> m_advanced;
    QHash<QString, QVariant> m_themes;
    Memora_MainWindow_SettingGeneral *m_general = nullptr;
    Memora_MainWindow_SettingHotkeys *m_hotkeys = nullptr;
    Memora_MainWindow_SettingStudy *m_speech = nullptr;
    Memora_MainWindow_settingAdvanced *m_advancedPage = nullptr;
    Memora_MainWindow_SetttingThemes *m_themesPage = nullptr;
};
