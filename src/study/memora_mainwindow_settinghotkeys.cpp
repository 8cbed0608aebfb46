#include "study/memora_mainwindow_settinghotkeys.h"

#include "app/settings.h"
#include "study/hotkeys.h"
#include "study/memora_hotkeysmodel.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QSettings>

Memora_MainWindow_SettingHotkeys::Memora_MainWindow_SettingHotkeys(QWidget *parent)
    : QWidget(parent), m_advanced(new Memora_HotkeysModel(this)),
      m_simple(new Memora_HotkeysModel(this))
{
    setupUi(this);
    m_advanced->setLists(loadHotkeysAdv());
    m_simple->setLists(loadHotkeysSim());
    taVi_actions->setModel(m_advanced);
    taVi_actions_nor->setModel(m_simple);
    for (QTableView *view : {taVi_actions, taVi_actions_nor}) {
        view->show();
        view->hideColumn(3);
        view->horizontalHeader()->setStretchLastSection(true);
    }
    liEd_hotkey->installEventFilter(this);
    liEd_hotkey_nor->installEventFilter(this);
    const int mode =
        g_pSettings ? g_pSettings->value(QStringLiteral("Advanced/SysMode"), 0).toInt() : 0;
    stackedWidget->setCurrentIndex(mode == 1 ? 1 : 0);
    connect(taVi_actions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Memora_MainWindow_SettingHotkeys::on_taVi_actions_clicked);
    connect(taVi_actions_nor->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Memora_MainWindow_SettingHotkeys::on_taVi_actions_nor_clicked);
}

Memora_MainWindow_SettingHotkeys::Page Memora_MainWindow_SettingHotkeys::advancedPage()
{
    return {m_advanced, taVi_actions, liEd_hotkey, rBtn_none, rBtn_default, rBtn_custom, false};
}

Memora_MainWindow_SettingHotkeys::Page Memora_MainWindow_SettingHotkeys::simplePage()
{
    return {m_simple,      taVi_actions_nor, liEd_hotkey_nor,
            rBtn_none_nor, rBtn_default_nor, rBtn_custom_nor,
            true};
}

void Memora_MainWindow_SettingHotkeys::restore(const Page &page)
{
    page.model->clearLists();
    page.model->setLists(page.simple ? loadDefaultHotkeysSim() : loadDefaultHotkeysAdv());
    page.view->setModel(page.model);
}

void Memora_MainWindow_SettingHotkeys::editorChanged(const Page &page, const QString &text)
{
    const QModelIndex current = page.view->currentIndex();
    if (!current.isValid())
        return;
    page.model->setHotkey(page.model->index(current.row(), 1), text, m_editedState);
}

void Memora_MainWindow_SettingHotkeys::chooseCustom(const Page &page)
{
    const QModelIndex current = page.view->currentIndex();
    if (!current.isValid())
        return;
    m_editedState = HOTKEY_CUSTOM;
    page.editor->setText(page.model->keyAt(current.row()));
    page.editor->setEnabled(true);
    page.editor->setFocus();
    page.model->setHotkey(page.model->index(current.row(), 1), page.editor->text(), HOTKEY_CUSTOM);
}

void Memora_MainWindow_SettingHotkeys::chooseDefault(const Page &page)
{
    const QModelIndex current = page.view->currentIndex();
    if (!current.isValid())
        return;
    m_editedState = HOTKEY_DEFAULT;
    const QString name = page.model->nameAt(current.row());
    page.editor->setText(page.simple ? defaultHotkeySim(name) : defaultHotkeyAdv(name));
    page.editor->setEnabled(false);
    page.model->setHotkey(page.model->index(current.row(), 1), page.editor->text(), HOTKEY_DEFAULT);
}

void Memora_MainWindow_SettingHotkeys::chooseNone(const Page &page)
{
    const QModelIndex current = page.view->currentIndex();
    if (!current.isValid())
        return;
    m_editedState = HOTKEY_NONE;
    page.editor->clear();
    page.editor->setEnabled(false);
    page.model->setHotkey(page.model->index(current.row(), 1), QString(), HOTKEY_NONE);
}

void Memora_MainWindow_SettingHotkeys::showRow(const Page &page, const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    // Showing the row must not write it back through the editor's change signal.
    m_editedState = page.model->stateAt(row);
    const QString key = page.model->keyAt(row);
    const bool blocked = page.editor->blockSignals(true);
    switch (m_editedState) {
    case HOTKEY_NONE:
        page.editor->clear();
        page.editor->setEnabled(false);
        page.none->setChecked(true);
        break;
    case HOTKEY_DEFAULT:
        page.editor->setText(key);
        page.editor->setEnabled(false);
        page.byDefault->setChecked(true);
        break;
    default:
        page.editor->setText(key);
        page.editor->setEnabled(true);
        page.custom->setChecked(true);
        break;
    }
    page.editor->blockSignals(blocked);
}

void Memora_MainWindow_SettingHotkeys::on_pBtn_default_clicked()
{
    restore(advancedPage());
}

void Memora_MainWindow_SettingHotkeys::on_pBtn_default_nor_clicked()
{
    restore(simplePage());
}

void Memora_MainWindow_SettingHotkeys::on_liEd_hotkey_textChanged(const QString &text)
{
    editorChanged(advancedPage(), text);
}

void Memora_MainWindow_SettingHotkeys::on_liEd_hotkey_nor_textChanged(const QString &text)
{
    editorChanged(simplePage(), text);
}

void Memora_MainWindow_SettingHotkeys::on_rBtn_custom_clicked(bool checked)
{
    if (checked)
        chooseCustom(advancedPage());
}

void Memora_MainWindow_SettingHotkeys::on_rBtn_custom_nor_clicked(bool checked)
{
    if (checked)
        chooseCustom(simplePage());
}

void Memora_MainWindow_SettingHotkeys::on_rBtn_default_clicked(bool checked)
{
    if (checked)
        chooseDefault(advancedPage());
}

void Memora_MainWindow_SettingHotkeys::on_rBtn_default_nor_clicked(bool checked)
{
    if (checked)
        chooseDefault(simplePage());
}

void Memora_MainWindow_SettingHotkeys::on_rBtn_none_clicked(bool checked)
{
    if (checked)
        chooseNone(advancedPage());
}

void Memora_MainWindow_SettingHotkeys::on_rBtn_none_nor_clicked(bool checked)
{
    if (checked)
        chooseNone(simplePage());
}

void Memora_MainWindow_SettingHotkeys::on_taVi_actions_clicked(const QModelIndex &index)
{
    showRow(advancedPage(), index);
}

void Memora_MainWindow_SettingHotkeys::on_taVi_actions_nor_clicked(const QModelIndex &index)
{
    showRow(simplePage(), index);
}

QString Memora_MainWindow_SettingHotkeys::keyText(int key, Qt::KeyboardModifiers modifiers,
                                                  const QString &text)
{
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
        key == Qt::Key_Alt || key == 0 || key == Qt::Key_unknown)
        return QString();
    int combined = key;
    const QChar first = text.isEmpty() ? QChar() : text.at(0);
    if ((modifiers & Qt::ShiftModifier) &&
        (text.isEmpty() || !first.isPrint() || first.isLetter() || first.isSpace()))
        combined |= Qt::SHIFT;
    if (modifiers & Qt::ControlModifier)
        combined |= Qt::CTRL;
    if (modifiers & Qt::AltModifier)
        combined |= Qt::ALT;
    if (modifiers & Qt::MetaModifier)
        combined |= Qt::META;
    return QKeySequence(combined).toString(QKeySequence::PortableText);
}

bool Memora_MainWindow_SettingHotkeys::captureKey(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = keyText(key->key(), key->modifiers(), key->text());
        if (!text.isEmpty())
            (stackedWidget->currentIndex() == 1 ? liEd_hotkey : liEd_hotkey_nor)->setText(text);
        return true;
    }
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
        return true;
    case QEvent::ShortcutOverride:
        event->accept();
        return true;
    default:
        return false;
    }
}

bool Memora_MainWindow_SettingHotkeys::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == liEd_hotkey || watched == liEd_hotkey_nor) && captureKey(event))
        return true;
    return QWidget::eventFilter(watched, event);
}
