#include "app/clock.h"
#include "course/coursedb.h"
#include "learn/learnchartdata.h"
#include "learn/learncoursedb.h"
#include "learnfixtures.h"
#include "testroot.h"

#include <QtTest>

using namespace LearnFixtures;

// The figures of the home page charts, over records written by the test. Clock is moved to
// noon of today so that every "today" in the records is the same day during the test.
class TestLearnChartData : public QObject
{
    Q_OBJECT

private:
    // /udata/amy/<name>.ldb of a course of words words, made through the product's record.
    QString makeRecord(const QString &name, int words);
    // Local text of today's midnight + seconds.
    QString atToday(qint64 seconds) const;
    // A word in learning: step, fp, LastTime text.
    QString learning(int wid, int step, int fp, const QString &lastTime) const;

    QScopedPointer<TestRoot> m_root;
    QDateTime m_midnight;

private slots:
    void init();
    void cleanup();
    void dueForecastCountsFromLastTimeAndFp();
    void dailyActivityStacksNewAndReviewedOverAllRecords();
    void wordStandingFollowsTheCoursesForgettingPoints();
    void missingSelectedRecordIsNotCreated();
};

void TestLearnChartData::init()
{
    m_root.reset(new TestRoot);
    const QDateTime now = QDateTime::currentDateTime();
    m_midnight = QDateTime(now.date(), QTime(0, 0));
    Clock::setOffsetSeconds(now.secsTo(m_midnight.addSecs(12 * 3600)));
}

void TestLearnChartData::cleanup()
{
    Clock::setOffsetSeconds(0);
    m_root.reset();
}

QString TestLearnChartData::makeRecord(const QString &name, int words)
{
    const QString course = m_root->filePath(QStringLiteral("/odata/course/%1.db").arg(name));
    const QString path = m_root->filePath(QStringLiteral("/udata/amy/%1.ldb").arg(name));
    if (!makeCourse(course, words))
        return QString();
    CourseDB courseDb(course);
    LearnCourseDB record(path, [&courseDb] { return courseDb.wordIds(); });
    return record.wasCreated() ? path : QString();
}

QString TestLearnChartData::atToday(qint64 seconds) const
{
    return Clock::format(m_midnight.addSecs(seconds));
}

QString TestLearnChartData::learning(int wid, int step, int fp, const QString &lastTime) const
{
    return QStringLiteral("update TSTUDYWORD set STATE = 1, Step = %1, Fp = %2, LastTime = '%3', "
                          "times = 1 where WID = %4")
        .arg(step)
        .arg(fp)
        .arg(lastTime)
        .arg(wid);
}

void TestLearnChartData::dueForecastCountsFromLastTimeAndFp()
{
    const qint64 hour = 3600, day = 86400;
    const QString a = makeRecord("o1", 12);
    const QString b = makeRecord("o2", 3);
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    QVERIFY(execOnFile(
        a, {
               learning(1, 0, 300, atToday(-3 * day + 10 * hour)), // overdue for days
               learning(2, 1, 1800, atToday(11 * hour)),           // due today 11:30, already past
               learning(3, 2, 43200, atToday(11 * hour)),          // due today 23:00
               learning(4, 3, int(day), atToday(0)),               // due tomorrow 00:00
               learning(5, 3, int(day), atToday(day - 1)),         // due tomorrow 23:59:59
               learning(6, 7, int(15 * day), atToday(-2 * day)),   // due in 13 days
               learning(7, 7, int(15 * day), atToday(-day + 1)),   // due in 14 days: past the chart
               learning(8, 4, int(2 * day), QString()),            // no LastTime: never due
               "update TSTUDYWORD set STATE = 2, Fp = 0, LastTime = '" + atToday(-day) +
                   "' where WID = 9",                         // known well: retired
               "update TSTUDYWORD set Fp = 0 where WID = 10", // new
           }));
    // Yesterday 23:00 + 4 days: three days from today, 23:00.
    QVERIFY(execOnFile(b, {learning(1, 5, int(4 * day), atToday(-hour))}));

    LearnChartData data("amy");
    QCOMPARE(data.refresh(a), 2);
    QVERIFY(data.forecastOfSelectedCourse());
    QCOMPARE(data.firstForecastDay(), m_midnight.date());
    QList<int> expected(LearnChartData::kForecastDays, 0);
    expected[0] = 3;
    expected[1] = 2;
    expected[13] = 1;
    QCOMPARE(data.dueForecast(), expected);

    // No course selected: every record.
    QCOMPARE(data.refresh(), 2);
    QVERIFY(!data.forecastOfSelectedCourse());
    expected[3] = 1;
    QCOMPARE(data.dueForecast(), expected);
}

void TestLearnChartData::dailyActivityStacksNewAndReviewedOverAllRecords()
{
    const qint64 day = 86400;
    const QString a = makeRecord("o1", 2);
    const QString b = makeRecord("u1", 2);
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    QVERIFY(execOnFile(
        a, {insertUseLog(atToday(9 * 3600), 5, 3), insertUseLog(atToday(11 * 3600), 2, 1),
            insertUseLog(atToday(-day + 23 * 3600), 4, 6), insertUseLog(atToday(-29 * day), 7, 0),
            insertUseLog(atToday(-30 * day + 23 * 3600), 9, 9)})); // 30 days ago: out
    QVERIFY(execOnFile(
        b, {insertUseLog(atToday(8 * 3600), 1, 1), insertUseLog(atToday(-29 * day), 0, 2)}));

    LearnChartData data("amy");
    // The selection does not narrow the activity: it is the learner's, over every course.
    QCOMPARE(data.refresh(a), 2);
    QCOMPARE(data.firstActivityDay(), m_midnight.date().addDays(-29));
    QList<int> fresh(LearnChartData::kActivityDays, 0), reviewed(LearnChartData::kActivityDays, 0);
    fresh[29] = 5 + 2 + 1;
    reviewed[29] = 3 + 1 + 1;
    fresh[28] = 4;
    reviewed[28] = 6;
    fresh[0] = 7;
    reviewed[0] = 2;
    QCOMPARE(data.activityNew(), fresh);
    QCOMPARE(data.activityReviewed(), reviewed);
}

void TestLearnChartData::wordStandingFollowsTheCoursesForgettingPoints()
{
    const QString a = makeRecord("o1", 9);
    QVERIFY(!a.isEmpty());
    const QString t = atToday(0);
    QVERIFY(execOnFile(a, {
                              "insert into TSETINFO(ItemName, ItemValue) "
                              "values('forgottenPoint', '60,600,3600')",
                              learning(1, 0, 60, t),
                              learning(2, 2, 3600, t),
                              learning(3, 2, 3600, t),
                              learning(4, 7, 3600, t), // past the end of a shortened list
                              "update TSTUDYWORD set STATE = 2 where WID in (5, 6)",
                          }));
    LearnChartData data("amy");
    QCOMPARE(data.refresh(a), 1);
    QVERIFY(data.hasSelectedCourse());
    QCOMPARE(data.forgettingPoints(), QList<int>({60, 600, 3600}));
    QCOMPARE(data.wordStanding(), QList<int>({3, 1, 0, 3, 2}));

    QCOMPARE(data.refresh(), 1);
    QVERIFY(!data.hasSelectedCourse());
    QVERIFY(data.wordStanding().isEmpty());
}

void TestLearnChartData::missingSelectedRecordIsNotCreated()
{
    const QString a = makeRecord("o1", 2);
    QVERIFY(execOnFile(a, {learning(1, 0, 60, atToday(0))}));
    const QString missing = m_root->filePath(QStringLiteral("/udata/amy/o9.ldb"));
    LearnChartData data("amy");
    QCOMPARE(data.refresh(missing), 1);
    QVERIFY(!QFileInfo::exists(missing));
    QVERIFY(!data.hasSelectedCourse());
    QCOMPARE(data.dueForecast().value(0), 1);
    // A user name that would leave the user folder reads nothing.
    LearnChartData escape("../amy");
    QCOMPARE(escape.refresh(), 0);
}

QTEST_MAIN(TestLearnChartData)
#include "tst_chartdata.moc"
