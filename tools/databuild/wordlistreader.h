#pragma once

#include "courseword.h"
#include "sourcefilereader.h"

#include <QList>
#include <QString>
#include <QStringList>

class BlockList;

// Reads a course word list: UTF-8 text, "#" comments and blank lines ignored, every other
// line "headword<TAB>phonetic<TAB>translation<TAB>example sentence". Lines with the wrong
// number of fields, an empty headword, phonetic or translation, a headword that came
// before, or an entry that fails the checks of EntryChecker are errors and are left out;
// the reader keeps going so that one run lists every fault.
class WordListReader : public SourceFileReader
{
public:
    // The words no field may hold; none when not set. The list must outlive the reader.
    void setBlockList(const BlockList *blockList) { m_blockList = blockList; }
    bool parse(const QString &text, const QString &fileName) override;

    const QList<CourseWord> &words() const { return m_words; }
    // Words whose example sentence is not empty.
    int sentenceCount() const;

private:
    void clearEntries() override { m_words.clear(); }

    QList<CourseWord> m_words;
    const BlockList *m_blockList = nullptr;
};
