#pragma once

#include "dbfilebuilder.h"

#include <QString>
#include <QStringList>

// Reads the study tips (UTF-8 text, one tip a line, "#" comments and blank lines ignored)
// and writes "learnskill.db": table TSkill with id 1..N in file order and the tip as info.
class SkillDBBuilder : public DBFileBuilder
{
public:
    // The tips of a text; a line "\n" inside a tip stands for a line break.
    static QStringList parseTips(const QString &text);
    bool build(const QString &path, const QStringList &tips);
};
