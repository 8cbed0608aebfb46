#include "learn/freelearnmethod.h"
#include "learn/learncodes.h"
#include "learnfixtures.h"
#include "studysession.h"
#include "testroot.h"

#include <QtTest>

#include <algorithm>
#include <cstdio>

using namespace LearnFixtures;

namespace {

// One way of answering a drawn new word, and the row it leaves.
struct Way
{
    const char *name;
    int grade;
    int check; // 0: none
    bool next; // Next pressed in the learn state
    int state;
    int fp;
    int dLevel;
    bool known;
};

// The ways the study panels allow, as answered for a word never graded before.
const Way kWays[] = {
    {"KnowWell", LearnCode::KnowWell, 0, false, 2, 0, 0, true},
    {"Plain Right", LearnCode::Plain, LearnCode::Right, false, 2, 0, 0, true},
    {"Plain Error Next", LearnCode::Plain, LearnCode::Error, true, 1, 300, 3, false},
    {"Dim Right", LearnCode::Dim, LearnCode::Right, false, 1, 300, 1, false},
    {"Dim Error Next", LearnCode::Dim, LearnCode::Error, true, 1, 300, 3, false},
    {"Oblivious Next", LearnCode::Oblivious, 0, true, 1, 300, 2, false},
    {"Unknown Next", LearnCode::Unknown, 0, true, 1, 300, 3, false},
};
const int kWayCount = int(sizeof(kWays) / sizeof(kWays[0]));
// The learner closes the window while the answer of a Plain is shown: no check.
const Way kPlainUnchecked = {"Plain, window closed", LearnCode::Plain, 0, false, 1, 0, 0, false};

void answer(LearnMethodBase &method, const Way &way)
{
    method.answerAsk(way.grade);
    if (way.check)
        method.answerConfirm(way.check);
    if (way.next)
        method.answerLearn(LearnCode::Next);
}

QString journalMode(const QString &path)
{
    return columnOfFile(path, "PRAGMA journal_mode").value(0).toString();
}

int gradedRows(const QString &path)
{
    return columnOfFile(path, "select count(*) from TSTUDYWORD where times > 0").value(0).toInt();
}

// The killed session: draws and grades words Dim + Right, reports, then waits to be killed.
int runChildSession(const QString &coursePath, const QString &recordPath, int gradings)
{
    StudySession study(coursePath, recordPath);
    study.start();
    for (int i = 0; i < gradings; ++i) {
        if (study.draw() <= 0)
            return 3;
        answer(*study.method, kWays[3]); // Dim, Right
    }
    // What was handed to the file reaches it before the kill.
    auto *free = dynamic_cast<FreeLearnMethod *>(study.method.get());
    for (int i = 0; free && free->unsavedStatements() > 0 && i < 2000; ++i)
        QThread::msleep(5);
    std::printf("graded %d\n", gradings);
    std::fflush(stdout);
    // Killed while waiting: the method's destructor never runs.
    std::getchar();
    return 4;
}

} // namespace

// Whole study sessions against a record file, ended normally or killed.
class TestLearnSession : public QObject
{
    Q_OBJECT

private:
    QString recordPath() const { return m_root->filePath("/udata/tom/o1.ldb"); }
    QString coursePath() const { return m_root->filePath("/odata/course/1.db"); }

    QScopedPointer<TestRoot> m_root;

private slots:
    void init();
    void cleanup();
    void wholeSessionReachesTheFile();
    void writeBackEveryTenGradingsAndAtPause();
    void normalEndEqualsOneReplay();
    void killedSessionKeepsItsWrittenGradings();
};

void TestLearnSession::init()
{
    m_root.reset(new TestRoot);
}

void TestLearnSession::cleanup()
{
    m_root.reset();
}

void TestLearnSession::wholeSessionReachesTheFile()
{
    QVERIFY(makeCourse(coursePath(), 300));
    QMap<int, const Way *> wayOf;
    const QString before = localText(-1);
    int expectedKnown = 0;
    {
        StudySession study(coursePath(), recordPath());
        study.start();
        const QList<int> order = fillOrder(recordPath());
        QCOMPARE(order.size(), 300);
        for (int i = 0; i < 100; ++i) {
            const Way &way = i == 99 ? kPlainUnchecked : kWays[i % kWayCount];
            QCOMPARE(study.draw(), order.at(i));
            answer(*study.method, way);
            wayOf.insert(order.at(i), &way);
            expectedKnown += way.known ? 1 : 0;
            if (i == 44)
                study.method->pauseTiming();
        }
        QCOMPARE(journalMode(recordPath()), QString("wal"));
        study.end(42);
    }
    const QString after = localText(1);
    // The file is back on the rollback journal, nothing left beside it.
    QCOMPARE(journalMode(recordPath()), QString("delete"));
    QVERIFY(!QFileInfo::exists(recordPath() + "-wal"));

    // Every graded row as its way leaves it, every other row untouched.
    const QMap<int, StudyWordRow> rows = rowsOfFile(recordPath());
    QCOMPARE(rows.size(), 300);
    for (const StudyWordRow &row : rows) {
        const Way *way = wayOf.value(row.wid);
        if (!way) {
            QVERIFY2(row.state == 0 && row.step == 0 && row.fp == 0 && row.dLevel == 0 &&
                         row.times == 0 && row.lastTime.isNull(),
                     qPrintable(describe(row)));
            continue;
        }
        const QString what = QString(way->name) + ": " + describe(row);
        QVERIFY2(row.state == way->state && row.step == 0 && row.fp == way->fp &&
                     row.dLevel == way->dLevel && row.times == 1 && row.mark == 0,
                 qPrintable(what));
        QVERIFY2(row.lastTime >= before && row.lastTime <= after, qPrintable(what));
    }
    const QVariantList log = columnOfFile(
        recordPath(),
        "select SNWord || '|' || SOWord || '|' || KonwWellWord || '|' || PauseTLen from TUSELOG");
    QCOMPARE(log, QVariantList({QStringLiteral("100|0|%1|42").arg(expectedKnown)}));

    // Hours later (the stored LastTime values moved back, a third of them on a longer
    // point): the due words come back in Fp, LastTime order, all before any new word.
    QStringList edits;
    QList<std::pair<std::pair<int, QString>, int>> due; // ((Fp, LastTime), WID)
    int j = 0;
    for (const StudyWordRow &row : rows) {
        if (row.state != LearnCode::Learning)
            continue;
        const int fp = j % 3 == 0 ? 1800 : row.fp;
        const QString last = localText(-(4000 + (j * 1919) % 3000));
        edits << QStringLiteral("update TSTUDYWORD set Fp = %1, LastTime = '%2' where WID = %3")
                     .arg(fp)
                     .arg(last)
                     .arg(row.wid);
        due.append({{fp, last}, row.wid});
        ++j;
    }
    std::sort(due.begin(), due.end());
    QVERIFY(execOnFile(recordPath(), edits));
    {
        StudySession later(coursePath(), recordPath());
        later.start();
        for (const auto &word : due) {
            QCOMPARE(later.draw(), word.second);
            answer(*later.method, kWays[0]);
        }
        QCOMPARE(later.draw(), fillOrder(recordPath()).at(100));
        QCOMPARE(later.method->oldWordCount(), int(due.size()));
        QCOMPARE(later.method->newWordCount(), 1);
    }
}

void TestLearnSession::writeBackEveryTenGradingsAndAtPause()
{
    QVERIFY(makeCourse(coursePath(), 40));
    StudySession study(coursePath(), recordPath());
    study.start();
    auto *method = dynamic_cast<FreeLearnMethod *>(study.method.get());
    QVERIFY(method);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(study.draw() > 0);
        answer(*method, kWays[i % kWayCount]);
    }
    QCOMPARE(method->unwrittenGradings(), 10);
    QCOMPARE(gradedRows(recordPath()), 0);
    // The draw after the tenth grading writes the ten (in the background).
    QVERIFY(study.draw() > 0);
    QTRY_COMPARE(gradedRows(recordPath()), 10);
    QCOMPARE(method->unwrittenGradings(), 0);
    answer(*method, kWays[3]);
    for (int i = 0; i < 4; ++i) {
        QVERIFY(study.draw() > 0);
        answer(*method, kWays[i]);
    }
    QCOMPARE(gradedRows(recordPath()), 10);
    method->pauseTiming();
    QTRY_COMPARE(gradedRows(recordPath()), 15);
    QCOMPARE(method->unwrittenGradings(), 0);
    // A pause with nothing new writes nothing and keeps the session going.
    method->pauseTiming();
    QVERIFY(study.draw() > 0);
    QCOMPARE(gradedRows(recordPath()), 15);
}

void TestLearnSession::normalEndEqualsOneReplay()
{
    QVERIFY(makeCourse(coursePath(), 120));
    const QString reference = m_root->filePath("/udata/tom/reference.ldb");
    {
        StudySession created(coursePath(), recordPath());
        // Some words already in learning and due, so due and new words mix.
        QVERIFY(execOnFile(recordPath(),
                           {QStringLiteral("update TSTUDYWORD set STATE = 1, Step = 2, Fp = "
                                           "43200, times = 3, DLevel = 1, LastTime = '%1' where "
                                           "ID % 9 = 0")
                                .arg(localText(-50000))}));
    }
    QVERIFY(QFile::copy(recordPath(), reference));

    QStringList journal;
    {
        StudySession study(coursePath(), recordPath());
        study.start();
        for (int i = 0; i < 37; ++i) {
            QVERIFY(study.draw() > 0);
            answer(*study.method, kWays[(i * 3) % kWayCount]);
            if (i == 23)
                study.method->pauseTiming();
        }
        QVERIFY(study.method->oldWordCount() > 0);
        QVERIFY(study.method->newWordCount() > 0);
        journal = study.method->recordStore()->journal();
        study.method.reset();
    }
    {
        LearnCourseDB ref(reference);
        QVERIFY(ref.replay(journal));
    }
    QString why;
    QVERIFY2(sameRows(rowsOfFile(recordPath()), rowsOfFile(reference), &why), qPrintable(why));
    QVERIFY(gradedRows(recordPath()) > 37 / 2);
}

void TestLearnSession::killedSessionKeepsItsWrittenGradings()
{
    QVERIFY(makeCourse(coursePath(), 60));
    {
        StudySession created(coursePath(), recordPath());
    }
    const QList<int> order = fillOrder(recordPath());

    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--session-child", coursePath(), recordPath(), "25"});
    QVERIFY(child.waitForStarted());
    QByteArray out;
    while (!out.contains('\n') && child.waitForReadyRead(20000))
        out += child.readAllStandardOutput();
    QCOMPARE(out.trimmed(), QByteArray("graded 25"));
    child.kill();
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    // At least the first 20 gradings are in the file, each whole.
    const QMap<int, StudyWordRow> rows = rowsOfFile(recordPath());
    QCOMPARE(rows.size(), 60);
    int graded = 0;
    for (int i = 0; i < order.size(); ++i) {
        const StudyWordRow row = rows.value(order.at(i));
        if (row.times == 0)
            break;
        QVERIFY2(row.state == 1 && row.step == 0 && row.fp == 300 && row.dLevel == 1 &&
                     !row.lastTime.isNull(),
                 qPrintable(describe(row)));
        ++graded;
    }
    QVERIFY2(graded >= 20 && graded <= 25, qPrintable(QString::number(graded)));
    QCOMPARE(gradedRows(recordPath()), graded);
    QCOMPARE(columnOfFile(recordPath(), "select count(*) from TUSELOG").value(0).toInt(), 0);

    // The next session continues from there and leaves the file on the rollback journal.
    {
        StudySession study(coursePath(), recordPath());
        study.start();
        QCOMPARE(study.draw(), order.at(graded));
        answer(*study.method, kWays[0]);
        study.end();
    }
    QCOMPARE(gradedRows(recordPath()), graded + 1);
    QCOMPARE(journalMode(recordPath()), QString("delete"));
    QVERIFY(!QFileInfo::exists(recordPath() + "-wal"));
}

int main(int argc, char **argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--session-child") == 0) {
        QCoreApplication app(argc, argv);
        return runChildSession(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                               QByteArray(argv[4]).toInt());
    }
    QCoreApplication app(argc, argv);
    TestLearnSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_session.moc"
