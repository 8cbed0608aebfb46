#pragma once

#include "course/courseconvertbase.h"

class FullWordDB;

// Converter of the word book the Youdao dictionary exports (XML, root "wordbook").
//
// The file is read as a stream, so memory stays constant whatever its size. Nothing is
// created or opened when the file cannot be read, its root is not "wordbook" or it has
// no items. All words of one call are written in one transaction: a cancelled call rolls
// it back (and a new course file is removed), so the course is as before. Items after
// an XML error are not read; those before it are stored. Each word's example sentence
// comes from the example-sentence dictionary; words are stored exactly as in the file
// (trimmed), and a word already in the course keeps its first row.
class CourseConvertYoudao : public CourseConvertBase
{
    Q_OBJECT
public:
    // sentences: the example-sentence dictionary; the process-wide one when null (or,
    // without that, the installed file opened for the call).
    explicit CourseConvertYoudao(FullWordDB *sentences = nullptr, QObject *parent = nullptr);

    int startConvert(const QString &source, const QString &target) override;
    int startMerge(const QString &source, const QString &target) override;

private:
    int run(const QString &source, const QString &target, bool merge);

    FullWordDB *m_sentences;
};
