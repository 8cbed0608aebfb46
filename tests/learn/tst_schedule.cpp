#include "learn/freelearnmethod.h"
#include "learn/learncodes.h"
#include "learn/learncoursedbmemory.h"
#include "learn/learnschedule.h"
#include "learn/learnsetmgr.h"
#include "learnfixtures.h"

#include <QtTest>

using namespace LearnFixtures;

Q_DECLARE_METATYPE(QList<int>)

namespace {
const QList<int> kDefault = {300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000};
const QList<int> kShort = {60, 600, 6000};
// What follows the grade: nothing, a check, or Next.
enum FollowUp
{
    None,
    Confirm,
    Learn
};
} // namespace

// The schedule: one row per way a learner can answer a drawn word, with the word as it was
// when drawn and the expected row afterwards.
class TestSchedule : public QObject
{
    Q_OBJECT

private:
    // One row of the way table.
    struct Way
    {
        QList<int> points;
        int grade;
        int followUp;
        int code;
        int step;
        int dLevel;
        int times;
        int expState;
        int expStep;
        int expFp;
        int expDLevel;
        bool becameKnown;
    };
    static void wayTable();
    // The current row of the way table.
    static Way fetchWay();
    // The word drawn for a row: a new word for a first grading, else a due word in learning.
    static StudyWordRow drawnWord(const Way &way);

private slots:
    void stepStaysOnList_data();
    void stepStaysOnList();
    void gradingRecordsStateAndTimes();
    void nineWays_data() { wayTable(); }
    void nineWays();
    void nineWaysThroughFreeMethod_data() { wayTable(); }
    void nineWaysThroughFreeMethod();
    void unknownCodesChangeNothing();
    void gradingStatementsInOrder_data();
    void gradingStatementsInOrder();
};

void TestSchedule::stepStaysOnList_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("pointCount");
    QTest::addColumn<int>("expected");
    QTest::newRow("first step") << 0 << 8 << 0;
    QTest::newRow("middle step") << 4 << 8 << 4;
    QTest::newRow("last step") << 7 << 8 << 7;
    QTest::newRow("past the end of a shortened list") << 7 << 3 << 2;
    QTest::newRow("far past the end") << 100 << 8 << 7;
    QTest::newRow("negative step") << -3 << 8 << 0;
    QTest::newRow("one point") << 5 << 1 << 0;
    QTest::newRow("no points") << 2 << 0 << 0;
}

void TestSchedule::stepStaysOnList()
{
    QFETCH(int, step);
    QFETCH(int, pointCount);
    QFETCH(int, expected);
    QCOMPARE(LearnSchedule::stepOnList(step, pointCount), expected);
}

void TestSchedule::gradingRecordsStateAndTimes()
{
    StudyWordRow drawn;
    drawn.state = LearnCode::New;
    drawn.times = 4;
    drawn.step = 3;
    const StudyWordRow graded = LearnSchedule::graded(drawn);
    QCOMPARE(graded.state, int(LearnCode::Learning));
    QCOMPARE(graded.times, 5);
    QCOMPARE(graded.step, 3);
}

void TestSchedule::wayTable()
{
    QTest::addColumn<QList<int>>("points");
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("followUp");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("dLevel");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("expState");
    QTest::addColumn<int>("expStep");
    QTest::addColumn<int>("expFp");
    QTest::addColumn<int>("expDLevel");
    QTest::addColumn<bool>("becameKnown");

    using namespace LearnCode;
    // A word in learning on step 3 (Fp 86400) with DLevel 2, graded 4 times before.
    QTest::newRow("KnowWell retires the word") << kDefault << int(KnowWell) << int(None) << 0 << 3
                                               << 2 << 4 << 2 << 3 << 86400 << 0 << true;
    QTest::newRow("Plain Right at the first grading retires the word")
        << kDefault << int(Plain) << int(Confirm) << int(Right) << 0 << 0 << 0 << 2 << 0 << 0 << 0
        << true;
    QTest::newRow("Plain Right on the last step retires the word")
        << kDefault << int(Plain) << int(Confirm) << int(Right) << 7 << 2 << 4 << 2 << 7 << 1296000
        << 0 << true;
    QTest::newRow("Plain Right climbs one step")
        << kDefault << int(Plain) << int(Confirm) << int(Right) << 3 << 2 << 4 << 1 << 4 << 172800
        << 2 << false;
    QTest::newRow("Plain Error steps down, DLevel + 3")
        << kDefault << int(Plain) << int(Confirm) << int(Error) << 3 << 2 << 4 << 1 << 2 << 43200
        << 5 << false;
    QTest::newRow("Dim Right stays, DLevel + 1")
        << kDefault << int(Dim) << int(Confirm) << int(Right) << 3 << 2 << 4 << 1 << 3 << 86400 << 3
        << false;
    QTest::newRow("Dim Error steps down, DLevel + 3")
        << kDefault << int(Dim) << int(Confirm) << int(Error) << 3 << 2 << 4 << 1 << 2 << 43200 << 5
        << false;
    QTest::newRow("Oblivious Next steps down, DLevel + 2")
        << kDefault << int(Oblivious) << int(Learn) << int(Next) << 3 << 2 << 4 << 1 << 2 << 43200
        << 4 << false;
    QTest::newRow("Unknown Next restarts, DLevel + 3")
        << kDefault << int(Unknown) << int(Learn) << int(Next) << 3 << 2 << 4 << 1 << 0 << 300 << 5
        << false;

    // Edges of the list.
    QTest::newRow("Plain without a check keeps step and Fp")
        << kDefault << int(Plain) << int(None) << 0 << 3 << 2 << 4 << 1 << 3 << 86400 << 2 << false;
    QTest::newRow("Oblivious on step 0 stays on step 0")
        << kDefault << int(Oblivious) << int(Learn) << int(Next) << 0 << 1 << 2 << 1 << 0 << 300
        << 3 << false;
    QTest::newRow("Plain Error on step 0 stays on step 0")
        << kDefault << int(Plain) << int(Confirm) << int(Error) << 0 << 0 << 1 << 1 << 0 << 300 << 3
        << false;
    QTest::newRow("Plain Right on the second grading climbs from step 0")
        << kDefault << int(Plain) << int(Confirm) << int(Right) << 0 << 1 << 1 << 1 << 1 << 1800
        << 1 << false;
    QTest::newRow("Dim past the end of a shortened list stands on the last step")
        << kShort << int(Dim) << int(Confirm) << int(Right) << 6 << 0 << 9 << 1 << 2 << 6000 << 1
        << false;
    QTest::newRow("Oblivious past the end steps down from the last step")
        << kShort << int(Oblivious) << int(Learn) << int(Next) << 6 << 0 << 9 << 1 << 1 << 600 << 2
        << false;
    QTest::newRow("Plain Error past the end steps down from the last step")
        << kShort << int(Plain) << int(Confirm) << int(Error) << 6 << 0 << 9 << 1 << 1 << 600 << 3
        << false;
    QTest::newRow("Plain Right past the end retires the word")
        << kShort << int(Plain) << int(Confirm) << int(Right) << 6 << 4 << 9 << 2 << 6 << 6000 << 0
        << true;
}

TestSchedule::Way TestSchedule::fetchWay()
{
    QFETCH(QList<int>, points);
    QFETCH(int, grade);
    QFETCH(int, followUp);
    QFETCH(int, code);
    QFETCH(int, step);
    QFETCH(int, dLevel);
    QFETCH(int, times);
    QFETCH(int, expState);
    QFETCH(int, expStep);
    QFETCH(int, expFp);
    QFETCH(int, expDLevel);
    QFETCH(bool, becameKnown);
    return {points,   grade,   followUp, code, // the answer
            step,     dLevel,  times,          // the word as drawn
            expState, expStep, expFp,    expDLevel, becameKnown};
}

StudyWordRow TestSchedule::drawnWord(const Way &way)
{
    StudyWordRow drawn;
    drawn.state = way.times == 0 ? LearnCode::New : LearnCode::Learning;
    drawn.step = way.step;
    drawn.fp = way.times == 0 ? 0 : way.points.at(qMin(way.step, int(way.points.size()) - 1));
    drawn.dLevel = way.dLevel;
    drawn.times = way.times;
    return drawn;
}

void TestSchedule::nineWays()
{
    const Way way = fetchWay();
    const StudyWordRow drawn = drawnWord(way);
    StudyWordRow word = LearnSchedule::graded(drawn);
    const ScheduleChange ask = LearnSchedule::afterAsk(way.grade, drawn, 0, way.points);
    word = LearnSchedule::applied(word, ask);
    bool known = ask.becameKnown;
    if (way.followUp == Confirm) {
        const ScheduleChange check =
            LearnSchedule::afterConfirm(way.grade, way.code, drawn, ask.penalty, way.points);
        word = LearnSchedule::applied(word, check);
        known = known || check.becameKnown;
    } else if (way.followUp == Learn) {
        const ScheduleChange next = LearnSchedule::afterLearn(way.code, drawn, ask.penalty);
        word = LearnSchedule::applied(word, next);
        known = known || next.becameKnown;
    }
    QCOMPARE(word.state, way.expState);
    QCOMPARE(word.step, way.expStep);
    QCOMPARE(word.fp, way.expFp);
    QCOMPARE(word.dLevel, way.expDLevel);
    QCOMPARE(word.times, way.times + 1);
    QCOMPARE(known, way.becameKnown);
}

void TestSchedule::nineWaysThroughFreeMethod()
{
    const Way way = fetchWay();
    // The session's "file" record is an in-memory one here: one word, drawn as the row says.
    LearnCourseDBMemory file(QStringLiteral("schedule-file"));
    const StudyWordRow drawn = drawnWord(way);
    const QString lastTime = way.times == 0 ? QStringLiteral("NULL")
                                            : QStringLiteral("'%1'").arg(localText(-20 * 86400));
    QVERIFY(execOnConnection(
        file.connectionName(),
        {QStringLiteral("insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times, "
                        "LastTime) values(7, %1, %2, %3, %4, 0, %5, %6)")
             .arg(drawn.state)
             .arg(drawn.dLevel)
             .arg(drawn.step)
             .arg(drawn.fp)
             .arg(drawn.times)
             .arg(lastTime)}));
    LearnSetMgr settings(&file);
    settings.setForgettingPoints(way.points);

    const QString before = localText(-1);
    {
        FreeLearnMethod method(settings);
        method.attach(&file);
        QCOMPARE(method.nextWord(), 7);
        method.answerAsk(way.grade);
        if (way.followUp == Confirm)
            method.answerConfirm(way.code);
        else if (way.followUp == Learn)
            method.answerLearn(way.code);
        QCOMPARE(method.knownWellCount(), way.becameKnown ? 1 : 0);
        QCOMPARE(method.gradingCount(), 1);
    }
    // The method is gone: its changes are in the "file".
    const StudyWordRow row = rowsOfConnection(file.connectionName()).value(7);
    QCOMPARE(row.state, way.expState);
    QCOMPARE(row.step, way.expStep);
    QCOMPARE(row.fp, way.expFp);
    QCOMPARE(row.dLevel, way.expDLevel);
    QCOMPARE(row.times, way.times + 1);
    QVERIFY2(row.lastTime >= before && row.lastTime <= localText(1), qPrintable(row.lastTime));
}

void TestSchedule::unknownCodesChangeNothing()
{
    StudyWordRow drawn;
    drawn.state = LearnCode::Learning;
    drawn.step = 2;
    drawn.fp = 43200;
    drawn.dLevel = 1;
    drawn.times = 3;
    const ScheduleChange ask = LearnSchedule::afterAsk(99, drawn, 0, kDefault);
    QVERIFY(!ask.state && !ask.step && !ask.fp && !ask.dLevel);
    const ScheduleChange check =
        LearnSchedule::afterConfirm(LearnCode::Plain, 7, drawn, 0, kDefault);
    QVERIFY(!check.state && !check.step && !check.fp && !check.dLevel);
    const ScheduleChange next = LearnSchedule::afterLearn(2, drawn, 2);
    QVERIFY(!next.dLevel);
    QCOMPARE(next.penalty, 2);
}

void TestSchedule::gradingStatementsInOrder_data()
{
    // The statements one answer sequence journals for word 7, drawn in learning on step 3
    // (Fp 86400) with DLevel 2 and graded 4 times before; after the three statements that
    // record the grading itself (LastTime, STATE 1, times 5).
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("check");
    QTest::addColumn<bool>("next");
    QTest::addColumn<QStringList>("statements");
    const QString step = "update TSTUDYWORD set step = %1 where WID = 7";
    const QString fp = "update TSTUDYWORD set fp = %1 where WID = 7";
    const QString level = "update TSTUDYWORD set DLevel = %1 where WID = 7";
    using namespace LearnCode;
    QTest::newRow("KnowWell") << int(KnowWell) << 0 << false
                              << QStringList{"update TSTUDYWORD set STATE = 2 where WID = 7",
                                             level.arg(0)};
    QTest::newRow("Plain Right") << int(Plain) << int(Right) << false
                                 << QStringList{step.arg(4), fp.arg(172800), level.arg(2)};
    QTest::newRow("Plain Error Next")
        << int(Plain) << int(Error) << true
        << QStringList{step.arg(2), fp.arg(43200), level.arg(5), level.arg(5)};
    QTest::newRow("Dim Right") << int(Dim) << int(Right) << false
                               << QStringList{step.arg(3), fp.arg(86400), step.arg(3),
                                              fp.arg(86400), level.arg(3)};
    QTest::newRow("Dim Error Next") << int(Dim) << int(Error) << true
                                    << QStringList{step.arg(3),   fp.arg(86400), step.arg(2),
                                                   fp.arg(43200), level.arg(5),  level.arg(5)};
    QTest::newRow("Oblivious Next")
        << int(Oblivious) << 0 << true << QStringList{step.arg(2), fp.arg(43200), level.arg(4)};
    QTest::newRow("Unknown Next") << int(Unknown) << 0 << true
                                  << QStringList{step.arg(0), fp.arg(300), level.arg(5)};
    QTest::newRow("Plain unchecked") << int(Plain) << 0 << false << QStringList{};
}

void TestSchedule::gradingStatementsInOrder()
{
    QFETCH(int, grade);
    QFETCH(int, check);
    QFETCH(bool, next);
    QFETCH(QStringList, statements);
    LearnCourseDBMemory file(QStringLiteral("statements-file"));
    QVERIFY(execOnConnection(
        file.connectionName(),
        {QStringLiteral("insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times, "
                        "LastTime) values(7, 1, 2, 3, 86400, 0, 4, '%1')")
             .arg(localText(-20 * 86400))}));
    LearnSetMgr settings(&file);
    FreeLearnMethod method(settings);
    method.attach(&file);
    QCOMPARE(method.nextWord(), 7);
    method.answerAsk(grade);
    if (check)
        method.answerConfirm(check);
    if (next)
        method.answerLearn(LearnCode::Next);
    const QStringList journal = method.recordStore()->journal();
    QCOMPARE(journal.size(), 3 + statements.size());
    QVERIFY2(journal.at(0).startsWith("update TSTUDYWORD set LastTime = '") &&
                 journal.at(0).endsWith("' where WID = 7"),
             qPrintable(journal.at(0)));
    QCOMPARE(journal.at(1), QString("update TSTUDYWORD set STATE = 1 where WID = 7"));
    QCOMPARE(journal.at(2), QString("update TSTUDYWORD set times = 5 where WID = 7"));
    QCOMPARE(journal.mid(3), statements);
}

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
