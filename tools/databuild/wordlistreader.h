#pragma once

#include "courseword.h"
#include "sourcefilereader.h"

#include <QList>
#include <QString>
#include <QStringList>

// Reads a course word list: UTF-8 text, "#" comments and blank lines ignored, every other
// line "headword<TAB>phonetic<TAB>translation<TAB>example sentence". Lines with the wrong
// number of fields, an empty headword, phonetic or translation, or a headword that came
// before are errors; the reader keeps going so that one run lists every fault.
class WordListReader : public SourceFileReader
{
public:
    bool parse(const QString &text, const QString &fileName) override;

    const QList<CourseWord> &words() const { return m_words; }
    // Words whose example sentence is not empty.
    int sentenceCount() const;

private:
    void clearEntries() override { m_words.clear(); }

    QList<CourseWord> m_words;
};
