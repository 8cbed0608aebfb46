#pragma once

#include "courseword.h"

#include <QList>
#include <QString>
#include <QStringList>

// Reads a course word list: UTF-8 text, "#" comments and blank lines ignored, every other
// line "headword<TAB>phonetic<TAB>translation<TAB>example sentence". Lines with the wrong
// number of fields, an empty headword, phonetic or translation, or a headword that came
// before are errors; the reader keeps going so that one run lists every fault.
class WordListReader
{
public:
    // Returns false when the file cannot be read or holds any error.
    bool read(const QString &fileName);
    // Parses text as if it were the file fileName (used in messages).
    bool parse(const QString &text, const QString &fileName);

    const QList<CourseWord> &words() const { return m_words; }
    // One message per fault: "file:line: what is wrong".
    const QStringList &errors() const { return m_errors; }
    // Words whose example sentence is not empty.
    int sentenceCount() const;

private:
    void addError(const QString &fileName, int line, const QString &message);

    QList<CourseWord> m_words;
    QStringList m_errors;
};
