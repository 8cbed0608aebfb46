#pragma once

#include "app/psqlite.h"

#include <QString>

// The example-sentence dictionary "/odata/fullword.db", read only.
class FullWordDB : public psqlite
{
public:
    FullWordDB();
    // The example sentence of word (plain text), or the empty string.
    QString getESentence(const QString &word);
};
