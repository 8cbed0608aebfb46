#include "learn/learnmgr.h"
#include "learn/learnmethodfactory.h"

#include "app/apppath.h"
#include "app/clock.h"
#include "app/userfolder.h"
#include "course/coursecategorymgr.h"
#include "course/coursedb.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnmethodbase.h"
#include "learn/learnsetmgr.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

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
    m_sessionStart = Clock::now();
    m_sessionStartMs = m_sessionStart.toMSecsSinceEpoch();
    m_pauseTotal = 0;
    if (m_record) {
        m_method = createLearnMethod(*m_settings);
        m_method->setUseLogSource([this] { return useLogRow(); });
        m_method->attach(m_record);
    }
}

UseLogRow LearnMgr::useLogRow() const
{
    // A pause still running (the learner left while idle) is not added: the row counts
    // only the pauses that ended.
    UseLogRow row;
    row.start = m_sessionStart;
    row.lengthSec = int(m_sessionStart.secsTo(Clock::now()));
    row.newWords = newWordCount();
    row.dueWords = oldWordCount();
    row.knownWords = knownWellCount();
    row.pauseSec = m_pauseTotal;
    return row;
}

void LearnMgr::openCourse()
{
    if (m_categoryMgr) {
        m_courseMid = m_categoryMgr->courseMid(m_courseId);
        m_courseType = m_categoryMgr->courseType(m_courseId);
        m_courseName = m_categoryMgr->courseName(m_courseId);
    }
    if (m_courseType != CourseCategoryMgr::OfficialCourses &&
        m_courseType != CourseCategoryMgr::UserCourses) {
        qDebug() << "LearnMgr::LearnMgr 课程不存在" << m_courseId << m_courseMid << m_courseType;
        return;
    }

    m_recordPath = m_categoryMgr->learningRecordPath(m_courseId);
    if (m_recordPath.isEmpty())
        return;
    m_course = new CourseDB(m_categoryMgr->coursePath(m_courseId));
    // A record made now would stay without words for good (records never gain words), so a
    // course that cannot be read gets none until it can.
    if (!QFileInfo::exists(m_recordPath) && (!m_course->isOpen() || !m_course->hasWords())) {
        qDebug() << "LearnMgr::LearnMgr 课程没有单词, 不建学习记录" << m_course->path();
        return;
    }
    QDir().mkpath(QFileInfo(m_recordPath).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_recordPath + QStringLiteral(".lock"));
    // Held for the whole session, however long: only a dead holder makes it stale.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        qint64 pid = 0;
        QString host, app;
        m_lock->getLockInfo(&pid, &host, &app);
        qDebug() << "LearnMgr::LearnMgr 学习记录正在另一个学习中使用, 不开始" << m_recordPath << pid
                 << host << app << int(m_lock->error());
        m_lock.reset();
        m_inUse = true;
        return;
    }
    CourseDB *course = m_course;
    m_record = new LearnCourseDB(m_recordPath, [course] { return course->wordIds(); });
}

LearnMgr::~LearnMgr()
{
    qDebug() << "LearnMgr::LearnMgr e";
    // The method's last write-back carries the final session row.
    delete m_method;
    m_method = nullptr;
    delete m_settings;
    m_settings = nullptr;
    delete m_record;
    m_record = nullptr;
    delete m_course;
    m_course = nullptr;
    m_lock.reset();
    if (g_pLearnMgr == this)
        g_pLearnMgr = nullptr;
}

bool LearnMgr::endSession()
{
    if (!m_method)
        return true;
    m_method->finishSession();
    const bool saved = m_method->gradingsSaved();
    m_endError = m_method->saveError();
    delete m_method;
    m_method = nullptr;
    m_endSaved = saved;
    return saved;
}

int LearnMgr::nextWord()
{
    // Counts only: the progress is a pass over the whole record.
    qDebug() << "LearnMgr::nextWord" << newWordCount() << oldWordCount() << knownWellCount()
             << studySpeed();
    m_wordInfo.clear();
    if (m_inUse)
        return LearnCode::InUse;
    if (!m_method)
        return LearnCode::AllKnown;
    m_method->resetWordState();
    const int word = m_method->nextWord();
    if (word > 0 && m_course)
        m_course->getWordInfoByID(m_wordInfo, word);
    return word;
}

int LearnMgr::undo()
{
    if (!m_method)
        return 0;
    const int word = m_method->undo();
    if (word > 0) {
        m_wordInfo.clear();
        if (m_course)
            m_course->getWordInfoByID(m_wordInfo, word);
    }
    return word;
}

bool LearnMgr::canUndo() const
{
    return m_method && m_method->canUndo();
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
    // As m_sessionStart.secsTo(Clock::now()), without two time-zone conversions per call.
    const qint64 active = (Clock::nowMSecsSinceEpoch() - m_sessionStartMs) / 1000 - pausedSeconds();
    if (active <= 0)
        return 0;
    const qint64 handled = knownWellCount() + oldWordCount() + newWordCount();
    return int(handled * 3600 / active);
}

float LearnMgr::progressPercent() const
{
    if (!m_method || !m_method->recordStore())
        return 0.0f;
    return m_method->recordStore()->studyProgress(int(m_settings->forgettingPoints().size()));
}

bool LearnMgr::gradingsSaved() const
{
    return m_method ? m_method->gradingsSaved() : m_endSaved;
}

QString LearnMgr::saveError() const
{
    return m_method ? m_method->saveError() : m_endError;
}
