#include "learn/learnchartdata.h"

#include "app/apppath.h"
#include "app/clock.h"
#include "app/userfolder.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnschedule.h"
#include "learn/learnsetmgr.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlQuery>

// Whole days from the start of today (bound, local text) to the moment the word is due;
// the cast truncates towards zero, which is the floor for every day that matters (words
// due before today land on a day below 0 or on day 0 and are both counted as due today).
// julianday() of a LastTime that is NULL, empty or no date is NULL: those words are left
// out, as the draw never finds them due either.
const char *const LearnChartData::kDueDays =
    "select cast(julianday(LastTime) + Fp / 86400.0 - julianday(?) as integer) as day, "
    "count(*) from TSTUDYWORD where STATE = 1 and julianday(LastTime) is not null "
    "group by day";
const char *const LearnChartData::kDailyActivity =
    "select date(BSTime) as day, sum(SNWord), sum(SOWord) from TUSELOG "
    "where date(BSTime) between ? and ? group by day";
const char *const LearnChartData::kWordStanding =
    "select STATE, Step, count(*) from TSTUDYWORD group by STATE, Step";

namespace {

// A learning record opened for reading the chart figures with bound statements.
class ChartRecord : public LearnCourseDB
{
public:
    explicit ChartRecord(const QString &path) : LearnCourseDB(path) {}

    QSqlQuery query(const char *sql, const QVariantList &values, bool *ok)
    {
        return runBound(QLatin1String(sql), values, ok);
    }
};

} // namespace

LearnChartData::LearnChartData(const QString &userName) : m_userName(userName)
{
    clear();
}

void LearnChartData::clear()
{
    m_today = Clock::now().date();
    m_hasSelected = false;
    m_due = QList<int>(kForecastDays, 0);
    m_activityNew = QList<int>(kActivityDays, 0);
    m_activityReviewed = QList<int>(kActivityDays, 0);
    m_points.clear();
    m_standing.clear();
}

int LearnChartData::refresh(const QString &selectedRecordPath)
{
    clear();
    // The name becomes a folder name: an unsafe one has no folder (logged).
    const QString folder = userFolderPath(m_userName);
    if (folder.isEmpty())
        return 0;
    const QString selected = selectedRecordPath.isEmpty()
                                 ? QString()
                                 : QFileInfo(selectedRecordPath).canonicalFilePath();
    if (!selectedRecordPath.isEmpty() && selected.isEmpty())
        qDebug() << "LearnChartData::refresh 学习记录不存在" << selectedRecordPath;

    const QString todayStart = Clock::format(QDateTime(m_today, QTime(0, 0)));
    const QDate firstDay = firstActivityDay();
    int read = 0;
    const QStringList entries = listFiles(folder + QLatin1Char('/'), QStringLiteral("*.ldb"));
    for (const QString &entry : entries) {
        const QFileInfo info(entry);
        if (!info.isFile() || info.size() == 0)
            continue;
        const bool isSelected = !selected.isEmpty() && info.canonicalFilePath() == selected;
        ChartRecord record(entry);
        if (!record.isOpen())
            continue;
        ++read;
        bool ok = false;

        QSqlQuery activity = record.query(
            kDailyActivity, {firstDay.toString(Qt::ISODate), m_today.toString(Qt::ISODate)}, &ok);
        while (ok && activity.next()) {
            const int day =
                int(firstDay.daysTo(QDate::fromString(activity.value(0).toString(), Qt::ISODate)));
            if (day < 0 || day >= kActivityDays)
                continue;
            m_activityNew[day] += activity.value(1).toInt();
            m_activityReviewed[day] += activity.value(2).toInt();
        }

        if (selected.isEmpty() || isSelected) {
            QSqlQuery due = record.query(kDueDays, {todayStart}, &ok);
            while (ok && due.next()) {
                const int day = qMax(0, due.value(0).toInt());
                if (day < kForecastDays)
                    m_due[day] += due.value(1).toInt();
            }
        }

        if (isSelected) {
            m_hasSelected = true;
            m_points = LearnSchedule::usablePoints(LearnSetMgr(&record).forgettingPoints());
            const int steps = int(m_points.size());
            m_standing = QList<int>(steps + 2, 0);
            QSqlQuery standing = record.query(kWordStanding, {}, &ok);
            while (ok && standing.next()) {
                const int state = standing.value(0).toInt();
                const int count = standing.value(2).toInt();
                if (state == LearnCode::New)
                    m_standing[0] += count;
                else if (state == LearnCode::Known)
                    m_standing[steps + 1] += count;
                else if (state == LearnCode::Learning)
                    m_standing[1 + LearnSchedule::stepOnList(standing.value(1).toInt(), steps)] +=
                        count;
            }
        }
    }
    if (!selected.isEmpty() && !m_hasSelected)
        qDebug() << "LearnChartData::refresh 所选课程的学习记录未读到" << selectedRecordPath;
    return read;
}
