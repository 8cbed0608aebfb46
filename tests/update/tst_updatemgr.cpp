#include "app/settings.h"
#include "fakehttpserver.h"
#include "logcapture.h"
#include "testfiles.h"
#include "testroot.h"
#include "update/updatemgr.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const char kVersionPath[] = "/002/verinfo.xml";

QByteArray versionFile(const QString &version, const QString &extra = QString(),
                       const QString &root = QStringLiteral("verinfo"))
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%1>"
                          "<downurl>http://127.0.0.1/update.zip</downurl>"
                          "<other><vernumber>9.9.9.999</vernumber></other>"
                          "<vernumber>%2</vernumber><updateNotes>新版本说明</updateNotes>%3</%1>")
        .arg(root, version, extra)
        .toUtf8();
}

} // namespace

class TestUpdateMgr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void versionComparison_data();
    void versionComparison();
    void failedCheckAnswersFalse_data();
    void failedCheckAnswersFalse();
    void unsavedVersionFileIsNotReadFromAStaleCopy();
    void applyWithoutUpdaterStartsNothing();
    void applyReplacesReadOnlyCopyAndPassesArguments();

private:
    // Runs one check against the server; answers gets every checkResult value.
    void runCheck(UpdateMgr &mgr, LogCapture &log, QList<QVariant> &answers);

    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<FakeHttpServer> m_server;
};

void TestUpdateMgr::init()
{
    m_root = std::make_unique<TestRoot>();
    g_pSettings = GlobalSettings::create();
    m_server = std::make_unique<FakeHttpServer>();
    QVERIFY(m_server->start());
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/DownloadHost"),
                             m_server->baseUrl());
}

void TestUpdateMgr::cleanup()
{
    delete g_pSettings;
    g_pSettings = nullptr;
    m_server.reset();
    m_root.reset();
}

void TestUpdateMgr::runCheck(UpdateMgr &mgr, LogCapture &log, QList<QVariant> &answers)
{
    answers.clear();
    QSignalSpy spy(&mgr, &UpdateMgr::checkResult);
    log.clear();
    mgr.check();
    // The answer (or its absence) is settled once the download has been handled.
    QTRY_VERIFY(log.contains(QStringLiteral("UpdateMgr::downloaded")));
    QCoreApplication::processEvents();
    for (const QList<QVariant> &args : spy)
        answers << args.value(0);
}

void TestUpdateMgr::versionComparison_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("root");
    QTest::addColumn<int>("expected"); // 1 newer, 0 not newer, -1 no signal

    const QString root = QStringLiteral("verinfo");
    QTest::newRow("next build") << "0.2.3.371" << root << 1;
    QTest::newRow("next minor") << "0.3.0.0" << root << 1;
    QTest::newRow("next patch") << "0.2.4.0" << root << 1;
    QTest::newRow("next major") << "1.0.0.0" << root << 1;
    QTest::newRow("smaller minor, higher build") << "0.1.9.400" << root << 1;
    QTest::newRow("same") << "0.2.3.370" << root << 0;
    QTest::newRow("older build") << "0.2.3.369" << root << 0;
    QTest::newRow("three parts") << "0.2.3" << root << -1;
    QTest::newRow("empty") << "" << root << -1;
    QTest::newRow("five parts, newer in fifth") << "0.2.3.370.5" << root << 0;
    QTest::newRow("five parts, newer in fourth") << "0.2.3.371.0" << root << 1;
    QTest::newRow("other root name") << "0.2.3.371"
                                     << "update" << 1;
}

void TestUpdateMgr::versionComparison()
{
    QFETCH(QString, version);
    QFETCH(QString, root);
    QFETCH(int, expected);
    m_server->setReply(QLatin1String(kVersionPath), 200, versionFile(version, QString(), root));

    LogCapture log;
    UpdateMgr mgr;
    QList<QVariant> answers;
    runCheck(mgr, log, answers);
    if (expected < 0) {
        QVERIFY(answers.isEmpty());
    } else {
        QCOMPARE(answers, QList<QVariant>({expected == 1}));
        QCOMPARE(mgr.updateNotes(), QStringLiteral("新版本说明"));
        QCOMPARE(mgr.downloadUrl(), QStringLiteral("http://127.0.0.1/update.zip"));
    }
    QCOMPARE(m_server->requests(), QStringList({QLatin1String(kVersionPath)}));
    QCOMPARE(TestFiles::read(m_root->filePath(QStringLiteral("/verinfo.xml"))),
             versionFile(version, QString(), root));
}

void TestUpdateMgr::failedCheckAnswersFalse_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("mode");
    QTest::newRow("not found") << 404 << int(FakeHttpServer::Mode::Normal);
    QTest::newRow("dropped") << 200 << int(FakeHttpServer::Mode::Drop);
    QTest::newRow("truncated") << 200 << int(FakeHttpServer::Mode::Truncated);
}

void TestUpdateMgr::failedCheckAnswersFalse()
{
    QFETCH(int, status);
    QFETCH(int, mode);
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.body = versionFile(QStringLiteral("0.3.0.0"));
    reply.mode = FakeHttpServer::Mode(mode);
    m_server->setReply(QLatin1String(kVersionPath), reply);
    // An earlier copy announcing a newer version is not read again.
    QVERIFY(
        TestFiles::write(m_root->filePath(QStringLiteral("/verinfo.xml")), versionFile("0.3.0.0")));

    LogCapture log;
    UpdateMgr mgr;
    QList<QVariant> answers;
    runCheck(mgr, log, answers);
    QCOMPARE(answers, QList<QVariant>({false}));
    QVERIFY(mgr.versionNumber().isEmpty());
}

void TestUpdateMgr::unsavedVersionFileIsNotReadFromAStaleCopy()
{
    m_server->setReply(QLatin1String(kVersionPath), 200, versionFile("0.3.0.0"));
    LogCapture log;
    UpdateMgr mgr;
    QList<QVariant> answers;
    runCheck(mgr, log, answers);
    QCOMPARE(answers, QList<QVariant>({true}));

    // The file cannot be written any more: the answer is not taken from the earlier copy.
    const QString saved = m_root->filePath(QStringLiteral("/verinfo.xml"));
    QVERIFY(QFile::remove(saved));
    QVERIFY(QDir().mkpath(saved));
    runCheck(mgr, log, answers);
    QCOMPARE(answers, QList<QVariant>({false}));
}

void TestUpdateMgr::applyWithoutUpdaterStartsNothing()
{
    UpdateMgr mgr;
    QVERIFY(!mgr.applyNewVer());
    QVERIFY(!QFile::exists(m_root->filePath(QStringLiteral("/TMlUpdate"))));
}

void TestUpdateMgr::applyReplacesReadOnlyCopyAndPassesArguments()
{
    const QString hash(64, QLatin1Char('a'));
    m_server->setReply(QLatin1String(kVersionPath), 200,
                       versionFile("0.3.0.0", QStringLiteral("<sha256>%1</sha256>").arg(hash)));
    LogCapture log;
    UpdateMgr mgr;
    QList<QVariant> answers;
    runCheck(mgr, log, answers);
    QCOMPARE(answers, QList<QVariant>({true}));

    // A stand-in updater that records its arguments and working folder.
    const QString argsFile = m_root->filePath(QStringLiteral("/args.txt"));
    const QByteArray script = "#!/bin/sh\npwd > '" + argsFile.toUtf8() +
                              "'\nfor a in \"$@\"; do echo \"$a\" >> '" + argsFile.toUtf8() +
                              "'; done\n";
    const QString updater = m_root->filePath(QStringLiteral("/MlUpdate"));
    QVERIFY(TestFiles::write(updater, script));
    QFile::setPermissions(updater, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString copy = m_root->filePath(QStringLiteral("/TMlUpdate"));
    QVERIFY(TestFiles::write(copy, "old updater"));
    QFile::setPermissions(copy, QFile::ReadOwner);

    QVERIFY(mgr.applyNewVer());
    QCOMPARE(TestFiles::read(copy), script);
    QTRY_COMPARE(TestFiles::read(argsFile).count('\n'), 7);
    const QStringList lines = QString::fromUtf8(TestFiles::read(argsFile)).split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(0, 7),
             QStringList({QDir(m_root->path()).canonicalPath(), QStringLiteral("Memora 背单词"),
                          QStringLiteral("memora"), m_root->path(),
                          QStringLiteral("http://127.0.0.1/update.zip"), QStringLiteral("0.3.0.0"),
                          hash}));
}

QTEST_MAIN(TestUpdateMgr)
#include "tst_updatemgr.moc"
