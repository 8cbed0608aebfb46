#include "learn/learnmgr.h"

#include "app/apppath.h"
#include "app/clock.h"
#include "course/coursecategorymgr.h"
#include "course/coursedb.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnmethodbase.h"
#include "learn/learnsetmgr.h"

#include <QDebug>
#include <QFileInfo>

LearnMgr *g_pLearnMgr = nullptr;

LearnMgr::LearnMgr(const QString &userName, int courseId, CourseCategoryMgr *categoryMgr,
                   CSpeakBase *speaker)
    : m_userName(userName), m_courseId(courseId), m_categoryMgr(categoryMgr)
{
    Q_UNUSED(speaker);
    qDebug() << "LearnMgr::LearnMgr s";
    g_pLearnMgr = this;

    openCourse();
    m_settings = new LearnSetMgr(m_record);
    if (m_record) {
        m_method = LearnMethodBase::create(*m_settings);
        m_method->attach(m_record);
    }
    m_sessionStart = Clock::now();
    m_pauseTotal = 0;
}

void LearnMgr::openCourse()
{
    if (m_categoryMgr) {
        m_courseMid = m_categoryMgr->courseMid(m_courseId);
        m_courseType = m_categoryMgr->courseType(m_courseId);
        m_courseName = m_categoryMgr->courseName(m_courseId);
    }
    QString coursePath;
    QString prefix;
    if (m_courseType == CourseCategoryMgr::OfficialCourses) {
        coursePath = QStringLiteral("/odata/course/%1.db").arg(m_courseMid);
        prefix = QStringLiteral("o");
    } else if (m_courseType == CourseCategoryMgr::UserCourses) {
        coursePath = QStringLiteral("/udata/course/%1.db").arg(m_courseMid);
        prefix = QStringLiteral("u");
    } else {
        qDebug() << "LearnMgr::LearnMgr 课程不存在" << m_courseId << m_courseMid << m_courseType;
        return;
    }

    m_course = new CourseDB(appPath(coursePath));
    m_recordPath =
        appPath(QStringLiteral("/udata/%1/%2%3.ldb").arg(m_userName, prefix).arg(m_courseMid));
    // A record made now would stay without words for good (records never gain words), so a
    // course that cannot be read gets none until it can.
    if (!QFileInfo::exists(m_recordPath) && (!m_course->isOpen() || !m_course->hasWords())) {
        qDebug() << "LearnMgr::LearnMgr 课程没有单词, 不建学习记录" << m_course->path();
        return;
    }
    m_record = new LearnCourseDB(m_recordPath, m_course);
}

LearnMgr::~LearnMgr()
{
    qDebug() << "LearnMgr::LearnMgr e";
    // A pause still running when the session ends (the learner left while idle) is not
    // added: the log row counts only the pauses that ended.
    if (m_record && m_method) {
        const QDateTime now = Clock::now();
        m_record->addUseLog(m_sessionStart, int(m_sessionStart.secsTo(now)),
                            m_method->newWordCount(), m_method->oldWordCount(),
                            m_method->knownWellCount(), m_pauseTotal);
    }
    delete m_method;
    m_method = nullptr;
    delete m_settings;
    m_settings = nullptr;
    delete m_record;
    m_record = nullptr;
    delete m_course;
    m_course = nullptr;
    if (g_pLearnMgr == this)
        g_pLearnMgr = nullptr;
}

int LearnMgr::nextWord()
{
    qDebug() << "LearnMgr::nextWord" << newWordCount() << oldWordCount() << knownWellCount()
             << progressPercent() << studySpeed();
    m_wordInfo.clear();
    if (!m_method)
        return LearnCode::AllKnown;
    m_method->resetWordState();
    const int word = m_method->nextWord();
    if (word > 0 && m_course)
        m_course->getWordInfoByID(m_wordInfo, word);
    return word;
}

void LearnMgr::answerAsk(int grade)
{
    if (m_method)
        m_method->answerAsk(grade);
}

void LearnMgr::answerConfirm(int check)
{
    if (m_method)
        m_method->answerConfirm(check);
}

void LearnMgr::answerLearn(int answer)
{
    if (m_method)
        m_method->answerLearn(answer);
}

void LearnMgr::pauseTiming()
{
    if (m_paused)
        return;
    m_paused = true;
    m_pauseStart = Clock::now();
    if (m_method)
        m_method->pauseTiming();
}

void LearnMgr::resumeTiming()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_pauseTotal += int(qMax<qint64>(0, m_pauseStart.secsTo(Clock::now())));
}

int LearnMgr::pausedSeconds() const
{
    return m_pauseTotal;
}

bool LearnMgr::isCourseUntouched()
{
    // A course without a record has nothing to set up before its first word.
    return m_record ? m_record->noneStarted() : false;
}

int LearnMgr::newWordCount() const
{
    return m_method ? m_method->newWordCount() : 0;
}

int LearnMgr::oldWordCount() const
{
    return m_method ? m_method->oldWordCount() : 0;
}

int LearnMgr::knownWellCount() const
{
    return m_method ? m_method->knownWellCount() : 0;
}

int LearnMgr::studySpeed() const
{
    const qint64 active = m_sessionStart.secsTo(Clock::now()) - pausedSeconds();
    if (active <= 0)
        return 0;
    const qint64 handled = knownWellCount() + oldWordCount() + newWordCount();
    return int(handled * 3600 / active);
}

float LearnMgr::progressPercent() const
{
    if (!m_method || !m_method->recordStore())
        return 0.0f;
    return m_method->recordStore()->studyProgress();
}

bool LearnMgr::gradingsSaved() const
{
    return true;
}

QString LearnMgr::saveError() const
{
    return QString();
}
