#pragma once

#include "course/wordinfo.h"
#include "learn/learncoursedbbase.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

class CourseCategoryMgr;
class CourseDB;
class CSpeakBase;
class LearnCourseDB;
class LearnMethodBase;
class LearnSetMgr;

// One study session of one learner on one course: the single entry point of the learning
// engine for the study window.
//
// Construction resolves the course entry through the category tree, opens the course's
// word file and the learner's record "/udata/<user>/<o|u><mid>.ldb" (made and filled with
// one new row per word on first study), reads the course's study settings and creates the
// free or plan method, which works on an in-memory copy of the record.
//
// Guarantees:
// - One session per record: a lock file beside the record ("<record>.lock") is held for
//   the whole session (a lock left by a killed process is taken over). When another live
//   session holds it, nothing is opened, every nextWord returns LearnCode::InUse and
//   recordInUse() is true; the log says why.
// - A user name is data: a name that could leave its folder (see userFolderPath) opens
//   nothing and behaves as a course that cannot be studied.
// - A course that cannot be studied (unknown entry, word file missing or without words)
//   gets no new record file: the first nextWord returns LearnCode::AllKnown (-2) and the
//   session writes nothing. An existing record is used as it is.
// - The session's TUSELOG row (start, length, pauses and this session's counts) goes to the
//   record file with the method's first write-back and is kept current by each later one;
//   destruction writes the last changes and leaves exactly one row for the session.
// - Write-backs never make the learner wait (see FreeLearnMethod); gradingsSaved() tells
//   whether the last one reached the file.
// - The session clock takes its time from Clock::now(); pauses are counted once even if
//   pauseTiming or resumeTiming is called twice in a row. A pause counts from the moment
//   it ends (resumeTiming): one still running is not part of studySpeed, nor of the log
//   row when the session ends during it.
class LearnMgr
{
public:
    // speaker: the pronunciation engine of the study window; the engine does not use it.
    LearnMgr(const QString &userName, int courseId, CourseCategoryMgr *categoryMgr,
             CSpeakBase *speaker = nullptr);
    virtual ~LearnMgr();

    LearnMgr(const LearnMgr &) = delete;
    LearnMgr &operator=(const LearnMgr &) = delete;

    // The next word's id (its TWORD row then in currentWord()), or LearnCode::NothingDue,
    // AllKnown or QuotaUsed.
    int nextWord();
    // The current word's TWORD row ("id", "word", "phonetic", "trans", "esentence",
    // "other"); empty when the last draw gave no word.
    const WordInfo &currentWord() const { return m_wordInfo; }

    // The learner's answers (LearnCode::Grade, Check, Answer), passed to the method.
    void answerAsk(int grade);
    void answerConfirm(int check);
    void answerLearn(int answer);
    // Takes back the last graded word of the session (again and again, back to the start
    // of the session): its TSTUDYWORD row, the session's counts and the statistics return
    // to what they were right after the word was drawn, and it is the current word again
    // (currentWord()), to be shown ungraded in the ask state. An undone answer never
    // reaches the record file; one already written there is written again restored, at the
    // next write-back. A word drawn new counts once towards the plan quota however often
    // it is taken back. Returns the word id, or 0 when there is nothing to undo.
    int undo();
    // Whether undo would take back a word.
    bool canUndo() const;

    // The learner went idle / came back; the span in between joins the paused total when
    // the learner comes back. Going idle also lets the method write its unwritten changes.
    void pauseTiming();
    void resumeTiming();

    // Every word of the record file is still new (false when the course has no record).
    bool isCourseUntouched();
    // Words drawn new, drawn due and made known well in this session.
    int newWordCount() const;
    int oldWordCount() const;
    int knownWellCount() const;
    // Words handled per hour of active (unpaused) time; 0 before any active time.
    int studySpeed() const;
    // Study progress of the session's record copy, 0 to 100 (a pass over the record: call
    // it when it is shown, not per word).
    float progressPercent() const;
    // The course's study settings (defaults when the course has no record).
    LearnSetMgr *learnSetMgr() const { return m_settings; }

    QString userName() const { return m_userName; }
    int courseId() const { return m_courseId; }
    QString courseName() const { return m_courseName; }
    int courseMid() const { return m_courseMid; }
    int courseType() const { return m_courseType; }
    // Full path of the course's learning record file.
    QString recordPath() const { return m_recordPath; }
    QDateTime sessionStart() const { return m_sessionStart; }
    // Seconds of the pauses that have ended so far (the paused total of the log row).
    int pausedSeconds() const;

    // False while the session's last write-back of gradings to the record file failed
    // (the gradings are kept in memory and retried at the next write-back point).
    bool gradingsSaved() const;
    // Why the last write-back failed, in words fit for a log line; empty while saved.
    QString saveError() const;
    // Ends the session at once: writes the last gradings and the session row and waits for
    // them. Returns whether they reached the record file (saveError() says why not). The
    // manager draws no word afterwards; destroying it then writes nothing more.
    bool endSession();
    // Another session holds the record: this one did not start.
    bool recordInUse() const { return m_inUse; }

private:
    void openCourse();

    bool m_endSaved = true;
    QString m_endError;
    UseLogRow useLogRow() const;

    QString m_userName;
    int m_courseId;
    CourseCategoryMgr *m_categoryMgr;
    QString m_courseName;
    int m_courseMid = 0;
    int m_courseType = 0;
    QString m_recordPath;
    CourseDB *m_course = nullptr;
    LearnCourseDB *m_record = nullptr;
    LearnSetMgr *m_settings = nullptr;
    LearnMethodBase *m_method = nullptr;
    WordInfo m_wordInfo;
    QDateTime m_sessionStart;
    // m_sessionStart in milliseconds since the epoch, for the session's length.
    qint64 m_sessionStartMs = 0;
    QDateTime m_pauseStart;
    bool m_paused = false;
    int m_pauseTotal = 0;
    std::unique_ptr<QLockFile> m_lock;
    bool m_inUse = false;
};

// The current learning manager: set by the LearnMgr constructor and cleared by its
// destructor (null when none exists; at most one exists at a time). Kept for code that
// needs the drill's manager without holding the study window; nothing in the trainer reads
// it yet (the methods get their settings handed in).
extern LearnMgr *g_pLearnMgr;
