#pragma once

#include "learn/learnmethodbase.h"

class LearnCourseDBMemory;
class RecordWriter;

// Free mode: due words first (smallest Fp, then earliest LastTime), then new words in
// table order, without limit.
//
// attach copies the file record into an in-memory record (connection "FreeLearnMethodMDB")
// and every answer goes to that copy. Its journal reaches the file record in one
// all-or-nothing transaction per write-back:
// - at the draw after every 10 gradings not yet written (kWriteBackEvery),
// - at pauseTiming,
// - at destruction (only what is still unwritten, and the session row).
// A file record on disk is written by a RecordWriter thread with its own connection: a
// write-back only hands the statements over, each batch is synced to disk when it
// commits, and a failed batch is kept and tried again at the next write-back point, so a
// draw never waits for the disk, for another process holding the file, or for a replay.
// gradingsSaved() and saveError() tell whether the last write-back committed.
// The statements set absolute values, so the file ends exactly as one replay of the whole
// journal would leave it, and a killed session (or a power cut) loses at most its last 10
// gradings. During the session the file record runs in WAL mode (see
// LearnCourseDBBase::beginSessionWrites); destruction waits for the last batch and returns
// it to the rollback journal. The file record must outlive the method.
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
    int undo() override;

    // Hands the journal statements not yet written (and the session row, when a source is
    // set) to the file record. On a file on disk the write is asynchronous and returns true
    // once handed over; otherwise it is synchronous and returns false, keeping the
    // statements for the next write-back point, when the file did not commit.
    bool writeBack();
    void finishSession() override;
    bool gradingsSaved() const override;
    // Journal statements handed over but not committed to the file yet.
    int unsavedStatements() const;
    QString saveError() const override;
    // Gradings whose changes have not reached the file record yet.
    int unwrittenGradings() const { return m_gradings - m_gradingsWritten; }
    // New words of the sessions of today before this one (read at attach).
    int todayNewWords() const { return m_todayNewWords; }
    LearnCourseDBBase *fileRecord() const { return m_file; }

protected:
    int writtenJournalSize() const override { return m_written; }

    LearnCourseDBMemory *m_memory;
    LearnCourseDBBase *m_file;
    int m_todayNewWords;

private:
    void dropCopy();

    RecordWriter *m_writer;
    bool m_syncSaved;
    QString m_syncError;
    int m_written;
    int m_gradingsWritten;
    bool m_sessionWrites;
};
