// The updater program with a learner who answers every question with Yes: the same
// updater code as MlUpdate, for tests that follow an update from the trainer to its restart.
#include "modalanswer.h"
#include "updater/updaterprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ModalAnswer answer(QMessageBox::Yes);
    return runUpdater(app.arguments().mid(1));
}
