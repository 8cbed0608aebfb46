#pragma once

#include "learn/learncoursedbbase.h"

#include <QSqlQuery>

#include <memory>

// A learning record in an in-memory database, loaded as a copy of a file record; a study
// session works on it and writes its journal back to the file.
//
// Besides the record's own tables and index it carries three partial indexes so that
// drawing a word does not scan the course: words in learning by Fp and LastTime, by Fp and
// the Julian day of LastTime, and new words in table order. They change no query result.
class LearnCourseDBMemory : public LearnCourseDBBase
{
public:
    static const char *const kCreateDueIndex;
    static const char *const kCreateDueAtIndex;
    static const char *const kCreateNewIndex;
    static const char *const kFirstFp;
    static const char *const kNextFp;
    static const char *const kGroupHasDueWord;
    static const char *const kDueWordOfGroup;
    // More Fp values than this among the words in learning: the plain due-word statement.
    static const int kMaxFpGroups = 64;

    // Opens ":memory:" under connectionName and creates the tables.
    explicit LearnCourseDBMemory(const QString &connectionName);
    ~LearnCourseDBMemory() override;

    // Copies every TSTUDYWORD row of source (other tables are not copied) in one
    // transaction: numbers as they are (NULL becomes 0), LastTime as text (NULL becomes "").
    // Meant for a fresh record. Returns the number of rows copied.
    int copyFrom(LearnCourseDBBase &source);

    // The same word as the file record's statement gives, found group by group: for each Fp
    // among the words in learning, smallest first, the word with the earliest Julian day of
    // LastTime is the most overdue of its group; when it is due, the group's first due
    // word in LastTime order is the answer. Words of one Fp are due exactly when their
    // LastTime is early enough, so no group is skipped that holds a due word. A handful of
    // index look-ups per draw instead of a pass over every word in learning.
    int nextDueWord() override;

private:
    // The draw's statements, prepared once on first use.
    bool prepareDrawQueries();

    std::unique_ptr<QSqlQuery> m_firstFp;
    std::unique_ptr<QSqlQuery> m_probe;
    std::unique_ptr<QSqlQuery> m_pick;
    std::unique_ptr<QSqlQuery> m_nextFp;
};
