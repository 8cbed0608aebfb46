#pragma once

#include <QStringList>

// Runs the updater for the command line (without the program's path) inside the running
// QApplication: 0 at once for fewer than five arguments, else the event loop's result.
int runUpdater(const QStringList &arguments);
