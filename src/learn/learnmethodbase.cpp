#include "learn/learnmethodbase.h"

#include "learn/learncodes.h"
#include "learn/learncoursedbbase.h"
#include "learn/learnsetmgr.h"

#include <QDebug>

LearnMethodBase::LearnMethodBase(LearnSetMgr &settings)
    : m_record(nullptr), m_wordId(0), m_grade(0), m_penalty(0),
      m_points(LearnSchedule::usablePoints(settings.forgettingPoints())), m_newCount(0),
      m_dueCount(0), m_knownCount(0), m_gradings(0)
{
}

LearnMethodBase::~LearnMethodBase() = default;

void LearnMethodBase::attach(LearnCourseDBBase *record)
{
    m_record = record;
}

void LearnMethodBase::pauseTiming() {}

void LearnMethodBase::resetWordState()
{
    m_wordId = 0;
    m_grade = 0;
    m_penalty = 0;
}

void LearnMethodBase::loadWord(int wid)
{
    m_wordId = wid;
    m_wordRow = m_record ? m_record->wordRecord(wid) : QSqlRecord();
    m_drawn = StudyWordRow();
    m_drawn.state = m_wordRow.value(QStringLiteral("STATE")).toInt();
    m_drawn.step = m_wordRow.value(QStringLiteral("Step")).toInt();
    m_drawn.fp = m_wordRow.value(QStringLiteral("Fp")).toInt();
    m_drawn.dLevel = m_wordRow.value(QStringLiteral("DLevel")).toInt();
    m_drawn.times = m_wordRow.value(QStringLiteral("times")).toInt();
}

void LearnMethodBase::markDrawn()
{
    if (!m_record || m_wordId <= 0)
        return;
    DrawnWord drawn;
    drawn.row = m_wordRow;
    drawn.newCount = m_newCount;
    drawn.dueCount = m_dueCount;
    drawn.knownCount = m_knownCount;
    drawn.gradings = m_gradings;
    drawn.journalSize = m_record->journalSize();
    m_drawnWords << drawn;
}

bool LearnMethodBase::canUndo() const
{
    for (const DrawnWord &drawn : m_drawnWords)
        if (drawn.graded)
            return true;
    return false;
}

int LearnMethodBase::undo()
{
    if (!m_record)
        return 0;
    // Draws after the last graded word got no answer: they are taken back with it.
    while (!m_drawnWords.isEmpty() && !m_drawnWords.last().graded)
        m_drawnWords.removeLast();
    if (m_drawnWords.isEmpty())
        return 0;
    DrawnWord &drawn = m_drawnWords.last();
    if (drawn.journalSize >= writtenJournalSize()) {
        // Nothing of this word has left the copy yet: its statements go, unwritten.
        m_record->truncateJournal(drawn.journalSize);
        m_record->restoreWord(drawn.row, false);
    } else {
        m_record->restoreWord(drawn.row, true);
    }
    m_newCount = drawn.newCount;
    m_dueCount = drawn.dueCount;
    m_knownCount = drawn.knownCount;
    m_gradings = drawn.gradings;
    drawn.graded = false;
    loadWord(drawn.row.value(QStringLiteral("WID")).toInt());
    m_grade = 0;
    m_penalty = 0;
    qDebug() << "LearnMethodBase::undo" << m_wordId;
    return m_wordId;
}

void LearnMethodBase::record(const ScheduleChange &change)
{
    if (change.state)
        m_record->setState(m_wordId, *change.state);
    if (change.step)
        m_record->setStep(m_wordId, *change.step);
    if (change.fp)
        m_record->setFp(m_wordId, *change.fp);
    if (change.dLevel)
        m_record->setDLevel(m_wordId, *change.dLevel);
    if (change.becameKnown)
        ++m_knownCount;
    m_penalty = change.penalty;
}

void LearnMethodBase::answerAsk(int grade)
{
    if (!m_record || m_wordId <= 0) {
        qDebug() << "LearnMethodBase::answerAsk 没有当前单词" << grade;
        return;
    }
    m_grade = grade;
    if (!m_drawnWords.isEmpty() &&
        m_drawnWords.last().row.value(QStringLiteral("WID")).toInt() == m_wordId)
        m_drawnWords.last().graded = true;
    const StudyWordRow graded = LearnSchedule::graded(m_drawn);
    m_record->touchLastTime(m_wordId);
    m_record->setState(m_wordId, graded.state);
    m_record->setTimes(m_wordId, graded.times);
    ++m_gradings;
    record(LearnSchedule::afterAsk(grade, m_drawn, m_penalty, m_points));
}

void LearnMethodBase::answerConfirm(int check)
{
    if (!m_record || m_wordId <= 0)
        return;
    record(LearnSchedule::afterConfirm(m_grade, check, m_drawn, m_penalty, m_points));
}

void LearnMethodBase::answerLearn(int answer)
{
    if (!m_record || m_wordId <= 0)
        return;
    record(LearnSchedule::afterLearn(answer, m_drawn, m_penalty));
}
