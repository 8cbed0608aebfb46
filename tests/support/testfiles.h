#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Files for tests that install or update programs.
namespace TestFiles {

// Writes content to path, making missing folders; a content starting with "#!" is made
// executable. False when the file could not be written.
bool write(const QString &path, const QByteArray &content);
// The whole file, empty when it cannot be read.
QByteArray read(const QString &path);
// A zip archive made by the real zip program from files (relative path -> content).
QByteArray zip(const QMap<QString, QByteArray> &files);

} // namespace TestFiles
