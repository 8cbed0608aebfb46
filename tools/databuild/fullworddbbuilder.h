#pragma once

#include "app/psqlite.h"

#include <QMap>
#include <QString>

// Writes the example-sentence dictionary "fullword.db": table TWORD (word, esentence) with
// a unique index on word, one row per word.
class FullWordDBBuilder : public psqlite
{
public:
    static const char *const kCreateTable;
    static const char *const kCreateIndex;

    bool build(const QString &path, const QMap<QString, QString> &sentences);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
