#include "course/coursedb.h"
#include "learn/learncodes.h"
#include "learn/learncoursedb.h"
#include "learn/learncoursedbmemory.h"
#include "learn/learnsetmgr.h"
#include "learnfixtures.h"
#include "logcapture.h"
#include "testroot.h"

#include <QtTest>

#include <ctime>

using namespace LearnFixtures;

// The learning record: tables, fill, queries, settings, journal, copy and replay.
class TestLearnCourseDB : public QObject
{
    Q_OBJECT

private:
    QString recordPath() const { return m_root->filePath(QStringLiteral("/udata/tom/o1.ldb")); }
    QString coursePath() const { return m_root->filePath(QStringLiteral("/odata/course/1.db")); }
    // A record of count new words, closed again.
    void makeRecord(int count);
    static QByteArray fileBytes(const QString &path);

    QScopedPointer<TestRoot> m_root;

private slots:
    void init();
    void cleanup();

    void newRecordHoldsEveryCourseWordAsNew();
    void existingRecordIsUsedAsItIs();
    void emptyFileReadWithoutCourseStaysEmpty();
    void fillSkipsWordIdsThatAreNotPositive();
    void nextDueWord_data();
    void nextDueWord();
    void memoryCopyDrawsAsTheStatementDoes_data();
    void memoryCopyDrawsAsTheStatementDoes();
    void firstNewWordFollowsTableOrder();
    void countsAndFlags();
    void wordRecordReturnsTheWholeRow();
    void settingsStoreTextAndAreNotJournalled();
    void settingValuesWithQuotesAreStoredExactly();
    void studyProgress_data();
    void studyProgress();
    void stepsPerGradingAndAverageDLevel();
    void todayNewWordsCountsTodaysLocalDate();
    void addUseLogStoresTheLocalStart();
    void updatesAreJournalledWithTheirStatements();
    void copyUpdateAndReplayLeaveFileAndCopyEqual();
    void copyKeepsLastTimeTextAsItIs();
    void unreadableRecordReadsZero_data();
    void unreadableRecordReadsZero();
};

void TestLearnCourseDB::init()
{
    m_root.reset(new TestRoot);
    QVERIFY(m_root->isValid());
}

void TestLearnCourseDB::cleanup()
{
    m_root.reset();
}

void TestLearnCourseDB::makeRecord(int count)
{
    QVERIFY(makeCourse(coursePath(), count));
    CourseDB course(coursePath());
    LearnCourseDB record(recordPath(), [&course] { return course.wordIds(); });
    QVERIFY(record.wasCreated());
}

QByteArray TestLearnCourseDB::fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestLearnCourseDB::newRecordHoldsEveryCourseWordAsNew()
{
    QVERIFY(makeCourse(coursePath(), 500));
    QVERIFY(!QFileInfo::exists(recordPath()));
    {
        CourseDB course(coursePath());
        LearnCourseDB record(recordPath(), [&course] { return course.wordIds(); });
        QVERIFY(record.wasCreated());
        QCOMPARE(record.totalWords(), 500);
        QVERIFY(record.noneStarted());
        QVERIFY(!record.allKnown());
    }
    const QMap<int, StudyWordRow> rows = rowsOfFile(recordPath());
    QCOMPARE(rows.size(), 500);
    for (const StudyWordRow &row : rows) {
        QVERIFY2(row.state == 0 && row.dLevel == 0 && row.step == 0 && row.fp == 0 &&
                     row.mark == 0 && row.times == 0 && row.lastTime.isNull(),
                 qPrintable(describe(row)));
    }
    // The rows follow the course's own order (ids), not the word index's alphabetical one:
    // new words come in the order the course lists them.
    const QVariantList order = columnOfFile(recordPath(), "select WID from TSTUDYWORD order by ID");
    QCOMPARE(order.size(), 500);
    QCOMPARE(order, columnOfFile(coursePath(), "select ID from tword order by ID"));
    QCOMPARE(columnOfFile(recordPath(), "select count(*) from TUSELOG").value(0).toInt(), 0);
    QCOMPARE(columnOfFile(recordPath(), "select count(*) from TSETINFO").value(0).toInt(), 0);
    QCOMPARE(columnOfFile(recordPath(), "select count(*) from TSOPLOG").value(0).toInt(), 0);
    const QVariantList names = columnOfFile(
        recordPath(), "select name from sqlite_master where type in ('table', 'index') and name "
                      "not like 'sqlite_sequence' order by name");
    QStringList texts;
    for (const QVariant &n : names)
        texts << n.toString();
    QCOMPARE(texts, QStringList({"TSETINFO", "TSOPLOG", "TSTUDYWORD", "TSW WID Unique", "TUSELOG",
                                 "sqlite_autoindex_TSETINFO_1"}));
}

void TestLearnCourseDB::existingRecordIsUsedAsItIs()
{
    makeRecord(5);
    {
        LearnCourseDB record(recordPath());
        record.setSetting(LearnSetMgr::kLearnMode, 2);
        record.setState(3, LearnCode::Learning);
    }
    // Words added to the course later do not enter the record.
    {
        CourseDB course(coursePath());
        QVERIFY(course.insertWord("later", "后来", "", ""));
    }
    CourseDB course(coursePath());
    LearnCourseDB record(recordPath(), [&course] { return course.wordIds(); });
    QVERIFY(!record.wasCreated());
    QCOMPARE(record.totalWords(), 5);
    QCOMPARE(record.countInState(LearnCode::Learning), 1);
    QCOMPARE(record.setting(LearnSetMgr::kLearnMode, 1).toInt(), 2);
}

void TestLearnCourseDB::emptyFileReadWithoutCourseStaysEmpty()
{
    // A record file left empty (a creation cut short), read by the report or the course
    // lists before the next study: the reader must not turn it into a record without words.
    QVERIFY(makeCourse(coursePath(), 12));
    QDir().mkpath(QFileInfo(recordPath()).absolutePath());
    {
        QFile empty(recordPath());
        QVERIFY(empty.open(QIODevice::WriteOnly));
    }
    {
        LearnCourseDB reader(recordPath());
        QVERIFY(!reader.wasCreated());
        QCOMPARE(reader.totalWords(), 0);
        QVERIFY(reader.allKnown());
    }
    QCOMPARE(QFileInfo(recordPath()).size(), qint64(0));

    // The next study still finds an empty file and fills it with the course's words.
    CourseDB course(coursePath());
    LearnCourseDB record(recordPath(), [&course] { return course.wordIds(); });
    QVERIFY(record.wasCreated());
    QCOMPARE(record.totalWords(), 12);
    QVERIFY(record.noneStarted());
}

void TestLearnCourseDB::fillSkipsWordIdsThatAreNotPositive()
{
    QVERIFY(makeCourse(coursePath(), 3));
    QVERIFY(
        execOnFile(coursePath(), {"insert into tword(id, word, trans) values(0, 'zero', 'x')",
                                  "insert into tword(id, word, trans) values(-4, 'minus', 'y')"}));
    LogCapture log;
    CourseDB course(coursePath());
    LearnCourseDB record(recordPath(), [&course] { return course.wordIds(); });
    QCOMPARE(record.totalWords(), 3);
    QCOMPARE(rowsOfFile(recordPath()).keys(), QList<int>({1, 2, 3}));
    QCOMPARE(log.matching("跳过无效单词id").size(), 2);
}

void TestLearnCourseDB::nextDueWord_data()
{
    // Rows: "wid state fp lastTime", lastTime a number of seconds from now, NULL or EMPTY.
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("expected");
    QTest::newRow("every word new, Fp 0") << QStringList{"1 0 0 NULL", "2 0 0 NULL"} << 0;
    QTest::newRow("smallest Fp first")
        << QStringList{"1 1 1800 -86400", "2 1 300 -86400", "3 1 43200 -86400"} << 2;
    QTest::newRow("equal Fp: earliest LastTime first")
        << QStringList{"1 1 300 -7200", "2 1 300 -10800", "3 1 300 -3600"} << 2;
    QTest::newRow("a due word beats a smaller Fp not yet due")
        << QStringList{"1 1 300 -60", "2 1 1800 -3600"} << 2;
    QTest::newRow("nothing due yet") << QStringList{"1 1 3600 -600", "2 1 300 -10"} << 0;
    QTest::newRow("NULL or empty LastTime never due")
        << QStringList{"1 1 0 NULL", "2 1 0 EMPTY"} << 0;
    QTest::newRow("known words never due") << QStringList{"1 2 0 -86400", "2 0 0 -86400"} << 0;
    QTest::newRow("new words are not due")
        << QStringList{"1 0 0 -86400", "2 1 300 -600", "3 0 0 NULL"} << 2;
}

void TestLearnCourseDB::nextDueWord()
{
    QFETCH(QStringList, rows);
    QFETCH(int, expected);
    QStringList inserts;
    for (const QString &text : rows) {
        const QStringList f = text.split(' ');
        QString last = f.at(3);
        if (last == "EMPTY")
            last = "''";
        else if (last != "NULL")
            last = QStringLiteral("'%1'").arg(localText(last.toLongLong()));
        inserts << QStringLiteral("insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, "
                                  "times, LastTime) values(%1, %2, 0, 0, %3, 0, 1, %4)")
                       .arg(f.at(0), f.at(1), f.at(2), last);
    }
    {
        LearnCourseDB created(recordPath());
    }
    QVERIFY(execOnFile(recordPath(), inserts));
    LearnCourseDB record(recordPath());
    QCOMPARE(record.nextDueWord(), expected);
    // The in-memory copy with its extra indexes gives the same answer.
    LearnCourseDBMemory copy(QStringLiteral("due-copy"));
    QCOMPARE(copy.copyFrom(record), rows.size());
    QCOMPARE(copy.nextDueWord(), expected);
}

void TestLearnCourseDB::memoryCopyDrawsAsTheStatementDoes_data()
{
    QTest::addColumn<int>("fpValues");
    QTest::addColumn<bool>("oddTimes");
    QTest::newRow("the default points and 0") << 9 << false;
    QTest::newRow("odd LastTime texts") << 9 << true;
    QTest::newRow("more Fp values than groups probed") << 200 << true;
}

void TestLearnCourseDB::memoryCopyDrawsAsTheStatementDoes()
{
    QFETCH(int, fpValues);
    QFETCH(bool, oddTimes);
    // A record of 1,500 words in every state, with due and not yet due words on many
    // points. The copy's drawing must pick a word with the same Fp and LastTime as the
    // record's own statement would, draw after draw, until nothing is due.
    LearnCourseDBMemory source(QStringLiteral("draw-source"));
    QRandomGenerator random(7 + fpValues);
    const QList<int> points = {0, 300, 1800, 43200, 86400, 172800, 345600, 604800, 1296000};
    QStringList inserts;
    for (int wid = 1; wid <= 1500; ++wid) {
        const int state = QList<int>({0, 1, 1, 1, 2}).at(random.bounded(5));
        const int fp = fpValues <= points.size() ? points.at(random.bounded(int(points.size())))
                                                 : int(random.bounded(fpValues)) * 97;
        QString last = QStringLiteral("'%1'").arg(
            localText(-qint64(random.bounded(3 * 86400)) + random.bounded(3600)));
        const int odd = oddTimes ? int(random.bounded(12)) : 11;
        if (odd == 0)
            last = "NULL";
        else if (odd == 1)
            last = "''";
        else if (odd == 2)
            last = "'not a time'";
        else if (odd == 3)
            last = QStringLiteral("'%1'").arg(
                QDate::currentDate().addDays(-int(random.bounded(3))).toString("yyyy-MM-dd"));
        else if (odd == 4)
            last = QStringLiteral("'%1'").arg(QDateTime::currentDateTime()
                                                  .addSecs(-qint64(random.bounded(90000)))
                                                  .toString("yyyy-MM-ddTHH:mm"));
        inserts << QStringLiteral("insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, "
                                  "times, LastTime) values(%1, %2, 0, 0, %3, 0, 1, %4)")
                       .arg(wid)
                       .arg(state)
                       .arg(fp)
                       .arg(last);
    }
    QVERIFY(execOnConnection(source.connectionName(), inserts));
    LearnCourseDBMemory copy(QStringLiteral("draw-copy"));
    QCOMPARE(copy.copyFrom(source), 1500);

    int draws = 0;
    for (;;) {
        const int byStatement = copy.LearnCourseDBBase::nextDueWord();
        const int byGroups = copy.nextDueWord();
        const QSqlRecord a = copy.wordRecord(byStatement);
        const QSqlRecord b = copy.wordRecord(byGroups);
        QVERIFY2(a.value("Fp") == b.value("Fp") && a.value("LastTime") == b.value("LastTime"),
                 qPrintable(QStringLiteral("draw %1: %2 (%3, %4) vs %5 (%6, %7)")
                                .arg(draws)
                                .arg(byStatement)
                                .arg(a.value("Fp").toString(), a.value("LastTime").toString())
                                .arg(byGroups)
                                .arg(b.value("Fp").toString(), b.value("LastTime").toString())));
        if (byStatement == 0)
            break;
        copy.setState(byStatement, LearnCode::Known);
        ++draws;
    }
    QVERIFY2(draws > 200, qPrintable(QString::number(draws)));
}

void TestLearnCourseDB::firstNewWordFollowsTableOrder()
{
    {
        LearnCourseDB created(recordPath());
    }
    QVERIFY(execOnFile(recordPath(),
                       {"insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times) "
                        "values(5, 0, 0, 0, 900, 0, 0)",
                        "insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times) "
                        "values(3, 0, 0, 0, 0, 0, 0)",
                        "insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times) "
                        "values(9, 0, 0, 0, 0, 0, 0)"}));
    LearnCourseDB record(recordPath());
    LearnCourseDBMemory copy(QStringLiteral("new-copy"));
    copy.copyFrom(record);
    for (LearnCourseDBBase *store :
         {static_cast<LearnCourseDBBase *>(&record), static_cast<LearnCourseDBBase *>(&copy)}) {
        QCOMPARE(store->firstNewWord(), 5);
        store->setState(5, LearnCode::Learning);
        QCOMPARE(store->firstNewWord(), 3);
        store->setState(3, LearnCode::Known);
        store->setState(9, LearnCode::Learning);
        QCOMPARE(store->firstNewWord(), 0);
    }
}

void TestLearnCourseDB::countsAndFlags()
{
    makeRecord(6);
    LearnCourseDB record(recordPath());
    QVERIFY(record.noneStarted());
    QVERIFY(!record.allKnown());
    record.setState(1, LearnCode::Learning);
    record.setState(2, LearnCode::Known);
    QCOMPARE(record.countInState(LearnCode::New), 4);
    QCOMPARE(record.countInState(LearnCode::Learning), 1);
    QCOMPARE(record.countInState(LearnCode::Known), 1);
    QVERIFY(!record.noneStarted());
    for (int wid = 1; wid <= 6; ++wid)
        record.setState(wid, LearnCode::Known);
    QVERIFY(record.allKnown());

    // An empty record: nothing to learn counts as all known and none started.
    LearnCourseDBMemory empty(QStringLiteral("empty"));
    QCOMPARE(empty.totalWords(), 0);
    QVERIFY(empty.allKnown());
    QVERIFY(empty.noneStarted());
}

void TestLearnCourseDB::wordRecordReturnsTheWholeRow()
{
    makeRecord(3);
    LearnCourseDB record(recordPath());
    record.setStep(2, 4);
    record.setFp(2, 172800);
    record.setDLevel(2, 6);
    record.setTimes(2, 9);
    const QSqlRecord row = record.wordRecord(2);
    QCOMPARE(row.value("WID").toInt(), 2);
    QCOMPARE(row.value("Step").toInt(), 4);
    QCOMPARE(row.value("Fp").toInt(), 172800);
    QCOMPARE(row.value("DLevel").toInt(), 6);
    QCOMPARE(row.value("times").toInt(), 9);
    QCOMPARE(row.count(), 11);
    QVERIFY(record.wordRecord(99).isEmpty());
}

void TestLearnCourseDB::settingsStoreTextAndAreNotJournalled()
{
    makeRecord(1);
    LearnCourseDB record(recordPath());
    QCOMPARE(record.setting("main/learnMode", 1), QVariant(1));
    QVERIFY(!record.hasSetting("main/learnMode"));
    QVERIFY(record.setSetting("main/learnMode", 2));
    QVERIFY(record.hasSetting("main/learnMode"));
    const QVariant stored = record.setting("main/learnMode", 1);
    QCOMPARE(stored.typeId(), int(QMetaType::QString));
    QCOMPARE(stored.toString(), QString("2"));
    QVERIFY(record.setSetting("main/learnMode", 1));
    QCOMPARE(record.setting("main/learnMode", 7).toString(), QString("1"));
    QVERIFY(record.setSetting("main/showES", false));
    QCOMPARE(
        columnOfFile(recordPath(), "select ItemValue from TSETINFO where ItemName = 'main/showES'"),
        QVariantList({"false"}));
    QCOMPARE(columnOfFile(recordPath(), "select count(*) from TSETINFO").value(0).toInt(), 2);
    QVERIFY(record.journal().isEmpty());
}

void TestLearnCourseDB::settingValuesWithQuotesAreStoredExactly()
{
    makeRecord(1);
    LearnCourseDB record(recordPath());
    const QString name = "note's name";
    const QString value = "Tom's '); DROP TABLE TSETINFO; -- 单词";
    QVERIFY(record.setSetting(name, value));
    QVERIFY(record.hasSetting(name));
    QCOMPARE(record.setting(name, QString()).toString(), value);
    QVERIFY(record.setSetting(name, value + "!"));
    QCOMPARE(record.setting(name, QString()).toString(), QString(value + "!"));
    QCOMPARE(record.totalWords(), 1);
}

void TestLearnCourseDB::studyProgress_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<QStringList>("learningSteps");
    QTest::addColumn<int>("knownWords");
    QTest::addColumn<double>("expected");
    QTest::newRow("default points: (7 + 8 x 2) / 80")
        << QString() << QStringList{"1", "2", "4"} << 2 << 28.75;
    QTest::newRow("four points: (7 + 4 x 2) / 40")
        << QString("60,600,6000,60000") << QStringList{"1", "2", "4"} << 2 << 37.5;
    QTest::newRow("steps past the end of the list do not count")
        << QString("60,600") << QStringList{"1", "5"} << 1 << 15.0;
    QTest::newRow("every word known") << QString() << QStringList{} << 10 << 100.0;
    QTest::newRow("every word new") << QString() << QStringList{} << 0 << 0.0;
}

void TestLearnCourseDB::studyProgress()
{
    QFETCH(QString, points);
    QFETCH(QStringList, learningSteps);
    QFETCH(int, knownWords);
    QFETCH(double, expected);
    makeRecord(10);
    LearnCourseDB record(recordPath());
    if (!points.isEmpty())
        record.setSetting(LearnSetMgr::kForgettingPoints, points);
    int wid = 1;
    for (const QString &step : learningSteps) {
        record.setState(wid, LearnCode::Learning);
        record.setStep(wid, step.toInt());
        ++wid;
    }
    for (int k = 0; k < knownWords; ++k, ++wid) {
        record.setState(wid, LearnCode::Known);
        record.setStep(wid, 3);
    }
    QCOMPARE(LearnSetMgr(&record).studyProgress(), float(expected));

    LearnCourseDBMemory empty(QStringLiteral("progress-empty"));
    QCOMPARE(LearnSetMgr(&empty).studyProgress(), 0.0f);
}

void TestLearnCourseDB::stepsPerGradingAndAverageDLevel()
{
    makeRecord(4);
    LearnCourseDB record(recordPath());
    QCOMPARE(record.stepsPerGrading(), 0.0f);
    QCOMPARE(record.averageDLevel(), 0.0f);
    record.setStep(1, 3);
    record.setTimes(1, 4);
    record.setStep(2, 1);
    record.setTimes(2, 4);
    record.setDLevel(3, 6);
    QCOMPARE(record.stepsPerGrading(), 0.5f);
    QCOMPARE(record.averageDLevel(), 1.5f);
    QCOMPARE(record.sumSteps(2, LearnCode::New), 1u);
    QCOMPARE(record.sumSteps(8, LearnCode::New), 4u);

    LearnCourseDBMemory empty(QStringLiteral("averages-empty"));
    QCOMPARE(empty.averageDLevel(), 0.0f);
}

void TestLearnCourseDB::todayNewWordsCountsTodaysLocalDate()
{
    // main() put the process in a time zone where the local date is not the UTC date now.
    QVERIFY(QDateTime::currentDateTime().date() != QDateTime::currentDateTimeUtc().date());
    makeRecord(1);
    const QDate today = QDateTime::currentDateTime().date();
    const QString d = today.toString("yyyy-MM-dd");
    const QString yesterday = today.addDays(-1).toString("yyyy-MM-dd");
    const QString tomorrow = today.addDays(1).toString("yyyy-MM-dd");
    QVERIFY(execOnFile(recordPath(),
                       {insertUseLog(d + " 00:00:30.000", 3), insertUseLog(d + " 07:00:00.000", 4),
                        insertUseLog(yesterday + " 23:59:59.999", 50),
                        insertUseLog(tomorrow + " 00:00:00.000", 600)}));
    LearnCourseDB record(recordPath());
    QCOMPARE(record.todayNewWords(), 7u);
    QCOMPARE(record.totalStudySeconds(), 240u);

    // A session the record writes itself counts too.
    record.addUseLog(QDateTime::currentDateTime(), 30, 5, 1, 0, 0);
    QCOMPARE(record.todayNewWords(), 12u);
}

void TestLearnCourseDB::addUseLogStoresTheLocalStart()
{
    makeRecord(1);
    const QDateTime start = QDateTime::currentDateTime().addSecs(-600);
    {
        LearnCourseDB record(recordPath());
        record.addUseLog(start.toUTC(), 600, 8, 4, 3, 120);
        QCOMPARE(record.journal().size(), 1);
    }
    const QVariantList row = columnOfFile(
        recordPath(), "select BSTime || '|' || STLen || '|' || PauseTLen || '|' || SNWord || '|' "
                      "|| SOWord || '|' || KonwWellWord from TUSELOG");
    QCOMPARE(row.size(), 1);
    QCOMPARE(row.at(0).toString(),
             start.toString("yyyy-MM-dd HH:mm:ss.zzz") + QString("|600|120|8|4|3"));
}

void TestLearnCourseDB::updatesAreJournalledWithTheirStatements()
{
    makeRecord(3);
    LearnCourseDB record(recordPath());
    record.setState(2, 1);
    record.setStep(2, 3);
    record.setFp(2, 86400);
    record.setDLevel(2, 4);
    record.setTimes(2, 5);
    const QString before = localText(-1);
    record.touchLastTime(2);
    const QStringList journal = record.journal();
    QCOMPARE(journal.size(), 6);
    QCOMPARE(journal.at(0), QString("update TSTUDYWORD set STATE = 1 where WID = 2"));
    QCOMPARE(journal.at(1), QString("update TSTUDYWORD set step = 3 where WID = 2"));
    QCOMPARE(journal.at(2), QString("update TSTUDYWORD set fp = 86400 where WID = 2"));
    QCOMPARE(journal.at(3), QString("update TSTUDYWORD set DLevel = 4 where WID = 2"));
    QCOMPARE(journal.at(4), QString("update TSTUDYWORD set times = 5 where WID = 2"));
    QVERIFY(journal.at(5).startsWith("update TSTUDYWORD set LastTime = '"));
    const StudyWordRow row = rowsOfFile(recordPath()).value(2);
    QCOMPARE(row.state, 1);
    QCOMPARE(row.step, 3);
    QCOMPARE(row.fp, 86400);
    QCOMPARE(row.dLevel, 4);
    QCOMPARE(row.times, 5);
    QVERIFY(row.lastTime >= before && row.lastTime <= localText(1));
    QCOMPARE(
        journal.at(5),
        QStringLiteral("update TSTUDYWORD set LastTime = '%1' where WID = 2").arg(row.lastTime));
}

void TestLearnCourseDB::copyUpdateAndReplayLeaveFileAndCopyEqual()
{
    makeRecord(50);
    QVERIFY(execOnFile(recordPath(),
                       {QStringLiteral("update TSTUDYWORD set STATE = 1, Step = 2, Fp = 43200, "
                                       "times = 3, DLevel = 1, LastTime = '%1' where WID <= 20")
                            .arg(localText(-90000)),
                        "update TSTUDYWORD set STATE = 2, times = 6 where WID between 21 and 25"}));
    LearnCourseDB file(recordPath());
    const QMap<int, StudyWordRow> before = rowsOfFile(recordPath());
    LearnCourseDBMemory copy(QStringLiteral("replay-copy"));
    QCOMPARE(copy.copyFrom(file), 50);
    QString why;
    QVERIFY2(sameRows(rowsOfConnection(copy.connectionName()), before, &why), qPrintable(why));

    for (int wid : {3, 17, 30, 44}) {
        copy.touchLastTime(wid);
        copy.setState(wid, LearnCode::Learning);
        copy.setTimes(wid, 7);
        copy.setStep(wid, 1);
        copy.setFp(wid, 1800);
        copy.setDLevel(wid, 2);
    }
    copy.setState(44, LearnCode::Known);
    copy.setDLevel(44, 0);
    QVERIFY2(sameRows(rowsOfFile(recordPath()), before, &why), qPrintable(why));
    QVERIFY(!sameRows(rowsOfConnection(copy.connectionName()), before, &why));

    QVERIFY(file.replay(copy.journal()));
    QVERIFY2(sameRows(rowsOfFile(recordPath()), rowsOfConnection(copy.connectionName()), &why),
             qPrintable(why));
}

void TestLearnCourseDB::copyKeepsLastTimeTextAsItIs()
{
    makeRecord(2);
    const QString odd = "2024-01-01 10:00:00.000'); DROP TABLE TSTUDYWORD; --";
    QVERIFY(execOnFile(recordPath(),
                       {QStringLiteral("update TSTUDYWORD set LastTime = '%1' where WID = 1")
                            .arg(QString(odd).replace("'", "''"))}));
    LearnCourseDB file(recordPath());
    LearnCourseDBMemory copy(QStringLiteral("odd-copy"));
    QCOMPARE(copy.copyFrom(file), 2);
    const QMap<int, StudyWordRow> rows = rowsOfConnection(copy.connectionName());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.value(1).lastTime, odd);
    // NULL becomes the empty string in the copy.
    QVERIFY(!rows.value(2).lastTime.isNull());
    QCOMPARE(rows.value(2).lastTime, QString(""));
}

void TestLearnCourseDB::unreadableRecordReadsZero_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("truncateRealRecord");
    QTest::newRow("text file") << QByteArray("this is not a learning record\n") << false;
    QTest::newRow("random bytes") << QByteArray(3000, '\x9c') << false;
    QTest::newRow("truncated record") << QByteArray() << true;
}

void TestLearnCourseDB::unreadableRecordReadsZero()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, truncateRealRecord);
    if (truncateRealRecord) {
        makeRecord(2000);
        content = fileBytes(recordPath()).left(5000);
        QVERIFY(content.size() == 5000);
    } else {
        QVERIFY(makeCourse(coursePath(), 10));
    }
    QDir().mkpath(QFileInfo(recordPath()).absolutePath());
    {
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    {
        CourseDB course(coursePath());
        LearnCourseDB record(recordPath(), [&course] { return course.wordIds(); });
        QVERIFY(!record.wasCreated());
        QCOMPARE(record.totalWords(), 0);
        QCOMPARE(record.firstNewWord(), 0);
        QCOMPARE(record.nextDueWord(), 0);
        QCOMPARE(record.countInState(LearnCode::Known), 0);
        QCOMPARE(record.todayNewWords(), 0u);
        QCOMPARE(record.totalStudySeconds(), 0u);
        QCOMPARE(LearnSetMgr(&record).studyProgress(), 0.0f);
        QCOMPARE(record.setting(LearnSetMgr::kLearnMode, 1).toInt(), 1);
        QVERIFY(record.wordRecord(1).isEmpty());
        QVERIFY(!record.replay({"update TSTUDYWORD set STATE = 1 where WID = 1"}));
        LearnCourseDBMemory copy(QStringLiteral("bad-copy"));
        QCOMPARE(copy.copyFrom(record), 0);
    }
    QCOMPARE(fileBytes(recordPath()), content);
}

int main(int argc, char **argv)
{
    // A time zone in which the local date differs from the UTC date at this moment, so that
    // counting "today" by UTC would give a different answer than by the local date.
    const int utcHour = QDateTime::currentDateTimeUtc().time().hour();
    qputenv("TZ", utcHour >= 11 ? "LOC-14" : "LOC+12");
    tzset();
    QCoreApplication app(argc, argv);
    TestLearnCourseDB test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_coursedb.moc"
