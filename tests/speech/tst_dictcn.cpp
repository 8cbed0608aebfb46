#include "app/globals.h"
#include "app/settings.h"
#include "recordingplayer.h"
#include "speech/speakdictcn.h"
#include "support/fakehttpserver.h"
#include "support/logcapture.h"
#include "support/testroot.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {
const QByteArray kPage = "<html><body><span class=\"phonetic\">[h&#601;'l&#601;u]</span>"
                         "<a href=\"javascript:;\" onclick=\"ssplay('Mk9kRz1hbw==')\">play</a>"
                         "<a onclick=\"ssplay('second')\">again</a></body></html>";
const QString kPageTarget = QStringLiteral("/mini.php?utf8=1&q=hello");
const QString kSoundTarget = QStringLiteral("/mp3.php?q=Mk9kRz1hbw==");
const QByteArray kSound = "ID3\x03 haici voice";
} // namespace

class TestDictCN : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void followsSsplayToSoundAndCachesUnderPageName();
    void wordInFlightIsRefusedWithoutLogLine();
    void pageWithoutSoundIsRetried_data();
    void pageWithoutSoundIsRetried();
    void failedSoundLeavesNoCacheAndIsRetried_data();
    void failedSoundLeavesNoCacheAndIsRetried();
    void quotesInsideTheCallAreCaptured();

private:
    QString cacheFile(const QString &pathAndQuery) const
    {
        const QByteArray url = (m_server->baseUrl() + pathAndQuery).toLatin1();
        return m_root->filePath(QStringLiteral("/cache/1/") +
                                QCryptographicHash::hash(url, QCryptographicHash::Md5).toHex());
    }
    QStringList cacheEntries() const
    {
        return QDir(m_root->filePath(QStringLiteral("/cache/1")))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<FakeHttpServer> m_server;
    std::unique_ptr<RecordingPlayer> m_recorder;
};

void TestDictCN::init()
{
    m_root = std::make_unique<TestRoot>();
    QVERIFY(m_root->isValid());
    g_pSettings = GlobalSettings::create();
    m_server = std::make_unique<FakeHttpServer>();
    QVERIFY(m_server->start());
    m_recorder = std::make_unique<RecordingPlayer>(m_root->path());
    QVERIFY(m_recorder->isValid());
    GlobalSettings::setValue(QStringLiteral("Remote/HaiciHost"), m_server->baseUrl());
    GlobalSettings::setValue(QStringLiteral("Learn/ExternalPlayer"), true);
    GlobalSettings::setValue(QStringLiteral("Learn/MplayerPath"), m_recorder->program());
}

void TestDictCN::cleanup()
{
    delete g_pSettings;
    g_pSettings = nullptr;
    m_recorder.reset();
    m_server.reset();
    m_root.reset();
}

void TestDictCN::followsSsplayToSoundAndCachesUnderPageName()
{
    m_server->setReply(kPageTarget, 200, kPage);
    m_server->setReply(kSoundTarget, 200, kSound);
    const QString cached = cacheFile(kPageTarget);

    SpeakDictCN engine;
    QCOMPARE(engine.cacheFileFor(QStringLiteral("hello")), cached);
    QVERIFY(engine.Speak(QStringLiteral("hello")));
    QVERIFY(!engine.Speak(QStringLiteral("hello")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cached}));
    QCOMPARE(m_server->requests(), QStringList({kPageTarget, kSoundTarget}));

    QFile file(cached);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kSound);
    QCOMPARE(cacheEntries(), QStringList({QFileInfo(cached).fileName()}));

    QVERIFY(engine.Speak(QStringLiteral("hello")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cached, cached}));
    QCOMPARE(m_server->requests().size(), 2);
}

void TestDictCN::wordInFlightIsRefusedWithoutLogLine()
{
    FakeHttpServer::Reply slowSound;
    slowSound.body = kSound;
    slowSound.mode = FakeHttpServer::Mode::Slow;
    slowSound.delayMs = 300;
    m_server->setReply(kPageTarget, 200, kPage);
    m_server->setReply(kSoundTarget, slowSound);

    SpeakDictCN engine;
    QVERIFY(engine.Speak(QStringLiteral("hello")));
    // Still pending between the page and the sound.
    QTRY_COMPARE(m_server->requestCount(kSoundTarget), 1);
    {
        LogCapture log;
        QVERIFY(!engine.Speak(QStringLiteral("hello")));
        QVERIFY(log.messages().isEmpty());
    }
    QTRY_COMPARE(m_recorder->played().size(), 1);
    QCOMPARE(m_server->requestCount(kPageTarget), 1);
}

void TestDictCN::pageWithoutSoundIsRetried_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("logged");
    QTest::newRow("page not found")
        << 404 << QByteArray("gone") << int(FakeHttpServer::Mode::Normal) << "Download of";
    QTest::newRow("page dropped") << 200 << kPage << int(FakeHttpServer::Mode::Drop)
                                  << "Download of";
    QTest::newRow("page without ssplay")
        << 200 << QByteArray("<html>no sound for this word</html>")
        << int(FakeHttpServer::Mode::Normal) << "no sound named in the page";
    QTest::newRow("ssplay with other quotes")
        << 200 << QByteArray("<a onclick=\"ssplay(&quot;x&quot;)\">")
        << int(FakeHttpServer::Mode::Normal) << "no sound named in the page";
}

void TestDictCN::pageWithoutSoundIsRetried()
{
    QFETCH(int, status);
    QFETCH(QByteArray, page);
    QFETCH(int, mode);
    QFETCH(QString, logged);
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.body = page;
    reply.mode = FakeHttpServer::Mode(mode);
    m_server->setReply(kPageTarget, reply);
    m_server->setReply(kSoundTarget, 200, kSound);

    SpeakDictCN engine;
    {
        LogCapture log;
        QVERIFY(engine.Speak(QStringLiteral("hello")));
        QTRY_VERIFY(log.contains(logged));
    }
    QCOMPARE(m_server->requestCount(kSoundTarget), 0);
    QVERIFY(cacheEntries().isEmpty());

    const int pagesBefore = m_server->requestCount(kPageTarget);
    m_server->setReply(kPageTarget, 200, kPage);
    QVERIFY(engine.Speak(QStringLiteral("hello")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cacheFile(kPageTarget)}));
    QCOMPARE(m_server->requestCount(kPageTarget), pagesBefore + 1);
}

void TestDictCN::failedSoundLeavesNoCacheAndIsRetried_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("mode");
    QTest::newRow("sound not found")
        << 404 << QByteArray("gone") << int(FakeHttpServer::Mode::Normal);
    QTest::newRow("sound dropped") << 200 << kSound << int(FakeHttpServer::Mode::Drop);
    QTest::newRow("sound truncated")
        << 200 << QByteArray("0123456789abcdefghij") << int(FakeHttpServer::Mode::Truncated);
    QTest::newRow("empty sound") << 200 << QByteArray() << int(FakeHttpServer::Mode::Normal);
}

void TestDictCN::failedSoundLeavesNoCacheAndIsRetried()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, mode);
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.mode = FakeHttpServer::Mode(mode);
    m_server->setReply(kPageTarget, 200, kPage);
    m_server->setReply(kSoundTarget, reply);

    SpeakDictCN engine;
    {
        LogCapture log;
        QVERIFY(engine.Speak(QStringLiteral("hello")));
        QTRY_VERIFY(log.contains(
            QStringLiteral("Download of %1 failed: ").arg(m_server->baseUrl() + kSoundTarget)));
    }
    QVERIFY(cacheEntries().isEmpty());
    QVERIFY(m_recorder->played().isEmpty());

    const int soundsBefore = m_server->requestCount(kSoundTarget);
    m_server->setReply(kSoundTarget, 200, kSound);
    QVERIFY(engine.Speak(QStringLiteral("hello")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cacheFile(kPageTarget)}));
    QCOMPARE(m_server->requestCount(kSoundTarget), soundsBefore + 1);
}

void TestDictCN::quotesInsideTheCallAreCaptured()
{
    // Everything between "ssplay('" and the first "')" is the sound's code.
    const QString target = QStringLiteral("/mini.php?utf8=1&q=it%27s");
    m_server->setReply(target, 200, "<a onclick=\"ssplay('it's')\">");
    m_server->setReply(QStringLiteral("/mp3.php?q=it's"), 200, kSound);
    SpeakDictCN engine;
    QVERIFY(engine.Speak(QStringLiteral("it's")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cacheFile(target)}));
    QCOMPARE(m_server->requests(), QStringList({target, QStringLiteral("/mp3.php?q=it's")}));
}

QTEST_MAIN(TestDictCN)
#include "tst_dictcn.moc"
