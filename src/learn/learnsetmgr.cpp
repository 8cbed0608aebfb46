#include "learn/learnsetmgr.h"

#include "learn/learncoursedbbase.h"
#include "learn/learnschedule.h"

#include <QStringList>

const char *const LearnSetMgr::kLearnMode = "main/learnMode";
const char *const LearnSetMgr::kPlanWordCount = "planMode/odswn";
const char *const LearnSetMgr::kShowES = "main/showES";
const char *const LearnSetMgr::kShowSI = "main/showSI";
const char *const LearnSetMgr::kForgettingPoints = "forgottenPoint";

namespace {
const int kDefaultLearnMode = 1;
const int kDefaultPlanWordCount = 100;
} // namespace

LearnSetMgr::LearnSetMgr(LearnCourseDBBase *record) : m_record(record) {}

int LearnSetMgr::learnMode() const
{
    return stored(kLearnMode, kDefaultLearnMode).toInt();
}

void LearnSetMgr::setLearnMode(int mode)
{
    store(kLearnMode, mode);
}

int LearnSetMgr::planWordCount() const
{
    return stored(kPlanWordCount, kDefaultPlanWordCount).toInt();
}

void LearnSetMgr::setPlanWordCount(int count)
{
    store(kPlanWordCount, count);
}

bool LearnSetMgr::showES() const
{
    return stored(kShowES, true).toBool();
}

void LearnSetMgr::setShowES(bool show)
{
    store(kShowES, show);
}

bool LearnSetMgr::showSI() const
{
    return stored(kShowSI, true).toBool();
}

void LearnSetMgr::setShowSI(bool show)
{
    store(kShowSI, show);
}

QList<int> LearnSetMgr::forgettingPoints() const
{
    const QString defaultText = formatForgettingPoints(LearnSchedule::defaultPoints());
    return parseForgettingPoints(stored(kForgettingPoints, defaultText).toString());
}

void LearnSetMgr::setForgettingPoints(const QList<int> &points)
{
    store(kForgettingPoints, formatForgettingPoints(points));
}

QVariant LearnSetMgr::stored(const char *key, const QVariant &defaultValue) const
{
    if (!m_record)
        return defaultValue;
    return m_record->setting(QLatin1String(key), defaultValue);
}

void LearnSetMgr::store(const char *key, const QVariant &value)
{
    if (m_record)
        m_record->setSetting(QLatin1String(key), value);
}

float LearnSetMgr::studyProgress() const
{
    return m_record ? m_record->studyProgress(int(forgettingPoints().size())) : 0.0f;
}

QString LearnSetMgr::formatForgettingPoints(const QList<int> &points)
{
    QStringList parts;
    for (int point : points)
        parts << QString::number(point);
    return parts.join(QLatin1Char(','));
}

QList<int> LearnSetMgr::parseForgettingPoints(const QString &text)
{
    if (text.isEmpty())
        return LearnSchedule::defaultPoints();
    QList<int> points;
    const QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    for (const QString &part : parts)
        points << part.toInt();
    return points;
}
