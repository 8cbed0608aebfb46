#pragma once

#include "ui_memora_mainwindow_settingadvanced.h"

#include <QHash>
#include <QVariant>
#include <QWidget>

// The advanced page of the settings dialog: the system mode ("SysMode": 0 simple,
// 1 standard). It edits a copy of the dialog's "Advanced" values; a stored mode outside
// 0..1 is shown and saved as 0.
class Memora_MainWindow_settingAdvanced : public QWidget,
                                          public Ui::Memora_MainWindow_settingAdvanced
{
    Q_OBJECT
public:
    explicit Memora_MainWindow_settingAdvanced(const QHash<QString, QVariant> &values,
                                               QWidget *parent = nullptr);

    QHash<QString, QVariant> values() const { return m_values; }

public Q_SLOTS:
    void on_coBox_studyMode_currentIndexChanged(int index);

private:
    QHash<QString, QVariant> m_values;
    int m_mode = 0;
};
