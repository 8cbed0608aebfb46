#pragma once

#include "app/psqlite.h"

#include <QString>

// Base of the builders that write one SQLite file from scratch: an old file at the path is
// replaced, never added to.
class DBFileBuilder : public psqlite
{
public:
    QString errorString() const { return m_error; }

    // Makes the folder of path and removes an old file there; false (with *error) when the
    // old file stays.
    static bool removeOldFile(const QString &path, QString *error);

protected:
    // Clears the error, replaces any old file at path and opens a new database there; false
    // (with errorString) when that fails.
    bool createFile(const QString &path);

    QString m_error;
};
