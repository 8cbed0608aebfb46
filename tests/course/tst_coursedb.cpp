#include "app/apppath.h"
#include "course/coursedb.h"
#include "course/fullworddb.h"
#include "logcapture.h"
#include "sqlitefile.h"
#include "testfiles.h"
#include "testroot.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

class TestCourseDB : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingFileIsLoggedAndCreatable();
    void wordsRoundTrip_data();
    void wordsRoundTrip();
    void duplicateWordKeepsFirst();
    void batchInsertStoresAsSingleInserts();
    void unknownIdFailsAndLogsPathAndId_data();
    void unknownIdFailsAndLogsPathAndId();
    void notADatabaseCountsZero();
    void exampleSentences_data();
    void exampleSentences();
    void missingSentenceDatabaseIsNotCreated();
};

namespace {
QString newCoursePath(const TestRoot &root,
                      const QString &name = QStringLiteral("/udata/course/1.db"))
{
    ensureAppDir(QStringLiteral("/udata/course"));
    return QDir::toNativeSeparators(root.filePath(name));
}
} // namespace

void TestCourseDB::missingFileIsLoggedAndCreatable()
{
    TestRoot root;
    const QString path = newCoursePath(root);
    LogCapture log;
    CourseDB db(path);
    QVERIFY(log.contains(QStringLiteral("CourseDB::CourseDB 课程不存在")));
    QVERIFY(log.contains(path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(db.wordCount(), 0);
    QVERIFY(!db.hasWords());
    db.createTables();
    QVERIFY(QFile::exists(path));
    {
        // A second object on the same file comes and goes; the empty course counts zero.
        CourseDB second(path);
        QCOMPARE(second.wordCount(), 0);
        QVERIFY(!second.hasWords());
        // The table was made by the exact statement, with the unique index on word.
        QCOMPARE(
            second.rexec(QStringLiteral("select sql from sqlite_master where name = 'TWORD'"))
                .toString(),
            QStringLiteral("CREATE TABLE [TWORD] ( \t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT, "
                           "\t\t[word] TEXT NOT NULL ON CONFLICT FAIL, \t\t[phonetic] TEXT, "
                           "\t\t[trans] TEXT NOT NULL ON CONFLICT FAIL, \t\t[esentence] TEXT, "
                           "\t\t[other] TEXT)"));
        QCOMPARE(
            second.rexec(QStringLiteral("select count(*) from sqlite_master where name = 'wu'"))
                .toInt(),
            1);
    }
    QVERIFY(db.insertWord(QStringLiteral("apple"), QStringLiteral("n. 苹果"),
                          QStringLiteral("ˈæpl"), QStringLiteral("An apple a day.")));
    QCOMPARE(db.wordCount(), 1);
    QVERIFY(db.hasWords());
}

void TestCourseDB::wordsRoundTrip_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("trans");
    QTest::addColumn<QString>("phonetic");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("plain") << "ability"
                           << "n. 能力；才能"
                           << "əˈbɪləti"
                           << "She has the ability to sing.";
    QTest::newRow("apostrophe") << "o'clock"
                                << "adv. …点钟"
                                << "əˈklɒk"
                                << "It's five o'clock.";
    QTest::newRow("doubled quotes stay") << "rock 'n' roll"
                                         << "n. 摇滚乐"
                                         << ""
                                         << "He said ''hi''.";
    QTest::newRow("multi-line translation") << "bank"
                                            << "n. 银行\nn. 河岸"
                                            << "bæŋk"
                                            << "";
    QTest::newRow("percent") << "percent"
                             << "n. 百分之…"
                             << "pəˈsent"
                             << "Ten % of them.";
}

void TestCourseDB::wordsRoundTrip()
{
    QFETCH(QString, word);
    QFETCH(QString, trans);
    QFETCH(QString, phonetic);
    QFETCH(QString, sentence);
    TestRoot root;
    CourseDB db(newCoursePath(root));
    db.createTables();
    QVERIFY(db.insertWord(word, trans, phonetic, sentence));
    WordInfo info;
    // Keys of its own the caller put in stay; the word's keys are overwritten.
    info.insert(QStringLiteral("extra"), 42);
    info.insert(QStringLiteral("word"), QStringLiteral("old"));
    QVERIFY(db.getWordInfoByID(info, 1));
    QCOMPARE(info.value(QStringLiteral("extra")).toInt(), 42);
    QCOMPARE(info.size(), 7);
    QCOMPARE(info.value(QStringLiteral("id")).toInt(), 1);
    QCOMPARE(info.value(QStringLiteral("word")).toString(), word);
    QCOMPARE(info.value(QStringLiteral("trans")).toString(), trans);
    QCOMPARE(info.value(QStringLiteral("phonetic")).toString(), phonetic);
    QCOMPARE(info.value(QStringLiteral("esentence")).toString(), sentence);
    QVERIFY(info.value(QStringLiteral("other")).toString().isEmpty());
}

void TestCourseDB::duplicateWordKeepsFirst()
{
    TestRoot root;
    CourseDB db(newCoursePath(root));
    db.createTables();
    QVERIFY(db.insertWord(QStringLiteral("light"), QStringLiteral("n. 光"), QString(), QString()));
    QVERIFY(
        !db.insertWord(QStringLiteral("light"), QStringLiteral("adj. 轻的"), QString(), QString()));
    QVERIFY(
        db.insertWord(QStringLiteral("night"), QStringLiteral("n. 夜晚"), QString(), QString()));
    QCOMPARE(db.wordCount(), 2);
    WordInfo info;
    QVERIFY(db.getWordInfoByID(info, 1));
    QCOMPARE(info.value(QStringLiteral("trans")).toString(), QStringLiteral("n. 光"));
}

namespace {

QStringList rowsOf(CourseDB &db)
{
    QStringList rows;
    WordInfo info;
    for (int id = 1; db.getWordInfoByID(info, id); ++id)
        rows << QStringList{info.value("word").toString(), info.value("trans").toString(),
                            info.value("phonetic").toString(), info.value("esentence").toString()}
                    .join(QLatin1Char('|'));
    return rows;
}

} // namespace

void TestCourseDB::batchInsertStoresAsSingleInserts()
{
    // Random lists with words repeated inside a batch, across batches and from the course
    // before: the batches must leave exactly the rows that single inserts leave.
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        QList<CourseDB::Word> words;
        for (int i = random.bounded(1, 260); i > 0; --i)
            words << CourseDB::Word{QStringLiteral("w%1").arg(random.bounded(300)),
                                    QStringLiteral("t%1").arg(i),
                                    i % 3 ? QStringLiteral("p") : QString(), QString()};
        TestRoot root;
        CourseDB single(newCoursePath(root, QStringLiteral("/udata/course/1.db")));
        CourseDB batched(newCoursePath(root, QStringLiteral("/udata/course/2.db")));
        for (CourseDB *db : {&single, &batched}) {
            db->createTables();
            db->insertWord(QStringLiteral("w7"), QStringLiteral("before"), QString(), QString());
            db->transaction();
        }
        for (const CourseDB::Word &w : std::as_const(words))
            single.insertWord(w.word, w.trans, w.phonetic, w.esentence);
        batched.insertWords(words);
        single.commit();
        batched.commit();
        QCOMPARE(rowsOf(batched), rowsOf(single));
    }
}

void TestCourseDB::unknownIdFailsAndLogsPathAndId_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("zero") << 0;
    QTest::newRow("beyond last") << 3;
}

void TestCourseDB::unknownIdFailsAndLogsPathAndId()
{
    QFETCH(int, id);
    TestRoot root;
    const QString path = newCoursePath(root);
    CourseDB db(path);
    db.createTables();
    db.insertWord(QStringLiteral("one"), QStringLiteral("num. 一"), QString(), QString());
    db.insertWord(QStringLiteral("two"), QStringLiteral("num. 二"), QString(), QString());
    WordInfo info;
    info.insert(QStringLiteral("word"), QStringLiteral("kept"));
    LogCapture log;
    QVERIFY(!db.getWordInfoByID(info, id));
    QCOMPARE(info.value(QStringLiteral("word")).toString(), QStringLiteral("kept"));
    const QStringList lines = log.matching(QStringLiteral("CourseDB::getWordInfoByID失败"));
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(QStringLiteral("路径[%1], 单词id[%2]").arg(path).arg(id)));
}

void TestCourseDB::notADatabaseCountsZero()
{
    TestRoot root;
    const QString path = newCoursePath(root);
    QVERIFY(TestFiles::write(path, "word,trans\napple,苹果\n"));
    LogCapture log;
    CourseDB db(path);
    QVERIFY(log.contains(QStringLiteral("打开数据库")));
    QCOMPARE(db.wordCount(), 0);
    QVERIFY(!db.hasWords());
    WordInfo info;
    QVERIFY(!db.getWordInfoByID(info, 1));
    QVERIFY(info.isEmpty());
}

void TestCourseDB::exampleSentences_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("known") << "apple"
                           << "She ate an apple.";
    QTest::newRow("apostrophe") << "o'clock"
                                << "We met at six o'clock.";
    QTest::newRow("absent") << "zebra"
                            << "";
    QTest::newRow("case matters") << "Apple"
                                  << "";
}

void TestCourseDB::exampleSentences()
{
    QFETCH(QString, word);
    QFETCH(QString, sentence);
    TestRoot root;
    ensureAppDir(QStringLiteral("/odata"));
    QVERIFY(execOnFile(root.filePath(QStringLiteral("/odata/fullword.db")),
                       {QString::fromUtf8(FullWordDB::kCreateTable),
                        QStringLiteral("insert into TWORD(word, esentence) values"
                                       "('apple', 'She ate an apple.'),"
                                       "('o''clock', 'We met at six o''clock.')")}));
    FullWordDB dictionary;
    QCOMPARE(dictionary.getESentence(word), sentence);
}

void TestCourseDB::missingSentenceDatabaseIsNotCreated()
{
    TestRoot root;
    LogCapture log;
    FullWordDB dictionary;
    QCOMPARE(dictionary.getESentence(QStringLiteral("apple")), QString());
    QVERIFY(!QFile::exists(root.filePath(QStringLiteral("/odata/fullword.db"))));
    QVERIFY(log.contains(QStringLiteral("fullword.db")));
}

QTEST_GUILESS_MAIN(TestCourseDB)
#include "tst_coursedb.moc"
