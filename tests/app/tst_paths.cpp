#include "app/apppath.h"
#include "app/messagelog.h"
#include "testroot.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestPaths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void appPathJoinsProgramFolder_data();
    void appPathJoinsProgramFolder();
    void ensureAppDirCreatesParents();
    void listFilesMatchesFilter();
    void saveDeviceToFileCopiesAndTruncates();
    void saveDeviceToFileReportsUnwritableTarget();
    void appRelativePathIsRelativeToWorkingFolder();
    void logRecordFormat_data();
    void logRecordFormat();
    void waitMsProcessesEvents();
};

void TestPaths::appPathJoinsProgramFolder_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("odata") << "/odata/fullword.db";
    QTest::newRow("udata") << "/udata/gconfig.ini";
    QTest::newRow("cache") << "/cache/2/abc";
    QTest::newRow("temp") << "/temp";
    QTest::newRow("images") << "/images/main.qss";
}

void TestPaths::appPathJoinsProgramFolder()
{
    QFETCH(QString, relative);
    TestRoot root;
    QCOMPARE(programFolder(), QDir::cleanPath(root.path()));
    // A writable program folder keeps the user data too.
    QCOMPARE(appPath(relative), QDir::toNativeSeparators(root.path() + relative));
}

void TestPaths::ensureAppDirCreatesParents()
{
    TestRoot root;
    QVERIFY(!QDir(root.filePath(QStringLiteral("/udata/alice"))).exists());
    QVERIFY(ensureAppDir(QStringLiteral("/udata/alice/deep")));
    QVERIFY(QDir(root.filePath(QStringLiteral("/udata/alice/deep"))).exists());
    // A second call on an existing folder succeeds and changes nothing.
    QVERIFY(ensureAppDir(QStringLiteral("/udata/alice/deep")));
}

void TestPaths::listFilesMatchesFilter()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata/bob"));
    const QString folder = appPath(QStringLiteral("/udata/bob"));
    for (const char *name : {"o1.ldb", "u2.ldb", "notes.txt", "o3.ldb.bak"}) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QStringList found = listFiles(folder, QStringLiteral("*.ldb"));
    QCOMPARE(found,
             QStringList({folder + QStringLiteral("/o1.ldb"), folder + QStringLiteral("/u2.ldb")}));
    QVERIFY(listFiles(folder + QStringLiteral("/missing"), QStringLiteral("*")).isEmpty());
}

void TestPaths::saveDeviceToFileCopiesAndTruncates()
{
    TestRoot root;
    const QString target = root.filePath(QStringLiteral("/out.bin"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();

    QByteArray payload("first line\nsecond line\n");
    payload += QByteArray(200000, '\x01');
    QBuffer buffer(&payload);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(saveDeviceToFile(target, &buffer));
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), payload);
}

void TestPaths::saveDeviceToFileReportsUnwritableTarget()
{
    TestRoot root;
    QByteArray payload("data");
    QBuffer buffer(&payload);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(!saveDeviceToFile(root.filePath(QStringLiteral("/no/such/folder/out.bin")), &buffer));
}

void TestPaths::appRelativePathIsRelativeToWorkingFolder()
{
    TestRoot root;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(root.path());
    QCOMPARE(appRelativePath(QStringLiteral("/images/bg_main.png")),
             QStringLiteral("images/bg_main.png"));
    QDir::setCurrent(saved);
}

void TestPaths::logRecordFormat_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::newRow("debug") << int(QtDebugMsg) << QStringLiteral("psqlite::rexec 1 select");
    QTest::newRow("info") << int(QtInfoMsg) << QStringLiteral("信息");
    QTest::newRow("warning") << int(QtWarningMsg) << QStringLiteral("打开数据库 x 失败");
    QTest::newRow("critical") << int(QtCriticalMsg) << QStringLiteral("critical one");
    QTest::newRow("empty") << int(QtDebugMsg) << QString();
}

void TestPaths::logRecordFormat()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    TestRoot root;
    const QString logFile = logFilePath();
    QVERIFY(logFile.startsWith(QDir::toNativeSeparators(root.path())));
    QVERIFY(logFile.endsWith(QStringLiteral(".log")));

    messageHandler(QtMsgType(type), QMessageLogContext(), QStringLiteral("earlier record"));
    messageHandler(QtMsgType(type), QMessageLogContext(), message);

    QFile file(logFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QStringList records = text.split(QStringLiteral("\r\n"));
    QCOMPARE(records.size(), 3); // two records and the empty rest after the last CRLF
    QVERIFY(records.last().isEmpty());
    static const QRegularExpression stamp(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3} - - "));
    for (int i = 0; i < 2; ++i) {
        QVERIFY2(stamp.match(records.at(i)).hasMatch(), qPrintable(records.at(i)));
        QVERIFY(
            QDateTime::fromString(records.at(i).left(23), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                .isValid());
    }
    QCOMPARE(records.at(1).mid(23 + 5), message);
}

void TestPaths::waitMsProcessesEvents()
{
    bool fired = false;
    QTimer::singleShot(0, this, [&fired]() { fired = true; });
    QElapsedTimer timer;
    timer.start();
    waitMs(30);
    QVERIFY(timer.elapsed() >= 30);
    QVERIFY(fired);
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
