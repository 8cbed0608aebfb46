#pragma once

#include "sourcefilereader.h"

#include <QSet>
#include <QString>

// Words that must never reach a learner: one lower-case word a line, "#" comments and blank
// lines ignored. Every form is listed on its own ("curse", "cursed"): a word matches only as
// a whole word, case-insensitively, so that harmless words that merely contain a listed one
// stay untouched.
class BlockList : public SourceFileReader
{
public:
    bool parse(const QString &text, const QString &fileName) override;

    bool isEmpty() const { return m_words.isEmpty(); }
    int size() const { return int(m_words.size()); }
    bool contains(const QString &word) const { return m_words.contains(word.toLower()); }
    // The first listed word found in text as a whole word (letters on neither side), or
    // an empty string.
    QString firstMatch(const QString &text) const;

private:
    void clearEntries() override { m_words.clear(); }

    QSet<QString> m_words;
};
