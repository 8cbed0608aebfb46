#include "updater/updaterprogram.h"

#include "updater/updatedialog.h"

#include <QApplication>

int runUpdater(const QStringList &arguments)
{
    if (arguments.size() < 5)
        return 0;
    UpdateDialog dialog;
    dialog.start(arguments);
    dialog.show();
    return QApplication::exec();
}
