#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// Folder layout of the trainer. Every stored path is relative and begins with "/".
// Installation data (odata, images, programs) is read from the program folder. User data
// (udata, cache, temp) and the log live in the data folder: $XDG_DATA_HOME/memora (by
// default ~/.local/share/memora), or the program folder itself in a portable set-up (a
// file named "portable" in a program folder the learner can write). MEMORA_ROOT, when
// set, replaces the program folder and the data folder for every path.

// The folder that holds the program and its installation data.
QString programFolder();
// Makes programFolder() answer folder instead of the executable's folder (tools and tests
// that run against a prepared program folder); an empty folder restores the default.
// MEMORA_ROOT still takes precedence.
void setProgramFolder(const QString &folder);
// The folder that holds udata, cache, temp and the log (see above). Not created here.
QString dataFolder();
// Whether a program folder carries the portable marker file.
bool isPortableSetup(const QString &programFolder);
// Whether the learner may write into folder: its permission bits grant it to this user
// (even the superuser respects a folder made read-only) and a file can be created there.
bool folderIsWritableByUser(const QString &folder);
// folderIsWritableByUser(programFolder()): self-update can replace the program only then.
bool programFolderIsWritable();
// Moves programFolder/udata from an earlier run to dataFolder/udata when the data folder
// has none yet. Nothing is overwritten: the files are renamed, or copied into a staging
// folder that takes the name udata only when complete (the old folder is then removed as
// far as it can be). Returns true when the data folder received the old udata.
bool moveOldUserData(const QString &programFolder, const QString &dataFolder);
// Program folder (data folder for user data) + relative path, native separators. A file
// under "/odata/course" missing from the program folder but present in the data folder's
// own "odata/course" (an official course downloaded later) resolves to the latter.
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
