#include "course/memora_tableviewcourselist.h"

#include <QMouseEvent>

Memora_tableViewCourseList::Memora_tableViewCourseList(QWidget *parent) : QTableView(parent) {}

void Memora_tableViewCourseList::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        QTableView::mouseDoubleClickEvent(event);
        event->accept();
    } else {
        event->ignore();
    }
}
