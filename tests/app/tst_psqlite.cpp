#include "app/psqlite.h"
#include "logcapture.h"
#include "testroot.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

namespace {
// Exposes the bound-value helpers to the test.
class TestDb : public psqlite
{
public:
    using psqlite::execBound;
    using psqlite::rexecBound;
    using psqlite::selectRows;
    QSqlDatabase *handle() { return m_database; }
};
} // namespace

class TestPsqlite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyResultReadsAsEmptyString_data();
    void emptyResultReadsAsEmptyString();
    void lastInsertRowIdReturnsNewId();
    void memoryDatabasesArePrivatePerName();
    void closeTwiceFailsAndLogs();
    void reopenAfterCloseWorks();
    void notADatabaseFileYieldsEmptyResults();
    void twoObjectsOnOneFileCoexist();
    void boundValuesKeepQuotesAndPercent_data();
    void boundValuesKeepQuotesAndPercent();
    void namedColumnIsReturned();
};

void TestPsqlite::emptyResultReadsAsEmptyString_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("logsFailure");
    QTest::newRow("no row") << "select v from t where v = 99" << false;
    QTest::newRow("syntax error") << "selec v frm t" << true;
    QTest::newRow("missing table") << "select v from nowhere" << true;
}

void TestPsqlite::emptyResultReadsAsEmptyString()
{
    QFETCH(QString, sql);
    QFETCH(bool, logsFailure);
    TestDb db;
    QVERIFY(db.open(QStringLiteral(":memory:"), QStringLiteral("emptyResult")));
    QVERIFY(db.exec(QStringLiteral("create table t(v integer)")));
    LogCapture log;
    const QVariant value = db.rexec(sql);
    QVERIFY(value.isValid());
    QCOMPARE(value.toString(), QString());
    QCOMPARE(value.toInt(), 0);
    QCOMPARE(value.toBool(), false);
    const QStringList failures = log.matching(QStringLiteral("psqlite::rexec 1"));
    QCOMPARE(failures.size(), logsFailure ? 1 : 0);
    if (logsFailure)
        QVERIFY(failures.first().startsWith(QStringLiteral("psqlite::rexec 1")));
}

void TestPsqlite::lastInsertRowIdReturnsNewId()
{
    TestDb db;
    QVERIFY(db.open(QStringLiteral(":memory:"), QStringLiteral("rowid")));
    db.exec(QStringLiteral("create table t(id integer primary key autoincrement, v text)"));
    db.exec(QStringLiteral("insert into t(v) values('a')"));
    db.exec(QStringLiteral("insert into t(v) values('b')"));
    QCOMPARE(db.lastInsertRowId(), 2);
    QCOMPARE(db.rexec(QStringLiteral("select v from t where id = 2")).toString(),
             QStringLiteral("b"));
}

void TestPsqlite::memoryDatabasesArePrivatePerName()
{
    TestDb a;
    TestDb b;
    QVERIFY(a.open(QStringLiteral(":memory:"), QStringLiteral("memA")));
    QVERIFY(b.open(QStringLiteral(":memory:"), QStringLiteral("memB")));
    a.exec(QStringLiteral("create table t(v integer)"));
    a.exec(QStringLiteral("insert into t values(7)"));
    QCOMPARE(a.rexec(QStringLiteral("select v from t")).toInt(), 7);
    QVERIFY(!b.exec(QStringLiteral("insert into t values(8)")));
    QCOMPARE(b.rexec(QStringLiteral("select count(*) from sqlite_master")).toInt(), 0);
}

void TestPsqlite::closeTwiceFailsAndLogs()
{
    TestDb db;
    QVERIFY(db.open(QStringLiteral(":memory:"), QStringLiteral("closeTwice")));
    LogCapture log;
    QVERIFY(db.close());
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("closeTwice")));
    QVERIFY(!db.close());
    QCOMPARE(log.matching(QStringLiteral("重复卸载..")).size(), 1);
    // A closed object answers quietly instead of crashing.
    QCOMPARE(db.rexec(QStringLiteral("select 1")).toString(), QString());
}

void TestPsqlite::reopenAfterCloseWorks()
{
    TestRoot root;
    const QString path = root.filePath(QStringLiteral("/re.db"));
    TestDb db;
    QVERIFY(db.open(path, QString()));
    QCOMPARE(db.connectionName(), path);
    db.exec(QStringLiteral("create table t(v integer)"));
    db.exec(QStringLiteral("insert into t values(5)"));
    QVERIFY(db.close());
    QVERIFY(db.open(path, QString()));
    QCOMPARE(db.rexec(QStringLiteral("select v from t")).toInt(), 5);
}

void TestPsqlite::notADatabaseFileYieldsEmptyResults()
{
    TestRoot root;
    const QString path = root.filePath(QStringLiteral("/text.db"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("this is a plain text file, not a database\n").repeated(50));
    file.close();
    const qint64 sizeBefore = QFileInfo(path).size();

    LogCapture log;
    TestDb db;
    QVERIFY(!db.open(path, QString()));
    QVERIFY(!db.isOpen());
    QCOMPARE(db.rexec(QStringLiteral("select count(*) from tword")).toInt(), 0);
    QVERIFY(db.selectRows(QStringLiteral("select * from tword")).isEmpty());
    QVERIFY(
        !db.execBound(QStringLiteral("insert into tword(word) values(?)"), {QStringLiteral("x")}));
    QVERIFY(!db.exec(QStringLiteral("delete from tword")));
    QVERIFY(!db.transaction());
    // One line at open, none per statement.
    QCOMPARE(log.messages().size(), 1);
    QVERIFY(log.contains(QStringLiteral("打开数据库")));
    // The file is left exactly as it was.
    QCOMPARE(QFileInfo(path).size(), sizeBefore);
}

void TestPsqlite::twoObjectsOnOneFileCoexist()
{
    TestRoot root;
    const QString path = root.filePath(QStringLiteral("/shared.db"));
    TestDb first;
    QVERIFY(first.open(path, QString()));
    first.exec(QStringLiteral("create table t(v integer)"));
    first.exec(QStringLiteral("insert into t values(1)"));
    {
        TestDb second;
        QVERIFY(second.open(path, QString()));
        QVERIFY(second.connectionName() != first.connectionName());
        QCOMPARE(second.rexec(QStringLiteral("select v from t")).toInt(), 1);
    }
    // Closing the second left the first one working.
    QVERIFY(first.isOpen());
    QCOMPARE(first.rexec(QStringLiteral("select count(*) from t")).toInt(), 1);
}

void TestPsqlite::boundValuesKeepQuotesAndPercent_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "Tom's words";
    QTest::newRow("two quotes") << "it''s";
    QTest::newRow("percent") << "100% sure";
    QTest::newRow("chinese") << "官方课程";
    QTest::newRow("injection") << "x'); drop table t; --";
}

void TestPsqlite::boundValuesKeepQuotesAndPercent()
{
    QFETCH(QString, text);
    TestDb db;
    QVERIFY(db.open(QStringLiteral(":memory:"), QStringLiteral("bound")));
    db.exec(QStringLiteral("create table t(v text)"));
    QVERIFY(db.execBound(QStringLiteral("insert into t(v) values(?)"), {text}));
    QCOMPARE(db.rexecBound(QStringLiteral("select v from t where v = ?"), {text}).toString(), text);
    const QList<QVariantMap> rows = db.selectRows(QStringLiteral("select v from t"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(QStringLiteral("v")).toString(), text);
}

void TestPsqlite::namedColumnIsReturned()
{
    TestDb db;
    QVERIFY(db.open(QStringLiteral(":memory:"), QStringLiteral("named")));
    db.exec(QStringLiteral("create table t(a integer, b text)"));
    db.exec(QStringLiteral("insert into t values(3, 'three')"));
    QCOMPARE(db.rexec(QStringLiteral("select a, b from t"), QStringLiteral("b")).toString(),
             QStringLiteral("three"));
}

QTEST_GUILESS_MAIN(TestPsqlite)
#include "tst_psqlite.moc"
