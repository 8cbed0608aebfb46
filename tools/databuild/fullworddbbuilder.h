#pragma once

#include "dbfilebuilder.h"

#include <QMap>
#include <QString>

// Writes the example-sentence dictionary "fullword.db": table TWORD (word, esentence) with
// a unique index on word, one row per word.
class FullWordDBBuilder : public DBFileBuilder
{
public:
    static const char *const kCreateTable;
    static const char *const kCreateIndex;

    bool build(const QString &path, const QMap<QString, QString> &sentences);
};
