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
    if (!m_record)
        return kDefaultLearnMode;
    return m_record->setting(QLatin1String(kLearnMode), kDefaultLearnMode).toInt();
}

void LearnSetMgr::setLearnMode(int mode)
{
    if (m_record)
        m_record->setSetting(QLatin1String(kLearnMode), mode);
}

int LearnSetMgr::planWordCount() const
{
    if (!m_record)
        return kDefaultPlanWordCount;
    return m_record->setting(QLatin1String(kPlanWordCount), kDefaultPlanWordCount).toInt();
}

void LearnSetMgr::setPlanWordCount(int count)
{
    if (m_record)
        m_record->setSetting(QLatin1String(kPlanWordCount), count);
}

bool LearnSetMgr::showES() const
{
    if (!m_record)
        return true;
    return m_record->setting(QLatin1String(kShowES), true).toBool();
}

void LearnSetMgr::setShowES(bool show)
{
    if (m_record)
        m_record->setSetting(QLatin1String(kShowES), show);
}

bool LearnSetMgr::showSI() const
{
    if (!m_record)
        return true;
    return m_record->setting(QLatin1String(kShowSI), true).toBool();
}

void LearnSetMgr::setShowSI(bool show)
{
    if (m_record)
        m_record->setSetting(QLatin1String(kShowSI), show);
}

QList<int> LearnSetMgr::forgettingPoints() const
{
    const QString defaultText = formatForgettingPoints(LearnSchedule::defaultPoints());
    if (!m_record)
        return parseForgettingPoints(defaultText);
    return parseForgettingPoints(
        m_record->setting(QLatin1String(kForgettingPoints), defaultText).toString());
}

void LearnSetMgr::setForgettingPoints(const QList<int> &points)
{
    if (m_record)
        m_record->setSetting(QLatin1String(kForgettingPoints), formatForgettingPoints(points));
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
