#pragma once

#include "learn/learncoursedbbase.h"
#include "learn/learnschedule.h"

#include <QList>
#include <QSqlRecord>

#include <functional>

class LearnCourseDBBase;
class LearnSetMgr;

// A learning method: which word comes next, and how each answer moves that word along
// the forgetting-point schedule (LearnSchedule). Codes: LearnCode in learncodes.h.
//
// Use: create (createLearnMethod picks the method from the course settings), attach the record,
// then per word: resetWordState, nextWord, answerAsk, and answerConfirm / answerLearn as
// the study panels require. Every answer is recorded in the record store as single-row
// updates; the store journals them (LearnCourseDBBase).
//
// Guarantees:
// - Answers given while no word is current (before the first draw, after a draw that
//   returned no word) change nothing.
// - The forgetting points and the plan quota are read once, at construction; later
//   changes of the settings apply from the next method.
// - No step index ever leaves the points list (see LearnSchedule).
class LearnMethodBase
{
public:
    // Reads the forgetting points from settings (only during construction).
    explicit LearnMethodBase(LearnSetMgr &settings);
    virtual ~LearnMethodBase();

    LearnMethodBase(const LearnMethodBase &) = delete;
    LearnMethodBase &operator=(const LearnMethodBase &) = delete;

    // A positive word id (TSTUDYWORD WID), or LearnCode::NothingDue, AllKnown, QuotaUsed.
    virtual int nextWord() = 0;
    // grade: LearnCode::Grade. Records LastTime, STATE 1 and times + 1, then the grade.
    virtual void answerAsk(int grade);
    // check: LearnCode::Check, after Plain or Dim.
    virtual void answerConfirm(int check);
    // answer: LearnCode::Next.
    virtual void answerLearn(int answer);
    // Makes record the record store (not owned; must outlive the method). Once, right
    // after construction.
    virtual void attach(LearnCourseDBBase *record);
    // The session pauses (the learner is idle). Free and plan mode write their unwritten
    // changes to the file record here.
    virtual void pauseTiming();

    // Writes the last changes and waits for them; the method draws nothing afterwards.
    virtual void finishSession() {}
    // False while the last write-back of the changes to the file record failed.
    virtual bool gradingsSaved() const { return true; }
    // Why the last write-back failed; empty while saved.
    virtual QString saveError() const { return QString(); }
    // The session row as it stands now; when set, every write-back writes it along (one row
    // per session, kept current).
    void setUseLogSource(std::function<UseLogRow()> source) { m_useLogSource = std::move(source); }

    // Forgets the current word (id, grade, penalty) before the next draw.
    void resetWordState();

    // Whether a word of this method's life has been graded and not taken back.
    bool canUndo() const;
    // Takes back the last graded word: its row, the counts and the current word return to
    // what they were right after that word was drawn (so words drawn since are undrawn, and
    // a word drawn new counts once however often it is taken back). Statements of the
    // word not yet written to the file are dropped from the journal and never reach it;
    // once written, the restored row is journalled and written at the next write-back.
    // Returns the word id, current again and ungraded; 0 when there is nothing to undo.
    virtual int undo();

    int newWordCount() const { return m_newCount; }
    int oldWordCount() const { return m_dueCount; }
    int knownWellCount() const { return m_knownCount; }
    // The current word id; 0 when none.
    int currentWord() const { return m_wordId; }
    // Words graded (answerAsk calls on a current word) in this method's life.
    int gradingCount() const { return m_gradings; }
    QList<int> forgettingPoints() const { return m_points; }
    // The record the method reads and updates (the in-memory copy in free and plan mode).
    LearnCourseDBBase *recordStore() const { return m_record; }

protected:
    // Makes wid the current word and reads its row as it is now.
    void loadWord(int wid);
    // The current word was drawn (after its draw counts): the point undo goes back to.
    void markDrawn();
    // Journal statements already handed to the file record (none without one).
    virtual int writtenJournalSize() const { return 0; }
    // Records the present fields of change with one update each; counts a word that
    // became known; keeps the penalty.
    void record(const ScheduleChange &change);

    LearnCourseDBBase *m_record;
    int m_wordId;
    int m_grade;
    // The current word's TSTUDYWORD row as read when it was drawn.
    QSqlRecord m_wordRow;
    StudyWordRow m_drawn;
    int m_penalty;
    QList<int> m_points;
    int m_newCount;
    int m_dueCount;
    int m_knownCount;
    int m_gradings;
    std::function<UseLogRow()> m_useLogSource;

    // A drawn word as undo restores it.
    struct DrawnWord
    {
        QSqlRecord row;
        int newCount = 0;
        int dueCount = 0;
        int knownCount = 0;
        int gradings = 0;
        int journalSize = 0;
        bool graded = false;
    };
    QList<DrawnWord> m_drawnWords;
    int m_logRowId = 0;
};
