#include "fakehttpserver.h"
#include "testfiles.h"
#include "testroot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {
const char kArchivePath[] = "/002/update/update.zip";

} // namespace

// The real updater program against a local server and an archive made with zip.
class TestUpdaterProgram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void fourArgumentsExitAtOnce();
    void update_data();
    void update();

private:
    // Starts the updater (copied into the program folder as "TMlUpdate") with arguments.
    void startUpdater(const QStringList &arguments);

    QByteArray m_archive;
    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<FakeHttpServer> m_server;
    std::unique_ptr<QProcess> m_updater;
};

void TestUpdaterProgram::initTestCase()
{
    m_archive = TestFiles::zip(
        {{"memora", "#!/bin/sh\necho new > started\n"}, {"odata/learnskill.db", "new tips"}});
    QVERIFY(!m_archive.isEmpty());
}

void TestUpdaterProgram::init()
{
    m_root = std::make_unique<TestRoot>();
    m_server = std::make_unique<FakeHttpServer>();
    QVERIFY(m_server->start());
    QVERIFY(TestFiles::write(m_root->filePath("/memora"), "old trainer"));
    QVERIFY(TestFiles::write(m_root->filePath("/odata/learnskill.db"), "old tips"));
    QFile::setPermissions(m_root->filePath("/odata/learnskill.db"), QFile::ReadOwner);
    const QString copy = m_root->filePath("/TMlUpdate");
    QVERIFY(QFile::copy(TestRoot::buildBinDir() + "/MlUpdate", copy));
}

void TestUpdaterProgram::cleanup()
{
    if (m_updater && m_updater->state() != QProcess::NotRunning) {
        m_updater->kill();
        m_updater->waitForFinished(5000);
    }
    m_updater.reset();
    m_server.reset();
    m_root.reset();
}

void TestUpdaterProgram::startUpdater(const QStringList &arguments)
{
    m_updater = std::make_unique<QProcess>();
    m_updater->setProcessChannelMode(QProcess::MergedChannels);
    m_updater->setWorkingDirectory(m_root->path());
    m_updater->start(m_root->filePath("/TMlUpdate"), arguments);
    QVERIFY(m_updater->waitForStarted(10000));
}

void TestUpdaterProgram::fourArgumentsExitAtOnce()
{
    startUpdater({"Memora 背单词", "memora", m_root->path(), m_server->baseUrl() + kArchivePath});
    QVERIFY(m_updater->waitForFinished(10000));
    QCOMPARE(m_updater->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_updater->exitCode(), 0);
    QCOMPARE(m_server->requests(), QStringList());
    QVERIFY(!QFileInfo::exists(m_root->filePath("/temp")));
}

void TestUpdaterProgram::update_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("sha256"); // "good", "bad" or "" (none passed)
    QTest::addColumn<QStringList>("expectedLines");
    QTest::addColumn<bool>("installed");

    const QString success = QStringLiteral("成功更新到0.3.0.0, 是否启动新版本?");
    QTest::newRow("good archive") << 200 << "" << QStringList{success} << true;
    QTest::newRow("good archive, matching sha256") << 200 << "good" << QStringList{success} << true;
    QTest::newRow("download error")
        << 404 << "" << QStringList{"下载新版本失败, 错误代码[203],"} << false;
    QTest::newRow("wrong sha256") << 200 << "bad"
                                  << QStringList{"下载的新版本校验失败 (SHA-256 不符), 已拒绝安装,"}
                                  << false;
}

void TestUpdaterProgram::update()
{
    QFETCH(int, status);
    QFETCH(QString, sha256);
    QFETCH(QStringList, expectedLines);
    QFETCH(bool, installed);
    m_server->setReply(QLatin1String(kArchivePath), status, m_archive);
    QStringList arguments{"Memora 背单词", "memora", m_root->path(),
                          m_server->baseUrl() + kArchivePath, "0.3.0.0"};
    if (sha256 == QLatin1String("good"))
        arguments << QCryptographicHash::hash(m_archive, QCryptographicHash::Sha256).toHex();
    else if (sha256 == QLatin1String("bad"))
        arguments << QString(64, QLatin1Char('0'));
    startUpdater(arguments);

    // The updater waits on its first message box; what it shows is logged first.
    QString output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += QString::fromUtf8(m_updater->readAll()), output.contains(expectedLines.last())),
        30000);
    for (const QString &line : expectedLines)
        QVERIFY2(output.contains(line), qPrintable(output));

    const QByteArray trainer = TestFiles::read(m_root->filePath("/memora"));
    const QByteArray tips = TestFiles::read(m_root->filePath("/odata/learnskill.db"));
    if (installed) {
        QCOMPARE(trainer, QByteArray("#!/bin/sh\necho new > started\n"));
        QCOMPARE(tips, QByteArray("new tips"));
        QCOMPARE(TestFiles::read(m_root->filePath("/temp/update.zip")), m_archive);
        QVERIFY(QFileInfo(m_root->filePath("/temp/update/odata/learnskill.db")).isFile());
    } else {
        QCOMPARE(trainer, QByteArray("old trainer"));
        QCOMPARE(tips, QByteArray("old tips"));
    }
}

QTEST_MAIN(TestUpdaterProgram)
#include "tst_updaterprogram.moc"
