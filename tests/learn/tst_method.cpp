#include "course/coursedb.h"
#include "learn/freelearnmethod.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learnsetmgr.h"
#include "learn/planlearnmethod.h"
#include "learnfixtures.h"
#include "logcapture.h"
#include "studysession.h"
#include "testroot.h"

#include <QtTest>

#include <memory>

using namespace LearnFixtures;

// Drawing words and the codes that end a study.
class TestLearnMethod : public QObject
{
    Q_OBJECT

private:
    QString recordPath() const { return m_root->filePath("/udata/tom/o1.ldb"); }
    QString coursePath() const { return m_root->filePath("/odata/course/1.db"); }

    QScopedPointer<TestRoot> m_root;

private slots:
    void init();
    void cleanup();
    void firstDrawAndUnknownWordDueAfterTheFirstPoint();
    void planQuota_data();
    void planQuota();
    void drawResultWithoutWord_data();
    void drawResultWithoutWord();
    void quotaDrawnWordCannotBeGraded();
    void answersWithoutACurrentWordChangeNothing();
    void modeSelectsTheMethod_data();
    void modeSelectsTheMethod();
    void settingsAreReadOnceAtConstruction();
    void unreadableRecordEndsTheStudy_data();
    void unreadableRecordEndsTheStudy();
};

void TestLearnMethod::init()
{
    m_root.reset(new TestRoot);
}

void TestLearnMethod::cleanup()
{
    m_root.reset();
}

void TestLearnMethod::firstDrawAndUnknownWordDueAfterTheFirstPoint()
{
    QVERIFY(makeCourse(coursePath(), 5));
    StudySession study(coursePath(), recordPath());
    study.start();
    const QList<int> order = fillOrder(recordPath());
    LearnMethodBase &method = *study.method;

    // The first draw is the first new word in fill order.
    QCOMPARE(method.nextWord(), order.at(0));
    QCOMPARE(method.currentWord(), order.at(0));
    QCOMPARE(method.newWordCount(), 1);
    QCOMPARE(method.oldWordCount(), 0);
    QCOMPARE(method.knownWellCount(), 0);
    method.answerAsk(LearnCode::Unknown);
    method.answerLearn(LearnCode::Next);
    // Just graded: not due, the next new word comes.
    QCOMPARE(method.nextWord(), order.at(1));
    method.answerAsk(LearnCode::Plain);
    method.answerConfirm(LearnCode::Right);

    const QString aged = "update TSTUDYWORD set LastTime = '%1' where WID = %2";
    QVERIFY(execOnConnection(study.copyName(), {QString(aged).arg(localText(-290)).arg(order[0])}));
    QCOMPARE(method.nextWord(), order.at(2));
    QCOMPARE(method.oldWordCount(), 0);
    method.answerAsk(LearnCode::Dim);
    method.answerConfirm(LearnCode::Right);

    // 300 seconds after its grading the word comes back before any new word.
    QVERIFY(execOnConnection(study.copyName(), {QString(aged).arg(localText(-310)).arg(order[0])}));
    QCOMPARE(method.nextWord(), order.at(0));
    QCOMPARE(method.oldWordCount(), 1);
    QCOMPARE(method.newWordCount(), 3);
}

void TestLearnMethod::planQuota_data()
{
    QTest::addColumn<int>("quota");
    QTest::addColumn<int>("earlierToday");
    QTest::addColumn<int>("earlierYesterday");
    QTest::addColumn<int>("wordsBeforeQuota");
    QTest::newRow("quota 2, first session of the day") << 2 << 0 << 0 << 2;
    QTest::newRow("quota 2, one new word earlier today") << 2 << 1 << 0 << 1;
    QTest::newRow("quota 2, used up earlier today") << 2 << 2 << 0 << 0;
    QTest::newRow("yesterday's words do not count") << 2 << 0 << 5 << 2;
    QTest::newRow("quota 0") << 0 << 0 << 0 << 0;
}

void TestLearnMethod::planQuota()
{
    QFETCH(int, quota);
    QFETCH(int, earlierToday);
    QFETCH(int, earlierYesterday);
    QFETCH(int, wordsBeforeQuota);
    QVERIFY(makeCourse(coursePath(), 10));
    StudySession study(coursePath(), recordPath());
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(execOnFile(
        recordPath(),
        {insertUseLog(now.date().toString("yyyy-MM-dd 00:00:01.000"), earlierToday),
         insertUseLog(now.addDays(-1).toString("yyyy-MM-dd HH:mm:ss.zzz"), earlierYesterday)}));
    study.settings.setLearnMode(2);
    study.settings.setPlanWordCount(quota);
    {
        LogCapture log;
        study.start();
        QCOMPARE(log.matching("今天已学新单词"),
                 QStringList(QStringLiteral("今天已学新单词 %1").arg(earlierToday)));
    }
    auto *plan = dynamic_cast<PlanLearnMethod *>(study.method.get());
    QVERIFY(plan);
    QCOMPARE(plan->quota(), quota);
    QCOMPARE(plan->todayNewWords(), earlierToday);

    const QList<int> order = fillOrder(recordPath());
    for (int i = 0; i < wordsBeforeQuota; ++i) {
        QCOMPARE(plan->nextWord(), order.at(i));
        plan->answerAsk(LearnCode::Unknown);
        plan->answerLearn(LearnCode::Next);
    }
    QCOMPARE(plan->nextWord(), int(LearnCode::QuotaUsed));
    QCOMPARE(plan->newWordCount(), wordsBeforeQuota + 1);
    // From then on every draw of the session ends, due words included.
    if (wordsBeforeQuota > 0)
        QVERIFY(
            execOnConnection(study.copyName(),
                             {QStringLiteral("update TSTUDYWORD set LastTime = '%1' where WID = %2")
                                  .arg(localText(-4000))
                                  .arg(order.at(0))}));
    QCOMPARE(plan->nextWord(), int(LearnCode::QuotaUsed));
    QCOMPARE(plan->nextWord(), int(LearnCode::QuotaUsed));
}

void TestLearnMethod::drawResultWithoutWord_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<int>("expected");
    QTest::newRow("every word known well")
        << 4 << QStringList{"update TSTUDYWORD set STATE = 2"} << int(LearnCode::AllKnown);
    QTest::newRow("the rest in learning, none due")
        << 4
        << QStringList{"update TSTUDYWORD set STATE = 2 where WID <= 2",
                       QStringLiteral("update TSTUDYWORD set STATE = 1, Fp = 300, times = 1, "
                                      "LastTime = '%1' where WID > 2")
                           .arg(localText(-60))}
        << int(LearnCode::NothingDue);
    QTest::newRow("in learning without a LastTime")
        << 2 << QStringList{"update TSTUDYWORD set STATE = 1, Fp = 0"}
        << int(LearnCode::NothingDue);
    QTest::newRow("empty course") << 0 << QStringList{} << int(LearnCode::AllKnown);
}

void TestLearnMethod::drawResultWithoutWord()
{
    QFETCH(int, words);
    QFETCH(QStringList, setup);
    QFETCH(int, expected);
    QVERIFY(makeCourse(coursePath(), words));
    {
        CourseDB course(coursePath());
        LearnCourseDB created(recordPath(), [&course] { return course.wordIds(); });
    }
    if (!setup.isEmpty())
        QVERIFY(execOnFile(recordPath(), setup));
    StudySession study(coursePath(), recordPath());
    study.start();
    QCOMPARE(study.method->nextWord(), expected);
    QCOMPARE(study.method->currentWord(), 0);
    QCOMPARE(study.method->newWordCount(), 0);
    QCOMPARE(study.method->oldWordCount(), 0);
}

void TestLearnMethod::quotaDrawnWordCannotBeGraded()
{
    QVERIFY(makeCourse(coursePath(), 3));
    StudySession study(coursePath(), recordPath());
    study.settings.setLearnMode(2);
    study.settings.setPlanWordCount(0);
    study.start();
    QCOMPARE(study.method->nextWord(), int(LearnCode::QuotaUsed));
    study.method->answerAsk(LearnCode::KnowWell);
    QCOMPARE(study.method->recordStore()->journalSize(), 0);
    QCOMPARE(study.method->knownWellCount(), 0);
}

void TestLearnMethod::answersWithoutACurrentWordChangeNothing()
{
    QVERIFY(makeCourse(coursePath(), 1));
    StudySession study(coursePath(), recordPath());
    study.start();
    LearnMethodBase &method = *study.method;
    method.answerAsk(LearnCode::Unknown);
    method.answerConfirm(LearnCode::Error);
    method.answerLearn(LearnCode::Next);
    QCOMPARE(method.recordStore()->journalSize(), 0);
    QCOMPARE(method.gradingCount(), 0);

    QVERIFY(method.nextWord() > 0);
    method.answerAsk(LearnCode::KnowWell);
    QCOMPARE(method.nextWord(), int(LearnCode::AllKnown));
    const int journal = method.recordStore()->journalSize();
    method.answerAsk(LearnCode::Unknown);
    method.answerLearn(LearnCode::Next);
    QCOMPARE(method.recordStore()->journalSize(), journal);
    QCOMPARE(method.gradingCount(), 1);
}

void TestLearnMethod::modeSelectsTheMethod_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("plan");
    QTest::newRow("no setting") << QString() << false;
    QTest::newRow("free") << QString("1") << false;
    QTest::newRow("plan") << QString("2") << true;
    QTest::newRow("zero") << QString("0") << false;
    QTest::newRow("three") << QString("3") << false;
    QTest::newRow("not a number") << QString("plan") << false;
}

void TestLearnMethod::modeSelectsTheMethod()
{
    QFETCH(QString, stored);
    QFETCH(bool, plan);
    QVERIFY(makeCourse(coursePath(), 3));
    StudySession study(coursePath(), recordPath());
    if (!stored.isNull())
        QVERIFY(study.file.setSetting(LearnSetMgr::kLearnMode, stored));
    study.start();
    QVERIFY(dynamic_cast<FreeLearnMethod *>(study.method.get()));
    QCOMPARE(dynamic_cast<PlanLearnMethod *>(study.method.get()) != nullptr, plan);
    QVERIFY(study.method->nextWord() > 0);
}

void TestLearnMethod::settingsAreReadOnceAtConstruction()
{
    QVERIFY(makeCourse(coursePath(), 3));
    StudySession study(coursePath(), recordPath());
    study.settings.setForgettingPoints({60, 600});
    study.settings.setLearnMode(2);
    study.settings.setPlanWordCount(7);
    study.start();
    study.settings.setForgettingPoints({1, 2, 3});
    study.settings.setPlanWordCount(1);
    QCOMPARE(study.method->forgettingPoints(), QList<int>({60, 600}));
    QCOMPARE(dynamic_cast<PlanLearnMethod *>(study.method.get())->quota(), 7);
    const int wid = study.method->nextWord();
    QVERIFY(wid > 0);
    study.method->answerAsk(LearnCode::Unknown);
    study.method->answerLearn(LearnCode::Next);
    QCOMPARE(rowsOfConnection(study.copyName()).value(wid).fp, 60);
    // The quota of 7 still holds: a second new word is offered.
    QVERIFY(study.method->nextWord() > 0);
}

void TestLearnMethod::unreadableRecordEndsTheStudy_data()
{
    QTest::addColumn<bool>("truncatedRecord");
    QTest::newRow("not a database") << false;
    QTest::newRow("truncated record") << true;
}

void TestLearnMethod::unreadableRecordEndsTheStudy()
{
    QFETCH(bool, truncatedRecord);
    QByteArray garbage("PK\x03\x04 this is a zip, not a learning record");
    if (truncatedRecord) {
        // A real record of 2,000 words cut after its first pages.
        QVERIFY(makeCourse(coursePath(), 2000));
        {
            CourseDB course(coursePath());
            LearnCourseDB created(recordPath(), [&course] { return course.wordIds(); });
        }
        QFile whole(recordPath());
        QVERIFY(whole.open(QIODevice::ReadOnly));
        garbage = whole.read(5000);
        QCOMPARE(garbage.size(), 5000);
    } else {
        QVERIFY(makeCourse(coursePath(), 10));
    }
    QDir().mkpath(QFileInfo(recordPath()).absolutePath());
    {
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
    }
    {
        StudySession study(coursePath(), recordPath());
        study.start();
        QCOMPARE(study.method->nextWord(), int(LearnCode::AllKnown));
        study.method->answerAsk(LearnCode::Plain);
        study.method->answerConfirm(LearnCode::Right);
        study.method->pauseTiming();
        QCOMPARE(study.method->nextWord(), int(LearnCode::AllKnown));
    }
    QFile file(recordPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), garbage);
}

QTEST_GUILESS_MAIN(TestLearnMethod)
#include "tst_method.moc"
