// The builders of the course files and the official catalogue: word lists and catalogue
// definitions are read strictly, and the built files hold exactly what the sources say.

#include "blocklist.h"
#include "cataloguedefinition.h"
#include "course/coursedb.h"
#include "coursesetbuilder.h"
#include "sqlitefile.h"
#include "testfiles.h"
#include "wordlistreader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_CourseBuild : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wordListLines_data();
    void wordListLines();
    void wordListToleratesBomCrlfAndComments();
    void catalogueLines_data();
    void catalogueLines();
    void buildsInstalledAndDownloadableCourses();
    void brokenWordListStopsTheBuild();
};

void tst_CourseBuild::wordListLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("words");
    QTest::addColumn<QString>("error");

    // Blanks are no field separator: the line has three fields, not four.
    QTest::newRow("blanks instead of a tab")
        << QByteArray("tea tiː\tn. 茶\tWould you like some tea?\n") << 0
        << QStringLiteral("list.txt:1: expected 4 TAB-separated fields, found 3");
    QTest::newRow("empty headword") << QByteArray("\ttiː\tn. 茶\tTea, please.\n") << 0
                                    << QStringLiteral("list.txt:1: empty headword");
    QTest::newRow("empty phonetic") << QByteArray("tea\t\tn. 茶\tTea, please.\n") << 0
                                    << QStringLiteral("list.txt:1: empty phonetic");
    QTest::newRow("empty translation") << QByteArray("tea\ttiː\t \tTea, please.\n") << 0
                                       << QStringLiteral("list.txt:1: empty translation");
    QTest::newRow("duplicate headword on line 3")
        << QByteArray("tea\ttiː\tn. 茶\t\n# comment\ntea\ttiː\tn. 茶叶\t\n") << 1
        << QStringLiteral("list.txt:3: headword \"tea\" is listed twice");

    // The entry checks: what a sound entry may look like, then one bad line per check.
    QTest::newRow("inflected and irregular forms, phrase, stress by part of speech")
        << QByteArray("stop\tstɒp\tv. 停止\tThe bus stopped at the corner.\n"
                      "try\ttraɪ\tv. 尝试\tShe tried again and again.\n"
                      "child\ttʃaɪld\tn. 孩子\tThe children sang a song.\n"
                      "knife\tnaɪf\tn. 刀\tPut the knives in the drawer.\n"
                      "good\tɡʊd\tadj. 好的\tThis is the best day of my life.\n"
                      "take … for granted\tteɪk … fə ˈɡrɑːntɪd\tphr. 认为……理所当然"
                      "（take … for granted）\tWe took clean water for granted.\n"
                      "increase\tn. ˈɪnkriːs v. ɪnˈkriːs\tn. 增加 v. 增加；增长\t"
                      "Prices increased again.\n"
                      "may\tmeɪ\tmodal v. 可以；可能\tYou may sit down.\n"
                      "Monday\tˈmʌndeɪ\tn. 星期一\tSee you on monday.\n"
                      "hour\tˈaʊə(r)\tn. 小时\tI waited an hour.\n"
                      "(be) fond of\t(biː) ˈfɒnd əv\tphr. 喜欢\tShe was fond of cats.\n"
                      "mislead\tˌmɪsˈliːd\tv. 误导 sb.\tThe old map misled us.\n")
        << 12 << QString();
    QTest::newRow("headword missing from the sentence")
        << QByteArray("tea\ttiː\tn. 茶\tWould you like some coffee?\n") << 0
        << QStringLiteral("list.txt:1: the sentence lacks the headword \"tea\"");
    QTest::newRow("ASCII g in the IPA")
        << QByteArray("go\tgəʊ\tv. 去\tLet us go home.\n") << 0
        << QStringLiteral("list.txt:1: phonetic: \"g\" is outside the symbol set (write ɡ, "
                          "U+0261)");
    QTest::newRow("stress mark before a space")
        << QByteArray("ice cream\taɪsˈ kriːm\tn. 冰激凌\tI like ice cream.\n") << 0
        << QStringLiteral("list.txt:1: phonetic: stress mark misplaced in \"aɪsˈ\"");
    QTest::newRow("part of speech outside the list")
        << QByteArray("tea\ttiː\tnoun. 茶\tTea, please.\n") << 0
        << QStringLiteral("list.txt:1: translation: part of speech \"noun.\" is not in the "
                          "list");
    QTest::newRow("meaning not in Chinese")
        << QByteArray("tea\ttiː\tn. 茶 v. drink tea\tTea, please.\n") << 0
        << QStringLiteral("list.txt:1: translation: part of speech \"v.\" without a Chinese "
                          "meaning");
    QTest::newRow("blocked word") << QByteArray("tea\ttiː\tn. 茶\tDamn, the tea is cold.\n") << 0
                                  << QStringLiteral("list.txt:1: blocked word \"damn\" in the "
                                                    "sentence");
}

void tst_CourseBuild::wordListLines()
{
    QFETCH(QByteArray, text);
    QFETCH(int, words);
    QFETCH(QString, error);

    BlockList blockList;
    QVERIFY(blockList.parse(QStringLiteral("# words never shown\ndamn\n"), "block.txt"));
    WordListReader reader;
    reader.setBlockList(&blockList);
    const bool ok = reader.parse(QString::fromUtf8(text), QStringLiteral("list.txt"));
    QCOMPARE(ok, error.isEmpty());
    QCOMPARE(reader.words().size(), words);
    QCOMPARE(reader.errors(), error.isEmpty() ? QStringList() : QStringList{error});
}

void tst_CourseBuild::wordListToleratesBomCrlfAndComments()
{
    WordListReader reader;
    const QString text =
        QStringLiteral("\xFEFF# heading\r\n\r\napple\tˈæpl\tn. 苹果\tAn apple a day.\r\n"
                       "  \r\nbread\tbred\tn. 面包\t\r\n");
    QVERIFY2(reader.parse(text, QStringLiteral("list.txt")),
             qPrintable(reader.errors().join('\n')));
    QCOMPARE(reader.words().size(), 2);
    QCOMPARE(reader.words().at(0).word, QStringLiteral("apple"));
    QCOMPARE(reader.words().at(0).esentence, QStringLiteral("An apple a day."));
    QCOMPARE(reader.words().at(1).line, 5);
    QCOMPARE(reader.sentenceCount(), 1);
}

void tst_CourseBuild::catalogueLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("courses");
    QTest::addColumn<QString>("error");

    QTest::newRow("valid") << QByteArray("3\t高考\t官方课程/考试词汇\tgaokao.txt\tno\n") << 1
                           << QString();
    QTest::newRow("mid not a number") << QByteArray("x\t高考\t官方课程\tgaokao.txt\tno\n") << 0
                                      << QStringLiteral("cat.txt:1: mid must be a positive number");
    QTest::newRow("mid twice")
        << QByteArray("3\t高考\t官方课程\ta.txt\tno\n3\t四级\t官方课程\tb.txt\tno\n") << 1
        << QStringLiteral("cat.txt:2: mid 3 is used twice");
    QTest::newRow("name twice")
        << QByteArray("3\t高考\t官方课程\ta.txt\tno\n4\t高考\t官方课程\tb.txt\tno\n") << 1
        << QStringLiteral("cat.txt:2: course name empty or used twice");
    QTest::newRow("quote in a name") << QByteArray("3\tit's\t官方课程\ta.txt\tno\n") << 0
                                     << QStringLiteral("cat.txt:1: names must not contain a quote");
    QTest::newRow("source outside the folder")
        << QByteArray("3\t高考\t官方课程\t../a.txt\tno\n") << 0
        << QStringLiteral("cat.txt:1: source must be a file name in the course folder");
    QTest::newRow("installed neither yes nor no")
        << QByteArray("3\t高考\t官方课程\ta.txt\ttrue\n") << 0
        << QStringLiteral("cat.txt:1: installed must be yes or no");
}

void tst_CourseBuild::catalogueLines()
{
    QFETCH(QByteArray, text);
    QFETCH(int, courses);
    QFETCH(QString, error);

    CatalogueDefinition definition;
    QCOMPARE(definition.parse(QString::fromUtf8(text), QStringLiteral("cat.txt")), error.isEmpty());
    QCOMPARE(definition.courses().size(), courses);
    if (!error.isEmpty())
        QCOMPARE(definition.errors(), QStringList{error});
}

void tst_CourseBuild::buildsInstalledAndDownloadableCourses()
{
    QTemporaryDir out;
    const QString fixtures = QStringLiteral(MEMORA_FIXTURE_DIR);
    CourseSetBuilder builder(fixtures + "/catalogue.txt", fixtures + "/courses",
                             out.path() + "/odata", out.path() + "/stage");
    QVERIFY2(builder.build(), qPrintable(builder.errors().join('\n')));

    // The course whose list is missing is left out with a warning, not an error.
    QCOMPARE(builder.warnings().size(), 1);
    QVERIFY(builder.warnings().first().contains("missing.txt"));
    QVERIFY(!QFile::exists(out.path() + "/odata/course/9.db"));

    // Installed: in the program folder and staged; downloadable: staged only.
    QVERIFY(!QFile::exists(out.path() + "/odata/course/8.db"));
    QVERIFY(QFile::exists(out.path() + "/stage/7.db"));
    QVERIFY(QFile::exists(out.path() + "/stage/8.db"));

    const QString catalogue = out.path() + "/odata/course/categorycourse.db";
    QCOMPARE(peekRows(catalogue, "select id, pid, name, coursecount from TCategory order by id"),
             (QStringList{"1|0|测试课程|1", "2|0|官方课程|1", "3|2|考试词汇|1", "4|2|基础词汇|0"}));
    QCOMPARE(peekRows(catalogue,
                      "select mid, cttype, cid, name, wcount, exist from TCourse order by mid"),
             (QStringList{"7|2|1|样例课程|4|1", "8|2|3|考试样例|2|0"}));

    // The installed course reads back unchanged through the trainer's own reader.
    CourseDB course(out.path() + "/odata/course/7.db");
    QCOMPARE(course.wordCount(), 4);
    WordInfo info;
    QVERIFY(course.getWordInfoByID(info, 2));
    QCOMPARE(info.value("word").toString(), QStringLiteral("o'clock"));
    QCOMPARE(info.value("phonetic").toString(), QStringLiteral("əˈklɒk"));
    QCOMPARE(info.value("trans").toString(), QStringLiteral("adv. ……点钟"));
    QCOMPARE(info.value("esentence").toString(),
             QStringLiteral("We meet at seven o'clock every morning."));
    info.clear();
    QVERIFY(course.getWordInfoByID(info, 4));
    QCOMPARE(info.value("word").toString(), QStringLiteral("Monday"));
    QCOMPARE(info.value("esentence").toString(), QString());
    // The file carries the trainer's own table and unique word index.
    QCOMPARE(
        peekRows(out.path() + "/odata/course/7.db",
                 "select sql from sqlite_master where name in ('TWORD', 'wu') order by type desc"),
        (QStringList{
            QStringLiteral("CREATE TABLE [TWORD] ( \t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT, "
                           "\t\t[word] TEXT NOT NULL ON CONFLICT FAIL, \t\t[phonetic] TEXT, "
                           "\t\t[trans] TEXT NOT NULL ON CONFLICT FAIL, \t\t[esentence] TEXT, "
                           "\t\t[other] TEXT)"),
            QStringLiteral("CREATE UNIQUE INDEX [wu] ON [TWORD] ([word])")}));
}

void tst_CourseBuild::brokenWordListStopsTheBuild()
{
    QTemporaryDir out;
    QVERIFY(TestFiles::write(out.path() + "/catalogue.txt", "5\t坏课程\t测试课程\tbad.txt\tyes\n"));
    QVERIFY(TestFiles::write(
        out.path() + "/courses/bad.txt",
        "good\tɡʊd\tadj. 好的\tShe is good at maths.\nbad\tbæd\t\tThat was a bad idea.\n"));
    CourseSetBuilder builder(out.path() + "/catalogue.txt", out.path() + "/courses",
                             out.path() + "/odata", out.path() + "/stage");
    QVERIFY(!builder.build());
    QCOMPARE(builder.errors(), QStringList{out.path() + "/courses/bad.txt:2: empty translation"});
    QVERIFY(!QFile::exists(out.path() + "/odata/course/5.db"));
    QVERIFY(!QFile::exists(out.path() + "/odata/course/categorycourse.db"));
}

QTEST_GUILESS_MAIN(tst_CourseBuild)
#include "tst_coursebuild.moc"
