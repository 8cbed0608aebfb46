#include "ui/memora_mainwindow_settingadvanced.h"

Memora_MainWindow_settingAdvanced::Memora_MainWindow_settingAdvanced(
    const QHash<QString, QVariant> &values, QWidget *parent)
    : QWidget(parent), m_values(values)
{
    setupUi(this);
    m_mode = m_values.value(QStringLiteral("SysMode")).toInt();
    if (m_mode > 1 || m_mode < 0)
        m_mode = 0;
    m_values.insert(QStringLiteral("SysMode"), m_mode);
    coBox_studyMode->setCurrentIndex(m_mode);
}

void Memora_MainWindow_settingAdvanced::on_coBox_studyMode_currentIndexChanged(int index)
{
    m_mode = index;
    m_values.insert(QStringLiteral("SysMode"), index);
}
