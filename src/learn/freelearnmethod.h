#pragma once

#include "learn/learnmethodbase.h"

class LearnCourseDBMemory;

// Free mode: due words first (smallest Fp, then earliest LastTime), then new words in
// table order, without limit.
//
// attach copies the file record into an in-memory record (connection "FreeLearnMethodMDB")
// and every answer goes to that copy. Its journal reaches the file record in one
// transaction per write-back:
// - at the draw after every 10 gradings not yet written (kWriteBackEvery),
// - at pauseTiming,
// - at destruction (only what is still unwritten).
// The statements set absolute values, so the file ends exactly as one replay of the whole
// journal would leave it, and a killed session loses at most its last 10 gradings.
// During the session the file record runs with WAL write-backs (see
// LearnCourseDBBase::beginSessionWrites); destruction returns it to the rollback journal.
// The file record must outlive the method.
class FreeLearnMethod : public LearnMethodBase
{
public:
    static const char *const kMemoryConnectionName; // "FreeLearnMethodMDB"
    static const int kWriteBackEvery = 10;

    explicit FreeLearnMethod(LearnSetMgr &settings);
    // Writes what is still unwritten to the file record, then drops the copy.
    ~FreeLearnMethod() override;

    // Resets the current word, writes back when due, then draws: a due word (due count + 1),
    // else the first new word (new count + 1), else AllKnown when every word is known well
    // (or there are none), else NothingDue.
    int nextWord() override;
    // file: the course's file record. Reads today's new words from it and copies it.
    void attach(LearnCourseDBBase *file) override;
    void pauseTiming() override;

    // Writes the journal statements not yet written to the file record in one transaction.
    // Returns false (keeping them for the next try) when the file did not commit.
    bool writeBack();
    // Gradings whose changes have not reached the file record yet.
    int unwrittenGradings() const { return m_gradings - m_gradingsWritten; }
    // New words of the sessions of today before this one (read at attach).
    int todayNewWords() const { return m_todayNewWords; }
    LearnCourseDBBase *fileRecord() const { return m_file; }

protected:
    LearnCourseDBMemory *m_memory;
    LearnCourseDBBase *m_file;
    int m_todayNewWords;

private:
    void dropCopy();

    int m_written;
    int m_gradingsWritten;
    bool m_sessionWrites;
};
