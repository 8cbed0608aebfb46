#pragma once

#include "ui_memora_mainwindow_setttingthemes.h"

#include <QHash>
#include <QVariant>
#include <QWidget>

// The themes page of the settings dialog: the main window's background picture and
// whether it is drawn. It edits a copy of the dialog's "Themes" values ("MBGPath",
// "MBGMode"); turning the picture off keeps its path.
class Memora_MainWindow_SetttingThemes : public QWidget,
                                         private Ui::Memora_MainWindow_SetttingThemes
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_SetttingThemes(const QHash<QString, QVariant> &values,
                                              QWidget *parent = nullptr);

    QHash<QString, QVariant> values() const { return m_values; }

public Q_SLOTS:
    void on_tBtn_mainBG_clicked();
    void on_rBtn_mainBG_clicked(bool checked);
    void on_rBtn_none_clicked(bool checked);
    void on_liEdit_mainBG_textEdited(const QString &text);

private:
    void setPictureControlsEnabled(bool enabled);

    QHash<QString, QVariant> m_values;
    QString m_path;
    bool m_mode = true;
};
