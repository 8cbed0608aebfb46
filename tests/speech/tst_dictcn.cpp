#include "logcapture.h"
#include "onlinevoicetest.h"
#include "speech/speakdictcn.h"

#include <QtTest>

namespace {
const QByteArray kPage = "<html><body><span class=\"phonetic\">[h&#601;'l&#601;u]</span>"
                         "<a href=\"javascript:;\" onclick=\"ssplay('Mk9kRz1hbw==')\">play</a>"
                         "<a onclick=\"ssplay('second')\">again</a></body></html>";
const QString kPageTarget = QStringLiteral("/mini.php?utf8=1&q=hello");
const QString kSoundTarget = QStringLiteral("/mp3.php?q=Mk9kRz1hbw==");
const QByteArray kSound = "ID3\x03 haici voice";
const QString kCache = QStringLiteral("/cache/1");
} // namespace

class TestDictCN : public OnlineVoiceTest
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
};

void TestDictCN::init()
{
    startServerAndPlayer({QStringLiteral("Remote/HaiciHost")});
}

void TestDictCN::cleanup()
{
    stopServerAndPlayer();
}

void TestDictCN::followsSsplayToSoundAndCachesUnderPageName()
{
    m_server->setReply(kPageTarget, 200, kPage);
    m_server->setReply(kSoundTarget, 200, kSound);
    const QString cached = cacheFile(kCache, kPageTarget);

    SpeakDictCN engine;
    QCOMPARE(engine.cacheFileFor(QStringLiteral("hello")), cached);
    QVERIFY(engine.Speak(QStringLiteral("hello")));
    QVERIFY(!engine.Speak(QStringLiteral("hello")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cached}));
    QCOMPARE(m_server->requests(), QStringList({kPageTarget, kSoundTarget}));

    QFile file(cached);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kSound);
    QCOMPARE(cacheEntries(kCache), QStringList({QFileInfo(cached).fileName()}));

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
    m_server->setReply(kPageTarget, reply(status, page, mode));
    m_server->setReply(kSoundTarget, 200, kSound);

    SpeakDictCN engine;
    {
        LogCapture log;
        QVERIFY(engine.Speak(QStringLiteral("hello")));
        QTRY_VERIFY(log.contains(logged));
    }
    QCOMPARE(m_server->requestCount(kSoundTarget), 0);
    QVERIFY(cacheEntries(kCache).isEmpty());

    retrySucceeds(engine, QStringLiteral("hello"), kPageTarget, kPage,
                  cacheFile(kCache, kPageTarget));
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
    m_server->setReply(kPageTarget, 200, kPage);
    m_server->setReply(kSoundTarget, reply(status, body, mode));

    SpeakDictCN engine;
    {
        LogCapture log;
        QVERIFY(engine.Speak(QStringLiteral("hello")));
        QTRY_VERIFY(log.contains(
            QStringLiteral("Download of %1 failed: ").arg(m_server->baseUrl() + kSoundTarget)));
    }
    QVERIFY(cacheEntries(kCache).isEmpty());
    QVERIFY(m_recorder->played().isEmpty());

    retrySucceeds(engine, QStringLiteral("hello"), kSoundTarget, kSound,
                  cacheFile(kCache, kPageTarget));
}

void TestDictCN::quotesInsideTheCallAreCaptured()
{
    // Everything between "ssplay('" and the first "')" is the sound's code.
    const QString target = QStringLiteral("/mini.php?utf8=1&q=it%27s");
    m_server->setReply(target, 200, "<a onclick=\"ssplay('it's')\">");
    m_server->setReply(QStringLiteral("/mp3.php?q=it's"), 200, kSound);
    SpeakDictCN engine;
    QVERIFY(engine.Speak(QStringLiteral("it's")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cacheFile(kCache, target)}));
    QCOMPARE(m_server->requests(), QStringList({target, QStringLiteral("/mp3.php?q=it's")}));
}

QTEST_MAIN(TestDictCN)
#include "tst_dictcn.moc"
