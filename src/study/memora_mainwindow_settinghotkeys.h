#pragma once

#include "ui_memora_mainwindow_settinghotkeys.h"

#include <QWidget>

class Memora_HotkeysModel;

// The hotkey page of the settings dialog: the simple set (page 0) and the advanced set
// (page 1), each with its table, the state of the selected action (none, default, custom)
// and a key editor that captures one key with its modifiers. Nothing is stored here: the
// settings dialog calls saveHotkeys with both models when it is accepted.
class Memora_MainWindow_SettingHotkeys : public QWidget, public Ui::Memora_MainWindow_SettingHotkeys
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_SettingHotkeys(QWidget *parent = nullptr);

    Memora_HotkeysModel *advancedModel() const { return m_advanced; }
    Memora_HotkeysModel *simpleModel() const { return m_simple; }

    // The text a key press gives in the key editor (empty for a lone modifier): Shift
    // counts only for letters, spaces and keys without printable text.
    static QString keyText(int key, Qt::KeyboardModifiers modifiers, const QString &text);

public slots:
    void on_pBtn_default_clicked();
    void on_pBtn_default_nor_clicked();
    void on_liEd_hotkey_textChanged(const QString &text);
    void on_liEd_hotkey_nor_textChanged(const QString &text);
    void on_rBtn_custom_clicked(bool checked);
    void on_rBtn_custom_nor_clicked(bool checked);
    void on_rBtn_default_clicked(bool checked);
    void on_rBtn_default_nor_clicked(bool checked);
    void on_rBtn_none_clicked(bool checked);
    void on_rBtn_none_nor_clicked(bool checked);
    void on_taVi_actions_clicked(const QModelIndex &index);
    void on_taVi_actions_nor_clicked(const QModelIndex &index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The widgets of one page.
    struct Page
    {
        Memora_HotkeysModel *model;
        QTableView *view;
        QLineEdit *editor;
        QRadioButton *none;
        QRadioButton *byDefault;
        QRadioButton *custom;
        bool simple;
    };
    Page advancedPage();
    Page simplePage();
    void restore(const Page &page);
    void editorChanged(const Page &page, const QString &text);
    void chooseCustom(const Page &page);
    void chooseDefault(const Page &page);
    void chooseNone(const Page &page);
    void showRow(const Page &page, const QModelIndex &index);
    bool captureKey(QEvent *event);

    Memora_HotkeysModel *m_advanced;
    Memora_HotkeysModel *m_simple;
    int m_editedState = 1;
};
