#include "app/apppath.h"
#include "course/courseconvertmgr.h"
#include "course/coursedb.h"
#include "course/fullworddb.h"
#include "sqlitefile.h"
#include "testfiles.h"
#include "testroot.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

class TestCourseImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newCourseFromWordBook_data();
    void newCourseFromWordBook();
    void progressEveryHundredItems();
    void mergeAddsOnlyNewWords();
    void cancelKeepsNothing_data();
    void cancelKeepsNothing();

private:
    QString writeBook(const QByteArray &xml);
    QStringList storedRows(const QString &coursePath);

    TestRoot *m_root = nullptr;
    QString m_target;
};

namespace {

QByteArray item(const QByteArray &word, const QByteArray &trans, const QByteArray &phonetic)
{
    QByteArray xml = "<item><word>" + word + "</word><trans><![CDATA[" + trans + "]]></trans>";
    if (!phonetic.isNull())
        xml += "<phonetic><![CDATA[" + phonetic + "]]></phonetic>";
    return xml + "<tags></tags><progress>1</progress></item>\n";
}

QByteArray book(const QByteArray &items)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<wordbook>\n" + items + "</wordbook>\n";
}

QByteArray numberedItems(int count)
{
    QByteArray items;
    for (int i = 1; i <= count; ++i)
        items += item("w" + QByteArray::number(i), "t", "[p]");
    return items;
}

} // namespace

void TestCourseImport::init()
{
    m_root = new TestRoot;
    ensureAppDir(QStringLiteral("/odata"));
    ensureAppDir(QStringLiteral("/udata/course"));
    m_target = appPath(QStringLiteral("/udata/course/5.db"));
    // The example-sentence dictionary the importer looks sentences up in.
    QVERIFY(execOnFile(appPath(QStringLiteral("/odata/fullword.db")),
                       {QString::fromUtf8(FullWordDB::kCreateTable),
                        QStringLiteral("INSERT INTO TWORD(word, esentence) VALUES "
                                       "('abandon', ' They abandon ship. '), "
                                       "('o''clock', 'It is six o''clock.')")}));
}

void TestCourseImport::cleanup()
{
    delete m_root;
    m_root = nullptr;
}

QString TestCourseImport::writeBook(const QByteArray &xml)
{
    const QString path = m_root->filePath(QStringLiteral("/book.xml"));
    return TestFiles::write(path, xml) ? path : QString();
}

QStringList TestCourseImport::storedRows(const QString &coursePath)
{
    return peekRows(coursePath, QStringLiteral("select word, phonetic, trans, esentence from tword "
                                               "order by id"));
}

void TestCourseImport::newCourseFromWordBook_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("cdata, brackets, sentence")
        << book(item(" abandon ", "v. 放弃\n抛弃", "[ə'bændən]")) << 1
        << QStringList{"abandon|ə'bændən|v. 放弃\n抛弃|They abandon ship."};
    QTest::newRow("one-character phonetic")
        << book(item("ox", "n. 牛", "x")) << 1 << QStringList{"ox||n. 牛|"};
    QTest::newRow("missing phonetic takes the previous one")
        << book(item("cat", "猫", "[kæt]") + item("dog", "狗", QByteArray())) << 2
        << QStringList{"cat|kæt|猫|", "dog|kæt|狗|"};
    QTest::newRow("apostrophe stays one, sentence found")
        << book(item("o'clock", "点钟", "[ə'klɒk]")) << 1
        << QStringList{"o'clock|ə'klɒk|点钟|It is six o'clock."};
    QTest::newRow("quotes reach the table as text")
        << book(item("x'); drop table tword;--", "\"q\"", "[a]")) << 1
        << QStringList{"x'); drop table tword;--|a|\"q\"|"};
    QTest::newRow("repeated word keeps the first")
        << book(item("cat", "猫", "[a]") + item("cat", "又一只猫", "[b]") +
                item("cow", "牛", "[c]"))
        << 2 << QStringList{"cat|a|猫|", "cow|c|牛|"};
    QTest::newRow("element before the first item stores nothing")
        << book("<category>x</category>" + item("cat", "猫", "[a]")) << 1
        << QStringList{"cat|a|猫|"};
    QTest::newRow("malformed after ten items keeps the ten")
        << "<wordbook>" + numberedItems(10) + "<item><word>w11</wor></item>" << 10
        << QStringList{"w1|p|t|", "w2|p|t|", "w3|p|t|", "w4|p|t|", "w5|p|t|",
                       "w6|p|t|", "w7|p|t|", "w8|p|t|", "w9|p|t|", "w10|p|t|"};
    QTest::newRow("other root") << QByteArray("<words>" + numberedItems(3) + "</words>") << 0
                                << QStringList();
    QTest::newRow("no items") << book(QByteArray()) << 0 << QStringList();
    QTest::newRow("not xml") << QByteArray("word,trans\ncat,猫\n") << 0 << QStringList();
}

void TestCourseImport::newCourseFromWordBook()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, result);
    QFETCH(QStringList, rows);
    CourseConvertMgr mgr;
    QCOMPARE(mgr.typeNames(), QStringList{QStringLiteral("有道词典单词本")});
    QCOMPARE(mgr.startConvert(writeBook(xml), 0, m_target), result);
    // A book that yields nothing creates no course file.
    QCOMPARE(QFile::exists(m_target), result > 0);
    if (result > 0)
        QCOMPARE(storedRows(m_target), rows);
}

void TestCourseImport::progressEveryHundredItems()
{
    CourseConvertMgr mgr;
    QSignalSpy progress(&mgr, &CourseConvertMgr::updateDataReadProgress);
    QCOMPARE(mgr.startConvert(writeBook(book(numberedItems(250))), 0, m_target), 250);
    QList<QPair<qint64, qint64>> seen;
    for (const QList<QVariant> &args : progress)
        seen << qMakePair(args.at(0).toLongLong(), args.at(1).toLongLong());
    const QList<QPair<qint64, qint64>> expected{{1, 250}, {101, 250}, {201, 250}, {250, 250}};
    QCOMPARE(seen, expected);
}

void TestCourseImport::mergeAddsOnlyNewWords()
{
    CourseConvertMgr mgr;
    QCOMPARE(mgr.startConvert(writeBook(book(item("cat", "猫", "[a]") + item("dog", "狗", "[b]"))),
                              0, m_target),
             2);
    const QByteArray more = book(item("dog", "另一条狗", "[x]") + item("o'clock", "点钟", "[c]"));
    QCOMPARE(mgr.startMerge(writeBook(more), 0, m_target), 3);
    QCOMPARE(storedRows(m_target),
             (QStringList{"cat|a|猫|", "dog|b|狗|", "o'clock|c|点钟|It is six o'clock."}));
    // Merging the same words again adds nothing and reports the unchanged count.
    QCOMPARE(mgr.startMerge(writeBook(more), 0, m_target), 3);
    QCOMPARE(mgr.startMerge(m_root->filePath("/missing.xml"), 0, m_target), 0);
}

void TestCourseImport::cancelKeepsNothing_data()
{
    QTest::addColumn<bool>("merge");
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("new course, first progress") << false << 1;
    QTest::newRow("new course, last progress") << false << 250;
    QTest::newRow("merge, middle") << true << 101;
}

void TestCourseImport::cancelKeepsNothing()
{
    QFETCH(bool, merge);
    QFETCH(int, cancelAt);
    CourseConvertMgr mgr;
    if (merge)
        QCOMPARE(mgr.startConvert(writeBook(book(item("cat", "猫", "[a]"))), 0, m_target), 1);
    connect(&mgr, &CourseConvertMgr::updateDataReadProgress, &mgr, [&](qint64 current) {
        if (current == cancelAt)
            mgr.cancel();
    });
    const QString source = writeBook(book(numberedItems(250)));
    QCOMPARE(merge ? mgr.startMerge(source, 0, m_target) : mgr.startConvert(source, 0, m_target),
             0);
    QVERIFY(mgr.wasCancelled());
    QCOMPARE(QFile::exists(m_target), merge);
    if (merge)
        QCOMPARE(storedRows(m_target), QStringList{"cat|a|猫|"});
}

QTEST_GUILESS_MAIN(TestCourseImport)
#include "tst_courseimport.moc"
