#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The irregular forms of common English verbs, nouns, adjectives and adverbs, keyed as
// WordNetSentences::inflections expects them: "v:go" -> went, gone; "n:child" -> children;
// "a:good" -> better, best. Enough for the words of a course list; WordNet's exception
// files cover the rest of its lemmas.
class IrregularForms
{
public:
    static const QHash<QString, QStringList> &table();
};
