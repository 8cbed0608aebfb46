#include "ui/memora_mainwindow_setttingthemes.h"

#include <QDir>
#include <QFileDialog>

Memora_MainWindow_SetttingThemes::Memora_MainWindow_SetttingThemes(
    const QHash<QString, QVariant> &values, QWidget *parent)
    : QWidget(parent), m_values(values)
{
    setupUi(this);
    m_path = m_values.value(QStringLiteral("MBGPath")).toString();
    m_mode = m_values.value(QStringLiteral("MBGMode")).toBool();
    liEdit_mainBG->setText(m_path);
    if (m_mode) {
        rBtn_mainBG->setChecked(true);
    } else {
        rBtn_none->setChecked(true);
        setPictureControlsEnabled(false);
    }
}

void Memora_MainWindow_SetttingThemes::setPictureControlsEnabled(bool enabled)
{
    liEdit_mainBG->setEnabled(enabled);
    tBtn_mainBG->setEnabled(enabled);
}

void Memora_MainWindow_SetttingThemes::on_tBtn_mainBG_clicked()
{
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("请选择背景图像"), QString(), QStringLiteral("Image Files (*.png)"));
    if (file.isEmpty())
        return;
    liEdit_mainBG->setText(QDir::toNativeSeparators(file));
    m_path = file;
    m_values.insert(QStringLiteral("MBGPath"), file);
}

void Memora_MainWindow_SetttingThemes::on_rBtn_mainBG_clicked(bool checked)
{
    if (!checked)
        return;
    setPictureControlsEnabled(true);
    m_mode = true;
    m_values.insert(QStringLiteral("MBGMode"), true);
}

void Memora_MainWindow_SetttingThemes::on_rBtn_none_clicked(bool checked)
{
    if (!checked)
        return;
    setPictureControlsEnabled(false);
    m_mode = false;
    m_values.insert(QStringLiteral("MBGMode"), false);
}

void Memora_MainWindow_SetttingThemes::on_liEdit_mainBG_textEdited(const QString &text)
{
    m_path = text.trimmed();
    m_values.insert(QStringLiteral("MBGPath"), m_path);
}
