#pragma once

#include "courseword.h"

#include <QList>
#include <QString>

// Writes one course word file ("<mid>.db", table TWORD) through CourseDB, so the file has
// exactly the trainer's TWORD table and unique word index. An existing file is replaced.
class CourseFileBuilder
{
public:
    // Returns false (with errorString) when the file cannot be written or when the table
    // does not end up holding every word once.
    bool build(const QString &path, const QList<CourseWord> &words);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
