#pragma once

#include "dbfilebuilder.h"

#include <QMap>
#include <QString>

// Writes the example-sentence dictionary "fullword.db": table TWORD (word, esentence) with
// a unique index on word, one row per word.
class FullWordDBBuilder : public DBFileBuilder
{
public:
    bool build(const QString &path, const QMap<QString, QString> &sentences);
};
