#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// One TWORD row: column name ("id", "word", "phonetic", "trans", "esentence", "other")
// to value.
typedef QMap<QString, QVariant> WordInfo;
