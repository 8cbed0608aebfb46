#include "course/coursedb.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnreportmgr.h"
#include "learn/learnsetmgr.h"
#include "learnfixtures.h"
#include "testroot.h"

#include <QtTest>

using namespace LearnFixtures;

// The learner's report over all learning records of a user.
class TestLearnReportMgr : public QObject
{
    Q_OBJECT

private:
    // A record of words words under /udata/<user>/<name>: known, learning (on step), and
    // sessions of seconds each; times = 2 for every word in learning or known.
    void makeRecord(const QString &user, const QString &name, int words, int known, int learning,
                    int step, const QList<int> &sessionSeconds);

    QScopedPointer<TestRoot> m_root;

private slots:
    void init();
    void cleanup();
    void zeroBeforeAnyRefresh();
    void sumsAndMeansOverRecords();
    void studyProgressIsTheMeanOfRecords();
    void unreadableRecordCountsInTheMeans();
    void noRecordsLeavesTheReportUnchanged();
    void userNameCannotLeaveTheUserFolder();
};

void TestLearnReportMgr::init()
{
    m_root.reset(new TestRoot);
}

void TestLearnReportMgr::cleanup()
{
    m_root.reset();
}

void TestLearnReportMgr::makeRecord(const QString &user, const QString &name, int words, int known,
                                    int learning, int step, const QList<int> &sessionSeconds)
{
    const QString course =
        m_root->filePath(QStringLiteral("/odata/course/%1-%2.db").arg(user, name));
    QVERIFY(makeCourse(course, words));
    CourseDB courseDb(course);
    LearnCourseDB record(m_root->filePath(QStringLiteral("/udata/%1/%2").arg(user, name)),
                         [&courseDb] { return courseDb.wordIds(); });
    QVERIFY(record.wasCreated());
    record.exec("BEGIN");
    int wid = 1;
    for (int i = 0; i < known; ++i, ++wid) {
        record.setState(wid, LearnCode::Known);
        record.setTimes(wid, 2);
    }
    for (int i = 0; i < learning; ++i, ++wid) {
        record.setState(wid, LearnCode::Learning);
        record.setStep(wid, step);
        record.setTimes(wid, 2);
    }
    for (int seconds : sessionSeconds)
        record.addUseLog(QDateTime::currentDateTime(), seconds, 1, 0, 0, 0);
    record.exec("COMMIT");
}

void TestLearnReportMgr::zeroBeforeAnyRefresh()
{
    LearnReportMgr report("tom");
    QCOMPARE(report.knowwellWordCount(), 0);
    QCOMPARE(report.totalStudyTime(), 0u);
    QCOMPARE(report.learnSpeed(), 0);
    QCOMPARE(report.forgetProbability(), 0.0f);
    QCOMPARE(report.studyWordCount(), 0);
    QCOMPARE(report.studyProgress(), 0.0f);
    QCOMPARE(report.values().size(), 6);
}

void TestLearnReportMgr::sumsAndMeansOverRecords()
{
    // o1: 10 known, 5 learning on step 2, 1800 s; u7: 20 known, 10 learning on step 1, 1800 s.
    makeRecord("tom", "o1.ldb", 40, 10, 5, 2, {1000, 800});
    makeRecord("tom", "u7.ldb", 40, 20, 10, 1, {1800});
    // Not records of tom: another user's, and a file of another kind.
    makeRecord("ann", "o1.ldb", 40, 40, 0, 0, {5000});
    QFile other(m_root->filePath("/udata/tom/notes.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();

    LearnReportMgr report("tom");
    QCOMPARE(report.refresh(), 2);
    QCOMPARE(report.knowwellWordCount(), 30);
    QCOMPARE(report.totalStudyTime(), 3600u);
    QCOMPARE(report.learnSpeed(), 30);
    QCOMPARE(report.studyWordCount(), 45);
    // Steps per grading: o1 10 / 30, u7 10 / 60; mean of the two.
    QCOMPARE(report.forgetProbability(), float((10.0 / 30 + 10.0 / 60) / 2));
}

void TestLearnReportMgr::studyProgressIsTheMeanOfRecords()
{
    // 10 words, 8 points: 5 known -> 50 %; 1 known -> 10 %.
    makeRecord("tom", "o1.ldb", 10, 5, 0, 0, {});
    makeRecord("tom", "o2.ldb", 10, 1, 0, 0, {});
    LearnReportMgr report("tom");
    QCOMPARE(report.refresh(), 2);
    QCOMPARE(report.studyProgress(), 30.0f);
    QCOMPARE(report.learnSpeed(), 0);
}

void TestLearnReportMgr::unreadableRecordCountsInTheMeans()
{
    makeRecord("tom", "o1.ldb", 10, 5, 0, 0, {600});
    QFile bad(m_root->filePath("/udata/tom/o2.ldb"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("garbage, not a learning record");
    bad.close();
    LearnReportMgr report("tom");
    QCOMPARE(report.refresh(), 2);
    QCOMPARE(report.knowwellWordCount(), 5);
    QCOMPARE(report.studyProgress(), 25.0f);
    QCOMPARE(report.totalStudyTime(), 600u);
    QCOMPARE(report.learnSpeed(), 30);
}

void TestLearnReportMgr::noRecordsLeavesTheReportUnchanged()
{
    makeRecord("tom", "o1.ldb", 10, 4, 0, 0, {60});
    LearnReportMgr report("tom");
    QCOMPARE(report.refresh(), 1);
    QCOMPARE(report.knowwellWordCount(), 4);
    QVERIFY(QFile::remove(m_root->filePath("/udata/tom/o1.ldb")));
    QCOMPARE(report.refresh(), 0);
    QCOMPARE(report.knowwellWordCount(), 4);
    QCOMPARE(report.studyProgress(), 40.0f);
}

void TestLearnReportMgr::userNameCannotLeaveTheUserFolder()
{
    // Records one level up, in the program folder's "udata".
    makeRecord("..", "o1.ldb", 10, 4, 0, 0, {60});
    LearnReportMgr up("..");
    QCOMPARE(up.refresh(), 0);
    QCOMPARE(up.knowwellWordCount(), 0);
    LearnReportMgr nested("../udata");
    QCOMPARE(nested.refresh(), 0);
}

QTEST_GUILESS_MAIN(TestLearnReportMgr)
#include "tst_report.moc"
