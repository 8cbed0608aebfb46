#include "app/clock.h"
#include "learn/freelearnmethod.h"
#include "learn/learncodes.h"
#include "learn/learnmgr.h"
#include "learn/learnsetmgr.h"
#include "learnfixtures.h"
#include "studyfixture.h"

#include <QFile>
#include <QtTest>

using namespace LearnFixtures;

// Taking answers back during a study session: the session's record copy, its counts and
// the record file end as if the undone answers had never been given.
class TestUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void undoRestoresRowAndCounts_data();
    void undoRestoresRowAndCounts();
    void undoAcrossAWriteBackPoint();
    void undoAfterAPause();
    void planQuotaCountsAWordDrawnNewOnce();

private:
    // "new/due/known well" of the session.
    static QString counts(const LearnMgr &mgr)
    {
        return QStringLiteral("%1/%2/%3")
            .arg(mgr.newWordCount())
            .arg(mgr.oldWordCount())
            .arg(mgr.knownWellCount());
    }
    static QMap<int, StudyWordRow> sessionRows()
    {
        return rowsOfConnection(QLatin1String(FreeLearnMethod::kMemoryConnectionName));
    }
    // The file's rows with each LastTime reduced to whether it is set: two sessions grade
    // at different moments.
    QMap<int, StudyWordRow> fileRows() const;
    // "SNWord/SOWord/KonwWellWord" of the file's session rows.
    QString sessionLog() const;
    QString recordPath() const { return m_fixture->recordPath(); }

    StudyFixture *m_fixture = nullptr;
    CourseCategoryMgr *m_tree = nullptr;
    int m_courseId = 0;
};

void TestUndo::init()
{
    m_fixture = new StudyFixture;
    m_tree = m_fixture->tree();
    m_courseId = m_fixture->courseId();
    QVERIFY(m_courseId > 0);
    // The record file exists before every session of the test.
    {
        LearnMgr first(QStringLiteral("alice"), m_courseId, m_tree);
    }
    QVERIFY(m_fixture->exec({"delete from TUSELOG"}));
}

void TestUndo::cleanup()
{
    delete m_fixture;
    m_fixture = nullptr;
}

QMap<int, StudyWordRow> TestUndo::fileRows() const
{
    QMap<int, StudyWordRow> rows = rowsOfFile(recordPath());
    for (StudyWordRow &row : rows)
        row.lastTime = row.lastTime.isEmpty() ? QString() : QStringLiteral("set");
    return rows;
}

QString TestUndo::sessionLog() const
{
    QStringList logs;
    for (const QVariant &log : columnOfFile(
             recordPath(), "select SNWord || '/' || SOWord || '/' || KonwWellWord from TUSELOG"))
        logs << log.toString();
    return logs.join(QLatin1Char(' '));
}

void TestUndo::undoRestoresRowAndCounts_data()
{
    QTest::addColumn<bool>("due");
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("check");
    QTest::addColumn<int>("answer");
    const struct
    {
        const char *name;
        int grade, check, answer;
    } ways[] = {
        // Undo restores the whole row, so one way per path through the panels suffices.
        {"know well", LearnCode::KnowWell, 0, 0},
        {"plain, not yet checked", LearnCode::Plain, 0, 0},
        {"plain right", LearnCode::Plain, LearnCode::Right, 0},
        {"plain wrong", LearnCode::Plain, LearnCode::Error, LearnCode::Next},
        {"dim right", LearnCode::Dim, LearnCode::Right, 0},
        {"unknown", LearnCode::Unknown, 0, LearnCode::Next},
    };
    for (const auto &way : ways) {
        QTest::addRow("new word, %s", way.name) << false << way.grade << way.check << way.answer;
        QTest::addRow("due word, %s", way.name) << true << way.grade << way.check << way.answer;
    }
}

void TestUndo::undoRestoresRowAndCounts()
{
    QFETCH(bool, due);
    QFETCH(int, grade);
    QFETCH(int, check);
    QFETCH(int, answer);
    if (due)
        QVERIFY(m_fixture->exec({"update TSTUDYWORD set STATE = 1, Step = 2, Fp = 43200, "
                                 "DLevel = 1, times = 3, LastTime = '" +
                                 Clock::format(Clock::now().addDays(-2)) + "' where WID = 5"}));
    const QMap<int, StudyWordRow> fileBefore = rowsOfFile(recordPath());
    {
        LearnMgr mgr(QStringLiteral("alice"), m_courseId, m_tree);
        QVERIFY(!mgr.canUndo());
        QCOMPARE(mgr.undo(), 0);
        const QMap<int, StudyWordRow> before = sessionRows();
        const int word = mgr.nextWord();
        QCOMPARE(word, due ? 5 : 1);
        const QString drawn = counts(mgr);
        QVERIFY(!mgr.canUndo());

        for (int round = 0; round < 2; ++round) {
            mgr.answerAsk(grade);
            if (check)
                mgr.answerConfirm(check);
            if (answer)
                mgr.answerLearn(answer);
            QVERIFY(sessionRows() != before);
            QVERIFY(mgr.canUndo());
            // The second round goes on to a word graded well, then takes both back.
            const int undos = round == 0 ? 1 : 2;
            if (round == 1)
                QVERIFY(study(mgr, LearnCode::KnowWell) > 0);
            for (int i = 0; i < undos; ++i)
                QVERIFY(mgr.undo() > 0);
            QString why;
            QVERIFY2(sameRows(sessionRows(), before, &why), qPrintable(why));
            QCOMPARE(counts(mgr), drawn);
            QCOMPARE(mgr.currentWord().value(QStringLiteral("id")).toInt(), word);
            QVERIFY(!mgr.canUndo());
        }
    }
    // Every answer was taken back: the file's words are as they were.
    QString why;
    QVERIFY2(sameRows(rowsOfFile(recordPath()), fileBefore, &why), qPrintable(why));
    QCOMPARE(sessionLog(), due ? QStringLiteral("0/1/0") : QStringLiteral("1/0/0"));
}

void TestUndo::undoAcrossAWriteBackPoint()
{
    const QString start = m_fixture->root().filePath(QStringLiteral("/start.ldb"));
    QVERIFY(QFile::copy(recordPath(), start));
    // The session as if the undone answers had never been given: eight words known well,
    // the ninth drawn.
    {
        LearnMgr mgr(QStringLiteral("alice"), m_courseId, m_tree);
        for (int i = 0; i < 8; ++i)
            QVERIFY(study(mgr, LearnCode::KnowWell) > 0);
        QCOMPARE(mgr.nextWord(), 9);
    }
    const QMap<int, StudyWordRow> expected = fileRows();
    const QString expectedLog = sessionLog();
    QCOMPARE(expectedLog, QStringLiteral("9/0/8"));
    QVERIFY(QFile::remove(recordPath()) && QFile::copy(start, recordPath()));

    {
        LearnMgr mgr(QStringLiteral("alice"), m_courseId, m_tree);
        for (int i = 0; i < 10; ++i)
            QVERIFY(study(mgr, LearnCode::Unknown, 0, LearnCode::Next) > 0);
        // This draw writes the ten gradings back; two of them are then taken back.
        QCOMPARE(mgr.nextWord(), 11);
        QTRY_COMPARE(rowsOfFile(recordPath()).value(10).state, 1);
        QCOMPARE(mgr.undo(), 10);
        QCOMPARE(mgr.undo(), 9);
        QCOMPARE(mgr.newWordCount(), 9);
        // The first eight are answered again, differently.
        for (int wid = 1; wid <= 8; ++wid)
            QVERIFY(mgr.undo() > 0);
        QCOMPARE(mgr.currentWord().value(QStringLiteral("id")).toInt(), 1);
        QVERIFY(!mgr.canUndo());
        mgr.answerAsk(LearnCode::KnowWell);
        for (int i = 0; i < 7; ++i)
            QVERIFY(study(mgr, LearnCode::KnowWell) > 0);
        QCOMPARE(mgr.nextWord(), 9);
    }
    QString why;
    QVERIFY2(sameRows(fileRows(), expected, &why), qPrintable(why));
    QCOMPARE(sessionLog(), expectedLog);
}

void TestUndo::undoAfterAPause()
{
    {
        LearnMgr mgr(QStringLiteral("alice"), m_courseId, m_tree);
        QCOMPARE(study(mgr, LearnCode::Dim, LearnCode::Right), 1);
        const int known = mgr.knownWellCount();
        QCOMPARE(study(mgr, LearnCode::KnowWell), 2);
        QCOMPARE(mgr.knownWellCount(), known + 1);
        mgr.pauseTiming();
        QTRY_COMPARE(rowsOfFile(recordPath()).value(2).state, 2);
        mgr.resumeTiming();
        QCOMPARE(mgr.undo(), 2);
        QCOMPARE(mgr.knownWellCount(), known);
        // The restored row reaches the file at the next write-back point.
        mgr.pauseTiming();
        QTRY_COMPARE(rowsOfFile(recordPath()).value(2).state, 0);
        mgr.resumeTiming();
    }
    const QMap<int, StudyWordRow> rows = rowsOfFile(recordPath());
    QCOMPARE(rows.value(1).state, 1);
    QCOMPARE(rows.value(2).state, 0);
    QVERIFY(rows.value(2).lastTime.isNull());
    QCOMPARE(rows.value(2).times, 0);
    QCOMPARE(sessionLog(), QStringLiteral("2/0/0"));
}

void TestUndo::planQuotaCountsAWordDrawnNewOnce()
{
    {
        LearnMgr settings(QStringLiteral("alice"), m_courseId, m_tree);
        settings.learnSetMgr()->setLearnMode(2);
        settings.learnSetMgr()->setPlanWordCount(2);
    }
    QVERIFY(m_fixture->exec({"delete from TUSELOG"}));
    LearnMgr mgr(QStringLiteral("alice"), m_courseId, m_tree);
    QCOMPARE(study(mgr, LearnCode::KnowWell), 1);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(mgr.undo(), 1);
        mgr.answerAsk(LearnCode::KnowWell);
    }
    QCOMPARE(study(mgr, LearnCode::KnowWell), 2);
    QCOMPARE(mgr.undo(), 2);
    QCOMPARE(mgr.undo(), 1);
    mgr.answerAsk(LearnCode::KnowWell);
    // Two new words today, however often they were taken back: the quota of two is used.
    QCOMPARE(study(mgr, LearnCode::KnowWell), 2);
    QCOMPARE(mgr.newWordCount(), 2);
    QCOMPARE(mgr.nextWord(), int(LearnCode::QuotaUsed));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
