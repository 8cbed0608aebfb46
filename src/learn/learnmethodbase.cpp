#include "learn/learnmethodbase.h"

#include "learn/learncodes.h"
#include "learn/learncoursedbbase.h"
#include "learn/learnsetmgr.h"
#include "learn/planlearnmethod.h"

#include <QDebug>

LearnMethodBase::LearnMethodBase(LearnSetMgr &settings)
    : m_record(nullptr), m_wordId(0), m_grade(0), m_penalty(0),
      m_points(LearnSchedule::usablePoints(settings.forgettingPoints())), m_newCount(0),
      m_dueCount(0), m_knownCount(0), m_gradings(0)
{
}

LearnMethodBase::~LearnMethodBase() = default;

LearnMethodBase *LearnMethodBase::create(LearnSetMgr &settings)
{
    const int mode = settings.learnMode();
    if (mode == 2)
        return new PlanLearnMethod(settings);
    if (mode != 1)
        qDebug() << "LearnMethodBase::create 未知学习模式, 使用自由模式" << mode;
    return new FreeLearnMethod(settings);
}

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
    m_drawn = WordProgress();
    m_drawn.state = m_wordRow.value(QStringLiteral("STATE")).toInt();
    m_drawn.step = m_wordRow.value(QStringLiteral("Step")).toInt();
    m_drawn.fp = m_wordRow.value(QStringLiteral("Fp")).toInt();
    m_drawn.dLevel = m_wordRow.value(QStringLiteral("DLevel")).toInt();
    m_drawn.times = m_wordRow.value(QStringLiteral("times")).toInt();
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
    const WordProgress graded = LearnSchedule::graded(m_drawn);
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
