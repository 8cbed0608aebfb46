#pragma once

#include "learn/learncoursedbbase.h"

#include <QList>

#include <functional>

// The ids of a course's words, read only when a record has to be filled.
using CourseWordIds = std::function<QList<int>()>;

// A learning record in a file ("/udata/<user>/<o|u><course number>.ldb").
//
// Guarantees: a file that does not exist yet is created with the record's tables and, when
// the course's word ids are given, one new row per course word. An empty file (0 bytes) is
// made anew the same way when the word ids are given; without them it is left empty (its
// queries read 0), so a reader cannot turn it into a record without words. An existing
// file is used as it is: no words added or removed, except that a record without any word
// of a course that has words is filled (a session killed between creation and fill in
// older versions left it so). Creation and fill are one transaction. A file that is not a
// readable record is left untouched; its queries read 0.
class LearnCourseDB : public LearnCourseDBBase
{
public:
    // path: full native path. The connection is named after the path. wordIds may be empty
    // when the file is known to exist (reports and course lists read records so).
    explicit LearnCourseDB(const QString &path, CourseWordIds wordIds = {});
    ~LearnCourseDB() override;

    QString path() const { return m_recordPath; }
    // The file was created (and filled) by this object.
    bool wasCreated() const { return m_created; }

private:
    // No table at all, or a TSTUDYWORD without rows.
    bool isWordless();

    QString m_recordPath;
    bool m_created;
};
