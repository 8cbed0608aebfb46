// The updater program: downloads, unpacks and installs a new version of the trainer with
// the five arguments the trainer passes, then offers to start it again.
#include "updater/updaterprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runUpdater(app.arguments().mid(1));
}
