#include "app/apppath.h"
#include "app/clock.h"
#include "app/userfolder.h"
#include "course/coursecategorymgr.h"
#include "course/mlbasesqlquerymodel.h"
#include "coursefixture.h"
#include "learn/learncodes.h"
#include "learn/learningrecordreader.h"
#include "learn/learnmgr.h"
#include "learn/learnreportmgr.h"
#include "learn/learnsetmgr.h"
#include "learnfixtures.h"
#include "logcapture.h"
#include "testroot.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QThread>
#include <QtTest>

using LearnFixtures::study;

// Reads a learning record file; every call opens its own connection.
class RecordReader
{
public:
    explicit RecordReader(const QString &path) : m_path(path) {}
    QVariant value(const QString &sql) { return columnOfFile(m_path, sql).value(0); }
    bool exec(const QString &sql) { return execOnFile(m_path, {sql}); }
    // "STATE/Step/Fp/DLevel/times" of a word.
    QString word(int wid)
    {
        const QStringList rows = peekRows(
            m_path,
            QStringLiteral("select STATE, Step, Fp, DLevel, times from TSTUDYWORD where WID = %1")
                .arg(wid));
        return rows.isEmpty() ? QStringLiteral("missing") : QString(rows.first()).replace('|', '/');
    }
    // word(1) .. word(count).
    QStringList words(int count)
    {
        QStringList rows;
        for (int wid = 1; wid <= count; ++wid)
            rows << word(wid);
        return rows;
    }

private:
    QString m_path;
};

class TestLearnMgr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void firstSessionCreatesRecordWithEveryWordNew();
    void gradesReachTheRecordAtTheEnd();
    void dueWordComesFirstInTheNextSession();
    void studySpeedCountsActiveTime_data();
    void studySpeedCountsActiveTime();
    void pauseWritesTheGradingsToTheFile();
    void sessionLogWrittenWithoutAnyWord();
    void progressIncludesThisSession();
    void planModeFromTheCourseSettings();
    void missingCourseFileEndsAtOnce_data();
    void missingCourseFileEndsAtOnce();
    void quotedUserCourseIsStudiedAndListed();
    void availabilityCheckDuringSessionKeepsCourseOpen();
    void userNamesStayInTheirFolder_data();
    void userNamesStayInTheirFolder();
    void unknownWordIsDueByTheClockAlone();
    void refusedWriteBacksAreKeptAndReported();
    void killedPlanSessionKeepsItsQuota();
    void wordlessRecordIsFilledAgain();
    void secondSessionOnARecordDoesNotStart();

private:
    // The tree's course id of the course named name under the node.
    int courseIdOf(int nodeId, const QString &name);
    int sixWords()
    {
        return courseIdOf(m_tree->officialCoursesNodeId(), QStringLiteral("六词课程"));
    }
    // Adds an official course with mid and count words "w1".."wN"; its id in the rebuilt tree.
    int addOfficialCourse(int mid, const QString &name, int count);
    QString recordPath(const QString &file) const
    {
        return m_root->filePath(QStringLiteral("/udata/alice/") + file);
    }

    TestRoot *m_root = nullptr;
    CourseCategoryMgr *m_tree = nullptr;
};

void TestLearnMgr::init()
{
    Clock::setOffsetSeconds(0);
    m_root = new TestRoot;
    CatalogueFixture official(m_root->filePath(QStringLiteral("/odata/course/categorycourse.db")));
    const int top = official.addCategory(0, QStringLiteral("官方课程"));
    official.addCategory(0, QStringLiteral("测试课程"));
    official.addCourse(21, 2, top, QStringLiteral("六词课程"), 6, false);
    official.addCourse(22, 2, top, QStringLiteral("未下载课程"), 50, false);
    QVERIFY(writeCourseFile(m_root->filePath(QStringLiteral("/odata/course/21.db")),
                            {QStringLiteral("apple|n. 苹果"), QStringLiteral("bear|n. 熊"),
                             QStringLiteral("cloud|n. 云"), QStringLiteral("dream|n. 梦"),
                             QStringLiteral("earth|n. 地球"), QStringLiteral("frost|n. 霜")}));
    CatalogueFixture user(m_root->filePath(QStringLiteral("/udata/course/categorycourse.db")));
    user.addCategory(0, QStringLiteral("用户课程"), 0, 1);
    user.addCourse(1, 1, 1, QStringLiteral("Tom's words"), 3, true);
    QVERIFY(writeCourseFile(m_root->filePath(QStringLiteral("/udata/course/1.db")),
                            numberedWords(3, QStringLiteral("tom"))));
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
}

void TestLearnMgr::cleanup()
{
    Clock::setOffsetSeconds(0);
    delete m_tree;
    m_tree = nullptr;
    delete m_root;
    m_root = nullptr;
}

int TestLearnMgr::courseIdOf(int nodeId, const QString &name)
{
    QTableView view;
    m_tree->showCourses(&view, nodeId);
    auto *model = qobject_cast<MlBaseSqlQueryModel *>(view.model());
    for (int row = 0; model && row < model->rowCount(); ++row)
        if (m_tree->courseName(model->courseIdAt(row)) == name)
            return model->courseIdAt(row);
    return 0;
}

// The official course with file id mid in the tree, 0 if there is none.
static int courseIdByMid(CourseCategoryMgr &tree, int mid)
{
    for (int i = 1; i < 100; ++i)
        if (tree.courseMid(i) == mid && tree.courseType(i) == CourseCategoryMgr::OfficialCourses)
            return i;
    return 0;
}

int TestLearnMgr::addOfficialCourse(int mid, const QString &name, int count)
{
    {
        CatalogueFixture official(
            m_root->filePath(QStringLiteral("/odata/course/categorycourse.db")));
        official.addCourse(mid, 2, 1, name, count, false);
    }
    if (!writeCourseFile(m_root->filePath(QStringLiteral("/odata/course/%1.db").arg(mid)),
                         numberedWords(count)))
        return 0;
    delete m_tree;
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
    return courseIdByMid(*m_tree, mid);
}

void TestLearnMgr::firstSessionCreatesRecordWithEveryWordNew()
{
    const int id = sixWords();
    QVERIFY(id > 0);
    QVERIFY(!QFile::exists(recordPath(QStringLiteral("o21.ldb"))));
    LogCapture log;
    LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
    QVERIFY(log.contains(QStringLiteral("LearnMgr::LearnMgr s")));
    QCOMPARE(g_pLearnMgr, &mgr);
    QCOMPARE(mgr.courseName(), QStringLiteral("六词课程"));
    QCOMPARE(mgr.courseMid(), 21);
    QCOMPARE(mgr.courseType(), 2);
    QCOMPARE(mgr.recordPath(), appPath(QStringLiteral("/udata/alice/o21.ldb")));
    QVERIFY(QFile::exists(recordPath(QStringLiteral("o21.ldb"))));
    QVERIFY(mgr.isCourseUntouched());
    QCOMPARE(mgr.learnSetMgr()->learnMode(), 1);
    QCOMPARE(RecordReader(recordPath(QStringLiteral("o21.ldb")))
                 .value(QStringLiteral("select count(*) || '/' || sum(STATE = 0 and Step = 0 and "
                                       "times = 0 and LastTime is null) from TSTUDYWORD"))
                 .toString(),
             QStringLiteral("6/6"));

    const int first = mgr.nextWord();
    QCOMPARE(first, 1);
    QCOMPARE(mgr.currentWord().value("word").toString(), QStringLiteral("apple"));
    QCOMPARE(mgr.currentWord().value("trans").toString(), QStringLiteral("n. 苹果"));
    QCOMPARE(mgr.currentWord().value("id").toInt(), 1);
    QVERIFY(mgr.currentWord().contains(QStringLiteral("phonetic")));
    QVERIFY(mgr.currentWord().contains(QStringLiteral("esentence")));
    QCOMPARE(mgr.newWordCount(), 1);
}

void TestLearnMgr::gradesReachTheRecordAtTheEnd()
{
    const int id = sixWords();
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(study(mgr, LearnCode::KnowWell), 1);
        QCOMPARE(study(mgr, LearnCode::Plain, LearnCode::Right), 2);
        QCOMPARE(study(mgr, LearnCode::Unknown, 0, LearnCode::Next), 3);
        QCOMPARE(study(mgr, LearnCode::Dim, LearnCode::Error), 4);
        QCOMPARE(study(mgr, LearnCode::Oblivious, 0, LearnCode::Next), 5);
        QCOMPARE(mgr.newWordCount(), 5);
        QCOMPARE(mgr.oldWordCount(), 0);
        QCOMPARE(mgr.knownWellCount(), 2);
        // The file still holds the start of the session.
        QVERIFY(mgr.isCourseUntouched());
        RecordReader before(recordPath(QStringLiteral("o21.ldb")));
        QCOMPARE(before.value(QStringLiteral("select count(*) from TUSELOG")).toInt(), 0);
    }
    QCOMPARE(g_pLearnMgr, nullptr);
    RecordReader record(recordPath(QStringLiteral("o21.ldb")));
    // STATE/Step/Fp/DLevel/times after: KnowWell; Plain + Right (first grading);
    // Unknown + Next; Dim + Error; Oblivious + Next; the sixth word never drawn.
    QCOMPARE(record.words(6),
             (QStringList{QStringLiteral("2/0/0/0/1"), QStringLiteral("2/0/0/0/1"),
                          QStringLiteral("1/0/300/3/1"), QStringLiteral("1/0/300/3/1"),
                          QStringLiteral("1/0/300/2/1"), QStringLiteral("0/0/0/0/0")}));
    QCOMPARE(record.value(QStringLiteral("select count(*) from TUSELOG")).toInt(), 1);
    QCOMPARE(record
                 .value(QStringLiteral("select SNWord || '/' || SOWord || '/' || KonwWellWord "
                                       "from TUSELOG"))
                 .toString(),
             QStringLiteral("5/0/2"));
}

void TestLearnMgr::dueWordComesFirstInTheNextSession()
{
    const int id = sixWords();
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(study(mgr, LearnCode::Unknown, 0, LearnCode::Next), 1);
        QCOMPARE(study(mgr, LearnCode::KnowWell), 2);
        // Not due yet within the session: the next draw is a new word.
        QCOMPARE(mgr.nextWord(), 3);
    }
    {
        // Ten minutes later: word 1 is due again (its forgetting point is 300 seconds).
        RecordReader record(recordPath(QStringLiteral("o21.ldb")));
        QVERIFY(record.exec(QStringLiteral("update TSTUDYWORD set LastTime = strftime('%Y-%m-%d "
                                           "%H:%M:%f', 'now', 'localtime', '-600 seconds') "
                                           "where LastTime is not null")));
    }
    LearnMgr again(QStringLiteral("alice"), id, m_tree);
    QVERIFY(!again.isCourseUntouched());
    QCOMPARE(again.nextWord(), 1);
    QCOMPARE(again.currentWord().value("word").toString(), QStringLiteral("apple"));
    QCOMPARE(again.oldWordCount(), 1);
    QCOMPARE(again.newWordCount(), 0);
    again.answerAsk(LearnCode::KnowWell);
    QCOMPARE(again.nextWord(), 3);
    QCOMPARE(again.newWordCount(), 1);
}

void TestLearnMgr::studySpeedCountsActiveTime_data()
{
    QTest::addColumn<int>("pauseAt");
    QTest::addColumn<int>("pauseLength");
    QTest::addColumn<int>("openPauseAt"); // a pause still open at the end, -1 for none
    QTest::addColumn<int>("age");
    QTest::addColumn<int>("speed");
    // Three new words drawn, all known well: 6 words handled. The idle span still open at
    // the end is neither paused nor lost from the length.
    QTest::newRow("no pause") << 0 << 0 << -1 << 600 << 36;
    QTest::newRow("120 seconds paused of 600") << 100 << 120 << -1 << 600 << 45;
    QTest::newRow("paused all the time") << 0 << 300 << -1 << 300 << 0;
    QTest::newRow("one pause ended, another open") << 100 << 120 << 500 << 600 << 45;
    QTest::newRow("only an open pause") << 0 << 0 << 300 << 600 << 36;
}

void TestLearnMgr::studySpeedCountsActiveTime()
{
    QFETCH(int, pauseAt);
    QFETCH(int, pauseLength);
    QFETCH(int, openPauseAt);
    QFETCH(int, age);
    QFETCH(int, speed);
    const int id = sixWords();
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        for (int i = 0; i < 3; ++i)
            QVERIFY(study(mgr, LearnCode::KnowWell) > 0);
        if (pauseLength > 0) {
            Clock::setOffsetSeconds(pauseAt);
            mgr.pauseTiming();
            mgr.pauseTiming(); // a second report of the same pause changes nothing
            Clock::setOffsetSeconds(pauseAt + pauseLength);
            mgr.resumeTiming();
            mgr.resumeTiming();
        }
        if (openPauseAt >= 0) {
            Clock::setOffsetSeconds(openPauseAt);
            mgr.pauseTiming();
        }
        Clock::setOffsetSeconds(age);
        QCOMPARE(mgr.pausedSeconds(), pauseLength);
        QCOMPARE(mgr.studySpeed(), speed);
    }
    RecordReader record(recordPath(QStringLiteral("o21.ldb")));
    QCOMPARE(
        record.value(QStringLiteral("select STLen || '/' || PauseTLen from TUSELOG")).toString(),
        QStringLiteral("%1/%2").arg(age).arg(pauseLength));
}

void TestLearnMgr::pauseWritesTheGradingsToTheFile()
{
    const int id = sixWords();
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(study(mgr, LearnCode::KnowWell), 1);
        QCOMPARE(study(mgr, LearnCode::Unknown, 0, LearnCode::Next), 2);
        QVERIFY(mgr.isCourseUntouched());
        // Going idle hands the gradings so far, and the session row, to the file record.
        mgr.pauseTiming();
        QTRY_VERIFY(!mgr.isCourseUntouched());
        RecordReader paused(recordPath(QStringLiteral("o21.ldb")));
        QCOMPARE(paused.words(3),
                 (QStringList{QStringLiteral("2/0/0/0/1"), QStringLiteral("1/0/300/3/1"),
                              QStringLiteral("0/0/0/0/0")}));
        QCOMPARE(paused.value(QStringLiteral("select count(*) from TUSELOG")).toInt(), 1);
        mgr.resumeTiming();
        QCOMPARE(study(mgr, LearnCode::KnowWell), 3);
    }
    RecordReader record(recordPath(QStringLiteral("o21.ldb")));
    // Gradings written at the pause are neither lost nor applied twice.
    QCOMPARE(record.words(3),
             (QStringList{QStringLiteral("2/0/0/0/1"), QStringLiteral("1/0/300/3/1"),
                          QStringLiteral("2/0/0/0/1")}));
    QCOMPARE(record.value(QStringLiteral("select count(*) from TUSELOG")).toInt(), 1);
    QCOMPARE(record
                 .value(QStringLiteral("select SNWord || '/' || SOWord || '/' || KonwWellWord "
                                       "from TUSELOG"))
                 .toString(),
             QStringLiteral("3/0/2"));
}

void TestLearnMgr::sessionLogWrittenWithoutAnyWord()
{
    const int id = sixWords();
    {
        LogCapture log;
        {
            LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        }
        QVERIFY(log.contains(QStringLiteral("LearnMgr::LearnMgr e")));
    }
    RecordReader record(recordPath(QStringLiteral("o21.ldb")));
    QCOMPARE(record
                 .value(QStringLiteral("select count(*) from TUSELOG where SNWord = 0 and "
                                       "SOWord = 0 and KonwWellWord = 0"))
                 .toInt(),
             1);
    QCOMPARE(
        record.value(QStringLiteral("select count(*) from TSTUDYWORD where STATE = 0")).toInt(), 6);
}

void TestLearnMgr::progressIncludesThisSession()
{
    const int id = sixWords();
    LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
    QCOMPARE(mgr.progressPercent(), 0.0f);
    study(mgr, LearnCode::KnowWell);
    study(mgr, LearnCode::KnowWell);
    // Two of six words known: 100 * 8 * 2 / (8 * 6).
    QVERIFY(qAbs(mgr.progressPercent() - 100.0f / 3.0f) < 0.01f);
}

void TestLearnMgr::planModeFromTheCourseSettings()
{
    const int id = sixWords();
    {
        LearnMgr first(QStringLiteral("alice"), id, m_tree);
        first.learnSetMgr()->setLearnMode(2);
        first.learnSetMgr()->setPlanWordCount(2);
        // The running session keeps its free method.
        for (int i = 0; i < 3; ++i)
            QVERIFY(study(first, LearnCode::KnowWell) > 0);
    }
    LearnMgr plan(QStringLiteral("alice"), id, m_tree);
    QCOMPARE(plan.learnSetMgr()->learnMode(), 2);
    // Three new words today already: the quota of two is used up.
    QCOMPARE(plan.nextWord(), int(LearnCode::QuotaUsed));
    QVERIFY(plan.currentWord().isEmpty());
}

void TestLearnMgr::missingCourseFileEndsAtOnce_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("unknownEntry");
    QTest::newRow("official course not downloaded") << QStringLiteral("未下载课程") << false;
    QTest::newRow("entry not in the tree") << QString() << true;
}

void TestLearnMgr::missingCourseFileEndsAtOnce()
{
    QFETCH(QString, name);
    QFETCH(bool, unknownEntry);
    const int id = unknownEntry ? 9999 : courseIdOf(m_tree->officialCoursesNodeId(), name);
    QVERIFY(id > 0);
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(mgr.nextWord(), int(LearnCode::AllKnown));
        QVERIFY(mgr.currentWord().isEmpty());
        mgr.answerAsk(LearnCode::Plain);
        mgr.answerConfirm(LearnCode::Right);
        mgr.answerLearn(LearnCode::Next);
        QCOMPARE(mgr.nextWord(), int(LearnCode::AllKnown));
        QCOMPARE(mgr.studySpeed(), 0);
        QCOMPARE(mgr.progressPercent(), 0.0f);
        QVERIFY(!mgr.isCourseUntouched());
        QVERIFY(mgr.learnSetMgr());
    }
    // No record is made for a course that has no words to fill it with: once the course is
    // downloaded, its first session makes a full one.
    QDir folder(m_root->filePath(QStringLiteral("/udata/alice")));
    QVERIFY(folder.entryList(QStringList{QStringLiteral("*.ldb")}, QDir::Files).isEmpty());
    if (!unknownEntry) {
        QVERIFY(writeCourseFile(m_root->filePath(QStringLiteral("/odata/course/22.db")),
                                numberedWords(4)));
        LearnMgr later(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(later.nextWord(), 1);
        QCOMPARE(later.currentWord().value("word").toString(), QStringLiteral("w1"));
    }
}

void TestLearnMgr::quotedUserCourseIsStudiedAndListed()
{
    const int id = courseIdOf(m_tree->userCoursesNodeId(), QStringLiteral("Tom's words"));
    QVERIFY(id > 0);
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(mgr.courseType(), 1);
        QCOMPARE(study(mgr, LearnCode::KnowWell), 1);
        QCOMPARE(mgr.currentWord().value("word").toString(), QStringLiteral("tom1"));
        QCOMPARE(study(mgr, LearnCode::Unknown, 0, LearnCode::Next), 2);
    }
    QVERIFY(QFile::exists(recordPath(QStringLiteral("u1.ldb"))));
    // The rebuilt tree lists it among the courses being learned, with its statistics.
    delete m_tree;
    m_tree = new CourseCategoryMgr(QStringLiteral("alice"), readLearningRecord);
    QTableView view;
    m_tree->showCourses(&view, m_tree->learningNodeId());
    QAbstractItemModel *model = view.model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("Tom's words"));
    QCOMPARE(model->data(model->index(0, 4)).toString(), QStringLiteral("1个")); // mwcount
    QCOMPARE(model->data(model->index(0, 5)).toString(), QStringLiteral("1个")); // swcount
}

void TestLearnMgr::availabilityCheckDuringSessionKeepsCourseOpen()
{
    const int id = sixWords();
    LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
    QCOMPARE(mgr.nextWord(), 1);
    // A second object on the same course file comes and goes.
    QVERIFY(m_tree->isCourseAvailable(id));
    mgr.answerAsk(LearnCode::KnowWell);
    QCOMPARE(mgr.nextWord(), 2);
    QCOMPARE(mgr.currentWord().value("word").toString(), QStringLiteral("bear"));
}

void TestLearnMgr::userNamesStayInTheirFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("studied");
    QTest::newRow("placeholder") << QStringLiteral("bob%3") << true;
    QTest::newRow("quotes, spaces, emoji") << QStringLiteral("it's \"me\" 😀 %1") << true;
    QTest::newRow("300 characters") << QString(300, QChar(0x5B66)) << true;
    QTest::newRow("parent") << QStringLiteral("../x") << false;
    QTest::newRow("dot-dot") << QStringLiteral("..") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
}

void TestLearnMgr::userNamesStayInTheirFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, studied);
    const int id = sixWords();
    // Another learner whose folder a placeholder in the name could reach.
    QVERIFY(QDir().mkpath(m_root->filePath(QStringLiteral("/udata/bob21"))));
    const QStringList before = QDir(m_root->path()).entryList(QDir::AllEntries);
    {
        CourseCategoryMgr tree(name, readLearningRecord);
        LearnMgr mgr(name, id, &tree);
        QCOMPARE(study(mgr, LearnCode::KnowWell), studied ? 1 : int(LearnCode::AllKnown));
    }
    const QString record = userFilePath(name, QStringLiteral("o21.ldb"));
    QCOMPARE(QFileInfo::exists(record), studied);
    if (studied)
        QVERIFY(QDir::cleanPath(record).startsWith(m_root->filePath(QStringLiteral("/udata/"))));
    if (name.size() < 100)
        QCOMPARE(record.isEmpty() || record == m_root->filePath("/udata/" + name + "/o21.ldb"),
                 true);
    QVERIFY(QDir(m_root->filePath(QStringLiteral("/udata/bob21"))).isEmpty());
    QCOMPARE(QDir(m_root->path()).entryList(QDir::AllEntries), before);
    // The tree's statistics and the report read the learner's own record, and only it.
    CourseCategoryMgr tree(name, readLearningRecord);
    QCOMPARE(tree.hasLearnFiles(), studied);
    LearnReportMgr report(name);
    QCOMPARE(report.refresh(), studied ? 1 : 0);
}

void TestLearnMgr::unknownWordIsDueByTheClockAlone()
{
    const int id = sixWords();
    LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
    QCOMPARE(study(mgr, LearnCode::Unknown, 0, LearnCode::Next), 1);
    Clock::setOffsetSeconds(299);
    QCOMPARE(study(mgr, LearnCode::KnowWell), 2);
    Clock::setOffsetSeconds(301);
    QCOMPARE(mgr.nextWord(), 1);
}

void TestLearnMgr::refusedWriteBacksAreKeptAndReported()
{
    const int id = addOfficialCourse(23, QStringLiteral("长课程"), 320);
    QVERIFY(id > 0);
    const QString path = recordPath(QStringLiteral("o23.ldb"));
    {
        LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
        QVERIFY(mgr.gradingsSaved());
        QVERIFY(RecordReader(path).exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE UPDATE ON TSTUDYWORD BEGIN SELECT RAISE(ABORT, "
            "'disk full'); END")));
        for (int i = 0; i < 300; ++i)
            QVERIFY(study(mgr, LearnCode::KnowWell) > 0);
        QTRY_VERIFY(!mgr.gradingsSaved());
        QVERIFY(mgr.saveError().contains(QStringLiteral("disk full")));
        QVERIFY(RecordReader(path).exec(QStringLiteral("DROP TRIGGER refuse")));
        // The next write-back point writes everything kept, once.
        mgr.pauseTiming();
        QTRY_VERIFY(mgr.gradingsSaved());
        QCOMPARE(mgr.saveError(), QString());
        // The batch handed over while the last refused one was being tried follows it.
        QTRY_COMPARE(RecordReader(path)
                         .value(QStringLiteral("select count(*) || '/' || sum(times) from "
                                               "TSTUDYWORD where STATE = 2"))
                         .toString(),
                     QStringLiteral("300/300"));
        QCOMPARE(RecordReader(path).value(QStringLiteral("select count(*) from TUSELOG")).toInt(),
                 1);
    }
    RecordReader record(path);
    QCOMPARE(record.value(QStringLiteral("select count(*) || '/' || sum(SNWord) from TUSELOG"))
                 .toString(),
             QStringLiteral("1/300"));
}

void TestLearnMgr::killedPlanSessionKeepsItsQuota()
{
    const int id = addOfficialCourse(24, QStringLiteral("计划课程"), 60);
    QVERIFY(id > 0);
    {
        LearnMgr setup(QStringLiteral("alice"), id, m_tree);
        setup.learnSetMgr()->setLearnMode(2);
        setup.learnSetMgr()->setPlanWordCount(25);
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--plan-child"), QStringLiteral("24")});
    QVERIFY(child.waitForStarted());
    QByteArray out;
    while (!out.contains('\n') && child.waitForReadyRead(20000))
        out += child.readAllStandardOutput();
    QVERIFY2(out.trimmed() == "quota used", child.readAllStandardError().right(600).constData());
    child.kill();
    QVERIFY(child.waitForFinished(20000));

    LearnMgr next(QStringLiteral("alice"), id, m_tree);
    QCOMPARE(next.nextWord(), int(LearnCode::QuotaUsed));
}

void TestLearnMgr::wordlessRecordIsFilledAgain()
{
    // What a session killed between making the tables and filling them left behind.
    QVERIFY(writeLearnRecord(recordPath(QStringLiteral("o21.ldb")), {}));
    const int id = sixWords();
    LearnMgr mgr(QStringLiteral("alice"), id, m_tree);
    QCOMPARE(study(mgr, LearnCode::KnowWell), 1);
    QCOMPARE(mgr.nextWord(), 2);
}

void TestLearnMgr::secondSessionOnARecordDoesNotStart()
{
    const int id = sixWords();
    {
        LearnMgr first(QStringLiteral("alice"), id, m_tree);
        QCOMPARE(study(first, LearnCode::KnowWell), 1);
        {
            LogCapture log;
            LearnMgr second(QStringLiteral("alice"), id, m_tree);
            QVERIFY(second.recordInUse());
            QCOMPARE(second.nextWord(), int(LearnCode::InUse));
            QVERIFY(log.contains(QStringLiteral("另一个学习")));
        }
        QCOMPARE(study(first, LearnCode::KnowWell), 2);
    }
    LearnMgr third(QStringLiteral("alice"), id, m_tree);
    QVERIFY(!third.recordInUse());
    QCOMPARE(third.nextWord(), 3);
}

// The killed plan session: studies until the quota is used, waits until that reached the
// file, reports, then waits to be killed.
static int runPlanChild(int mid)
{
    CourseCategoryMgr tree(QStringLiteral("alice"), readLearningRecord);
    LearnMgr mgr(QStringLiteral("alice"), courseIdByMid(tree, mid), &tree);
    int word = 0;
    while ((word = mgr.nextWord()) > 0)
        mgr.answerAsk(LearnCode::KnowWell);
    if (word != LearnCode::QuotaUsed)
        return 3;
    const QString path = mgr.recordPath();
    for (int i = 0; i < 2000; ++i) {
        if (RecordReader(path).value(QStringLiteral("select sum(SNWord) from TUSELOG")).toInt() >
            25)
            break;
        QThread::msleep(5);
    }
    std::printf("quota used\n");
    std::fflush(stdout);
    std::getchar();
    return 4;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--plan-child") == 0)
        return runPlanChild(QByteArray(argv[2]).toInt());
    TestLearnMgr test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_learnmgr.moc"
