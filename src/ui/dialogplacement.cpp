#include "ui/dialogplacement.h"

#include <QWidget>

void centreOverMainWindow(QWidget *dialog)
{
    const QWidget *parent = dialog->parentWidget();
    if (!parent)
        return;
    const QWidget *main = parent->window();
    dialog->move(main->x() + (main->width() - dialog->width()) / 2,
                 main->y() + (main->height() - dialog->height()) / 2);
}
