#include "dbfilebuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool DBFileBuilder::removeOldFile(const QString &path, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (QFile::exists(path) && !QFile::remove(path)) {
        *error = QStringLiteral("%1: cannot replace the old file").arg(path);
        return false;
    }
    return true;
}

bool DBFileBuilder::createFile(const QString &path)
{
    m_error.clear();
    if (!removeOldFile(path, &m_error))
        return false;
    if (!open(path, QString())) {
        m_error = QStringLiteral("%1: cannot be created").arg(path);
        return false;
    }
    return true;
}
