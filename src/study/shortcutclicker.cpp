#include "study/shortcutclicker.h"

#include <QAbstractButton>
#include <QShortcutEvent>

ShortcutClicker::ShortcutClicker(QObject *parent) : QObject(parent) {}

void ShortcutClicker::watch(QAbstractButton *button)
{
    button->installEventFilter(this);
}

bool ShortcutClicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (button && !static_cast<QShortcutEvent *>(event)->isAmbiguous() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
