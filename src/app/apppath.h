#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// Folder layout of the trainer. Every stored path is relative and begins with "/".
// Installation data (odata, images, programs) is read from the program folder; user
// data (udata, cache, temp) and the log live there too when it is writable, otherwise
// under the user's XDG data folder. MEMORA_ROOT, when set, replaces the program folder.

// The folder that holds the program and its installation data.
QString programFolder();
// The folder that holds udata, cache, temp and the log.
QString dataFolder();
// Program folder (or data folder for user data) + relative path, native separators.
QString appPath(const QString &relativePath);
// Creates the folder appPath(relativePath) with all missing parents.
bool ensureAppDir(const QString &relativePath);
// appPath of the relative path, expressed relative to the current working folder.
QString appRelativePath(const QString &relativePath);
// Full paths (folder + "/" + entry) of the folder's entries matching the filter.
QStringList listFiles(const QString &folder, const QString &nameFilter);
// Returns after ms milliseconds, processing events meanwhile.
void waitMs(int ms);
// Writes everything readable from device into fileName (truncating it).
bool saveDeviceToFile(const QString &fileName, QIODevice *device);
// The log file: data folder + program file name + ".log".
QString logFilePath();
