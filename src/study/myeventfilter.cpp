#include "study/myeventfilter.h"

#include <QEvent>

MyEventFilter::MyEventFilter(QObject *parent) : QObject(parent) {}

bool MyEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ContextMenu:
        event->ignore();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseMove:
        emit resetMyTimer();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
