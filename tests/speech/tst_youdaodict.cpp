#include "logcapture.h"
#include "onlinevoicetest.h"
#include "speech/speakdictcn.h"
#include "speech/speakyoudaodict.h"

#include <QNetworkAccessManager>
#include <QtTest>

class TestYoudaoDict : public OnlineVoiceTest
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void quickRepeatDownloadsOnceThenPlaysFromCache_data();
    void quickRepeatDownloadsOnceThenPlaysFromCache();
    void wordInFlightIsRefused();
    void failedDownloadLeavesNoCacheAndIsRetried_data();
    void failedDownloadLeavesNoCacheAndIsRetried();
    void emptyWordIsRefused();
    void injectedManagerIsUsed();
    void enginesSharingAManagerKeepTheirReplies();
};

void TestYoudaoDict::init()
{
    startServerAndPlayer({QStringLiteral("Remote/YoudaoHost"), QStringLiteral("Remote/HaiciHost")});
}

void TestYoudaoDict::cleanup()
{
    stopServerAndPlayer();
}

void TestYoudaoDict::quickRepeatDownloadsOnceThenPlaysFromCache_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("target");
    QTest::newRow("plain word") << "hello"
                                << "/dictvoice?audio=hello";
    QTest::newRow("blank and quote") << "ice cream's"
                                     << "/dictvoice?audio=ice%20cream%27s";
    QTest::newRow("ampersand") << "R&D"
                               << "/dictvoice?audio=R%26D";
}

void TestYoudaoDict::quickRepeatDownloadsOnceThenPlaysFromCache()
{
    QFETCH(QString, word);
    QFETCH(QString, target);
    const QByteArray sound("ID3\x03 youdao voice of the word");
    m_server->setReply(target, 200, sound);
    const QString cached = cacheFile(QStringLiteral("/cache/2"), target);

    SpeakYoudaoDict engine;
    QCOMPARE(engine.cacheFileFor(word), cached);
    QVERIFY(engine.Speak(word));
    QVERIFY(!engine.Speak(word));
    QTRY_COMPARE(m_recorder->played(), QStringList({cached}));
    QCOMPARE(m_server->requests(), QStringList({target}));

    QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$"))
                .match(QFileInfo(cached).fileName())
                .hasMatch());
    QFile file(cached);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), sound);
    QCOMPARE(cacheEntries(QStringLiteral("/cache/2")), QStringList({QFileInfo(cached).fileName()}));

    // From now on the word plays from the cache at once, without a request.
    QVERIFY(engine.Speak(word));
    QTRY_COMPARE(m_recorder->played(), QStringList({cached, cached}));
    QCOMPARE(m_server->requests().size(), 1);
}

void TestYoudaoDict::wordInFlightIsRefused()
{
    FakeHttpServer::Reply slow;
    slow.body = "sound";
    slow.mode = FakeHttpServer::Mode::Slow;
    slow.delayMs = 300;
    m_server->setReply(QStringLiteral("/dictvoice?audio=slow"), slow);
    m_server->setReply(QStringLiteral("/dictvoice?audio=fast"), 200, "fast sound");

    SpeakYoudaoDict engine;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(engine.Speak(QStringLiteral("slow")));
    QVERIFY(timer.elapsed() < 300);
    QTRY_COMPARE(m_server->requestCount(QStringLiteral("/dictvoice?audio=slow")), 1);
    {
        LogCapture log;
        QVERIFY(!engine.Speak(QStringLiteral("slow")));
        QCOMPARE(log.messages(), QStringList({QStringLiteral(",")}));
    }
    // Another word is not held up by the pending one.
    QVERIFY(engine.Speak(QStringLiteral("fast")));
    QTRY_COMPARE(m_recorder->played().size(), 2);
    QCOMPARE(m_server->requestCount(QStringLiteral("/dictvoice?audio=slow")), 1);
    QVERIFY(QFileInfo::exists(engine.cacheFileFor(QStringLiteral("slow"))));
    QVERIFY(QFileInfo::exists(engine.cacheFileFor(QStringLiteral("fast"))));
}

void TestYoudaoDict::failedDownloadLeavesNoCacheAndIsRetried_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("mode");
    QTest::newRow("not found") << 404 << QByteArray("<html>no such word</html>")
                               << int(FakeHttpServer::Mode::Normal);
    QTest::newRow("server error") << 500 << QByteArray("oops") << int(FakeHttpServer::Mode::Normal);
    QTest::newRow("dropped connection")
        << 200 << QByteArray("sound") << int(FakeHttpServer::Mode::Drop);
    QTest::newRow("truncated body")
        << 200 << QByteArray("0123456789abcdefghij") << int(FakeHttpServer::Mode::Truncated);
    QTest::newRow("empty body") << 200 << QByteArray() << int(FakeHttpServer::Mode::Normal);
}

void TestYoudaoDict::failedDownloadLeavesNoCacheAndIsRetried()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, mode);
    const QString target = QStringLiteral("/dictvoice?audio=broken");
    m_server->setReply(target, reply(status, body, mode));

    SpeakYoudaoDict engine;
    const QString cached = engine.cacheFileFor(QStringLiteral("broken"));
    {
        LogCapture log;
        QVERIFY(engine.Speak(QStringLiteral("broken")));
        QTRY_VERIFY(log.contains(
            QStringLiteral("Download of %1 failed: ").arg(m_server->baseUrl() + target)));
    }
    QVERIFY(!QFileInfo::exists(cached));
    QVERIFY(cacheEntries(QStringLiteral("/cache/2")).isEmpty());
    QVERIFY(m_recorder->played().isEmpty());

    // The word is no longer pending: the next Speak asks again, and now succeeds.
    retrySucceeds(engine, QStringLiteral("broken"), target, "good sound", cached);
    QFile file(cached);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("good sound"));
}

void TestYoudaoDict::emptyWordIsRefused()
{
    QNetworkAccessManager network;
    SpeakYoudaoDict engine(&network);
    QVERIFY(!engine.Speak(QString()));
    QVERIFY(network.findChildren<QNetworkReply *>().isEmpty());
}

void TestYoudaoDict::injectedManagerIsUsed()
{
    m_server->setReply(QStringLiteral("/dictvoice?audio=word"), 200, "sound");
    QNetworkAccessManager network;
    QSignalSpy finished(&network, &QNetworkAccessManager::finished);
    SpeakYoudaoDict engine(&network);
    QVERIFY(engine.Speak(QStringLiteral("word")));
    QTRY_COMPARE(m_recorder->played().size(), 1);
    QCOMPARE(finished.size(), 1);
}

void TestYoudaoDict::enginesSharingAManagerKeepTheirReplies()
{
    m_server->setReply(QStringLiteral("/dictvoice?audio=word"), 200, "youdao sound");
    m_server->setReply(QStringLiteral("/mini.php?utf8=1&q=word"), 200,
                       "<a href=\"#\" onclick=\"ssplay('w1')\">play</a>");
    m_server->setReply(QStringLiteral("/mp3.php?q=w1"), 200, "haici sound");
    QNetworkAccessManager network;
    SpeakYoudaoDict youdao(&network);
    SpeakDictCN haici(&network);
    QVERIFY(youdao.Speak(QStringLiteral("word")));
    QVERIFY(haici.Speak(QStringLiteral("word")));
    QTRY_COMPARE(m_recorder->played().size(), 2);

    QFile youdaoFile(youdao.cacheFileFor(QStringLiteral("word")));
    QVERIFY(youdaoFile.open(QIODevice::ReadOnly));
    QCOMPARE(youdaoFile.readAll(), QByteArray("youdao sound"));
    QFile haiciFile(haici.cacheFileFor(QStringLiteral("word")));
    QVERIFY(haiciFile.open(QIODevice::ReadOnly));
    QCOMPARE(haiciFile.readAll(), QByteArray("haici sound"));
}

QTEST_MAIN(TestYoudaoDict)
#include "tst_youdaodict.moc"
