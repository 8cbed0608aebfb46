#include "modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>

bool acceptMessageBox(QWidget *modal, QStringList &texts)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (!box)
        return false;
    texts << box->text();
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else if (QAbstractButton *yes = box->button(QMessageBox::Yes))
        yes->click();
    else
        box->reject();
    return true;
}

ModalAnswer::ModalAnswer(QMessageBox::StandardButton button) : m_button(button)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswer::poll);
    m_timer.start();
}

void ModalAnswer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_texts << box->text();
        m_titles << box->windowTitle();
        if (QAbstractButton *button = box->button(m_button))
            button->click();
        else
            box->reject();
    } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
        m_texts << input->labelText();
        input->setTextValue(m_input);
        if (m_input.isEmpty())
            input->reject();
        else
            input->accept();
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        m_texts << dialog->windowTitle();
        m_dialogs << QString::fromLatin1(dialog->metaObject()->className());
        dialog->reject();
    }
}
