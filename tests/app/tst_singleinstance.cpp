#include "app/singleapplication.h"
#include "testroot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QtTest>

#include <csignal>

// Runs the real trainer twice in one private program root.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondStartRaisesFirstAndExits_data();
    void secondStartRaisesFirstAndExits();
    void staleSocketDoesNotBlockNextStart();

private:
    static QString trainer() { return TestRoot::buildBinDir() + QStringLiteral("/memora"); }
    static QString socketName()
    {
        return SingleApplication::socketName(QStringLiteral("ferncove memora"));
    }
    static bool waitForListener(int timeoutMs);
    static QByteArray readLog(const TestRoot &root);
    static void startFirst(QProcess &process);
};

bool TestSingleInstance::waitForListener(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(socketName());
        if (socket.waitForConnected(100))
            return true;
        QTest::qWait(50);
    }
    return false;
}

QByteArray TestSingleInstance::readLog(const TestRoot &root)
{
    QFile file(root.filePath(QStringLiteral("/memora.log")));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TestSingleInstance::startFirst(QProcess &process)
{
    process.setProgram(trainer());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    QVERIFY(process.waitForStarted(5000));
    QVERIFY2(waitForListener(15000), "the first trainer never listened");
    // Wait until start-up has finished: the user database exists and the log has the login.
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(qEnvironmentVariable("MEMORA_ROOT") + QStringLiteral("/udata/userinfo.db")),
        10000);
}

void TestSingleInstance::secondStartRaisesFirstAndExits_data()
{
    QTest::addColumn<QString>("rootSuffix");
    QTest::newRow("same root") << QString();
    QTest::newRow("root with a trailing slash") << QStringLiteral("/");
}

void TestSingleInstance::secondStartRaisesFirstAndExits()
{
    QFETCH(QString, rootSuffix);
    // A learner's set-up: the shipped courses, single-user mode, no network requests.
    TestRoot root;
    QVERIFY(root.stageInstallData(QStringLiteral("odata")));
    QVERIFY(root.stageInstallData(QStringLiteral("images")));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("/udata"))));
    QFile settings(root.filePath(QStringLiteral("/udata/gconfig.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[Common]\nMulti-User=false\nAutoUpdate=false\nSendStatistics=false\n");
    settings.close();
    QProcess first;
    startFirst(first);
    QTRY_VERIFY_WITH_TIMEOUT(readLog(root).contains("用户登录"), 10000);
    QVERIFY(readLog(root).contains("进入 Memora……"));

    const QByteArray logBefore = readLog(root);
    const QDateTime dbTimeBefore =
        QFileInfo(root.filePath(QStringLiteral("/udata/userinfo.db"))).lastModified();

    QProcess second;
    second.setProgram(trainer());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MEMORA_ROOT"), root.path() + rootSuffix);
    second.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    second.start();
    QVERIFY(second.waitForFinished(5000));
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    // The first instance logged the message it received; the second wrote nothing.
    QTRY_VERIFY_WITH_TIMEOUT(readLog(root).size() > logBefore.size(), 5000);
    const QByteArray added = readLog(root).mid(logBefore.size());
    QVERIFY2(added.contains("messageReceived \"RaiseWindow\""), added.constData());
    // Nothing of a second start-up (database opening, login) reached the log.
    QVERIFY2(!added.contains("用户登录") && !added.contains("打开数据库"), added.constData());
    QCOMPARE(QFileInfo(root.filePath(QStringLiteral("/udata/userinfo.db"))).lastModified(),
             dbTimeBefore);

    // "Close" quits the first instance cleanly.
    QLocalSocket socket;
    socket.connectToServer(socketName());
    QVERIFY(socket.waitForConnected(2000));
    socket.write("Close\n");
    QVERIFY(socket.waitForBytesWritten(2000));
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    QVERIFY(readLog(root).contains("离开 Memora……"));
}

void TestSingleInstance::staleSocketDoesNotBlockNextStart()
{
    TestRoot root;
    {
        QProcess crashed;
        startFirst(crashed);
        // Simulate a crash: the socket file stays behind.
        ::kill(pid_t(crashed.processId()), SIGKILL);
        QVERIFY(crashed.waitForFinished(5000));
    }
    QProcess next;
    startFirst(next);
    QCOMPARE(next.state(), QProcess::Running);
    QLocalSocket socket;
    socket.connectToServer(socketName());
    QVERIFY(socket.waitForConnected(2000));
    socket.write("Close\n");
    socket.waitForBytesWritten(2000);
    QVERIFY(next.waitForFinished(10000));
    QCOMPARE(next.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
