#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// When modal is a message box: records its text in texts and presses OK, else Yes, else
// closes it. Returns whether it was one.
bool acceptMessageBox(QWidget *modal, QStringList &texts);

// Answers the message boxes (and other modal dialogs) that the code under test opens:
// while it lives, every modal widget that appears is recorded and closed, a message box
// with the button given. texts() lists what the message boxes said, in order.
class ModalAnswer : public QObject
{
    Q_OBJECT

public:
    explicit ModalAnswer(QMessageBox::StandardButton button = QMessageBox::Ok);

    QStringList texts() const { return m_texts; }
    // The window titles of the message boxes, in order.
    QStringList titles() const { return m_titles; }
    // The class names of the other modal dialogs (neither message nor input boxes).
    QStringList dialogs() const { return m_dialogs; }
    QString lastText() const { return m_texts.value(m_texts.size() - 1); }
    int count() const { return m_texts.size(); }
    void setButton(QMessageBox::StandardButton button) { m_button = button; }
    // Input dialogs get this text and are accepted (rejected while it is empty).
    void setInputText(const QString &text) { m_input = text; }

private:
    void poll();

    QTimer m_timer;
    QMessageBox::StandardButton m_button;
    QStringList m_texts;
    QStringList m_titles;
    QStringList m_dialogs;
    QString m_input;
};
