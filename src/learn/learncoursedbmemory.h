#pragma once

#include "learn/learncoursedbbase.h"

// A learning record in an in-memory database, loaded as a copy of a file record; a study
// session works on it and writes its journal back to the file.
//
// Besides the record's own tables and index it carries two partial indexes (words in
// learning by Fp and LastTime, new words in table order) so that drawing a word does not
// scan the whole course. They change no query result.
class LearnCourseDBMemory : public LearnCourseDBBase
{
public:
    static const char *const kCreateDueIndex;
    static const char *const kCreateNewIndex;

    // Opens ":memory:" under connectionName and creates the tables.
    explicit LearnCourseDBMemory(const QString &connectionName);
    ~LearnCourseDBMemory() override;

    // Copies every TSTUDYWORD row of source (other tables are not copied) in one
    // transaction: numbers as they are (NULL becomes 0), LastTime as text (NULL becomes "").
    // Meant for a fresh record. Returns the number of rows copied.
    int copyFrom(LearnCourseDBBase &source);
};
