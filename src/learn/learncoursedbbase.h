#pragma once

#include "app/psqlite.h"

#include <QDateTime>
#include <QSqlRecord>
#include <QStringList>

#include <memory>

class QSqlQuery;

// A study session's TUSELOG row as it stands at one moment.
struct UseLogRow
{
    QDateTime start;
    int lengthSec = 0;
    int newWords = 0;
    int dueWords = 0;
    int knownWords = 0;
    int pauseSec = 0;
};

// The learning record of one user and course: TSTUDYWORD (one row per course word with its
// schedule state), TUSELOG (one row per study session), TSETINFO (the course's study
// settings) and the unused TSOPLOG.
//
// Guarantees:
// - Queries never fail loudly: a missing row, a NULL or a failing statement reads as 0
//   (or an empty record); the failure is logged.
// - Every word update and the session log are journalled: the statement text is appended
//   to journal() before it runs, so replay(journal()) on another record holding the same
//   rows at the start makes that record's TSTUDYWORD equal to this one's.
// - Word ids, steps and counts are formatted into the journalled statement texts; texts
//   that come from users or files (setting names and values, copied LastTime values) are
//   bound.
// - The statements of a drill step (word updates, the word's row, the first new word, the
//   counts) are prepared once per connection and run with bound values; they change the
//   rows exactly as their journalled texts do when replayed.
class LearnCourseDBBase : public psqlite
{
public:
    // The record's tables, created in this order in one transaction.
    static const char *const kCreateSopLog;
    static const char *const kCreateStudyWord;
    static const char *const kCreateWidIndex;
    static const char *const kCreateUseLog;
    static const char *const kCreateSetInfo;

    static const char *const kFillWord;
    static const char *const kSelectStudyWords;
    static const char *const kCopyWord;

    static const char *const kTotalWords;
    static const char *const kFirstNewWord;
    static const char *const kNextDueWord;
    static const char *const kCountInState;
    static const char *const kWordRecord;
    static const char *const kTodayNewWords;
    static const char *const kTotalStudySeconds;
    static const char *const kSumSteps;
    static const char *const kSumAllSteps;
    static const char *const kSumTimes;
    static const char *const kSumDLevel;

    static const char *const kHasSetting;
    static const char *const kSetting;
    static const char *const kUpdateSetting;
    static const char *const kInsertSetting;

    static const char *const kSetState;
    static const char *const kSetStep;
    static const char *const kSetFp;
    static const char *const kSetDLevel;
    static const char *const kSetTimes;
    static const char *const kTouchLastTime;
    static const char *const kRestoreWord;
    static const char *const kAddUseLog;
    static const char *const kUpdateUseLog;

    LearnCourseDBBase();
    ~LearnCourseDBBase() override;

    // Drops the prepared statements, then closes the connection (see psqlite::close).
    bool close();

    // Set-up.
    // The five table statements in one transaction. On an existing record only the
    // TSETINFO statement fails (it has no "if not exists"); nothing changes.
    void createTables();
    // Creates the tables and fills them with the course's word ids in one transaction, so
    // that a record is never left with tables but without its words. Returns the rows
    // added, or -1 when nothing was committed.
    int createAndFill(const QList<int> &wordIds);
    // One STATE 0 row per word id (the course's TWORD ids, CourseDB::wordIds), in the given
    // order, in one transaction. Returns the number of rows added.
    int fillFromCourse(const QList<int> &wordIds);
    // Every journalled statement, oldest first.
    QStringList journal() const { return m_journal; }
    int journalSize() const { return int(m_journal.size()); }
    // Runs the statements in order in one transaction. A failing statement is logged and
    // skipped, the others are committed all the same. Returns true only when every
    // statement ran and the transaction was committed; since journalled word updates set
    // absolute values, replaying the same statements again is safe.
    bool replay(const QStringList &statements);

    // One write-back: the statements, then the session row (inserted when *logRowId is not
    // positive, else the row *logRowId updated), in one transaction. Any failure rolls
    // everything back and returns false with the reason in *error; on success *logRowId
    // holds the row's id.
    bool writeBatch(const QStringList &statements, const UseLogRow *log, int *logRowId,
                    QString *error);

    // Queries.
    int totalWords();
    // The first new word in table (fill) order; 0 if none.
    int firstNewWord();
    // The word in learning whose time since LastTime (local clock) is greater than its Fp,
    // smallest Fp first, then earliest LastTime; 0 if none. LastTime NULL or "" never
    // qualifies. "Now" is Clock::now(), bound into the statement.
    virtual int nextDueWord();
    int countInState(int state);
    bool allKnown();
    bool noneStarted();
    // The whole TSTUDYWORD row of the word; an empty record if none.
    QSqlRecord wordRecord(int wid);
    // New words of the sessions that started today (local date of Clock::now()).
    uint todayNewWords();
    uint totalStudySeconds();
    uint sumSteps(int maxStep, int state);
    // Sum of Step over sum of times; 0 when nothing was graded.
    float stepsPerGrading();
    float averageDLevel();
    // Share of the schedule covered, 0 to 100: a known word counts as points steps (the
    // course's number of forgetting points), a word in learning as its Step, a new word as 0.
    float studyProgress(int points);

    // Settings (TSETINFO, not journalled).
    bool hasSetting(const QString &name);
    // The stored text when the row exists, else defaultValue unchanged.
    QVariant setting(const QString &name, const QVariant &defaultValue);
    // Stores value.toString() ("true"/"false" for a bool), updating or inserting the row.
    bool setSetting(const QString &name, const QVariant &value);

    // Updates of one word (journalled).
    void setState(int wid, int state);
    void setStep(int wid, int step);
    void setFp(int wid, int seconds);
    void setDLevel(int wid, int level);
    void setTimes(int wid, int times);
    // LastTime = Clock::nowText().
    void touchLastTime(int wid);
    // Puts the schedule columns of row's word (STATE, DLevel, Step, Fp, times, LastTime) back
    // to the values of row, a TSTUDYWORD row read earlier (wordRecord), with one update that
    // is journalled when journal is true. An empty LastTime is restored as NULL (the copy
    // of a file record reads NULL as ""; a grading never writes "").
    void restoreWord(const QSqlRecord &row, bool journal);
    // Drops the journal's statements from position size on (they are not undone here).
    void truncateJournal(int size);

    // The session log row (journalled). start is stored as local "yyyy-MM-dd HH:mm:ss.zzz".
    void addUseLog(const QDateTime &start, int lengthSec, int newWords, int dueWords,
                   int knownWords, int pauseSec);

    // Write-back mode for the length of a study session: WAL journal with synchronous
    // NORMAL and no automatic checkpoint, so the frequent small write-backs commit without
    // waiting for the disk and survive a killed process (a power cut may lose the last of
    // them but never damages the file). The one wait for the disk that a new WAL needs is
    // taken here. endSessionWrites folds the WAL into the file and returns it to the
    // rollback journal with full syncing. Neither waits for another connection that holds
    // the file: the mode then stays as it is, which loses nothing. A file left in WAL mode
    // by a killed session reads normally (the WAL's commits are part of it) and returns to
    // the rollback journal at the end of its next session. Harmless on an in-memory record.
    void beginSessionWrites();
    void endSessionWrites();

protected:
    // The statements prepared once per connection (see prepared()).
    enum PreparedStatement
    {
        SetStateStatement,
        SetStepStatement,
        SetFpStatement,
        SetDLevelStatement,
        SetTimesStatement,
        TouchLastTimeStatement,
        WordRecordStatement,
        FirstNewWordStatement,
        CountInStateStatement,
        TotalWordsStatement,
        PreparedStatementCount
    };

    // Appends sql to the journal, then runs it.
    void journalled(const QString &sql);
    // Appends sql to the journal, then runs the prepared statement which (the same update
    // with "?" in place of each value) with values bound in order.
    void journalled(const QString &sql, PreparedStatement which, const QVariant &first,
                    const QVariant &second);
    // The statement which, prepared on this connection at first use; null when the
    // record is closed or it does not prepare (each failed attempt is logged).
    QSqlQuery *prepared(PreparedStatement which);
    // Runs the prepared select which with the value bound (none when value is invalid) and
    // returns column 0 of its first row, read as the plain statement would be by rexec:
    // "" when there is no row or the statement fails (logged).
    QVariant preparedValue(PreparedStatement which, const QVariant &value = QVariant());
    // The table statements and the fill, without a transaction of their own.
    void createTablesNow();
    int fillNow(const QList<int> &wordIds);
    // Copies every TSTUDYWORD row of source into this record in one transaction.
    int copyStudyWordsFrom(LearnCourseDBBase &source);
    uint unsignedValue(const QString &sql);
    QString pragmaValue(const QString &pragma);

    QStringList m_journal;

private:
    std::unique_ptr<QSqlQuery> m_prepared[PreparedStatementCount];
};
