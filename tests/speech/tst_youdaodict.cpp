#include "app/globals.h"
#include "app/settings.h"
#include "recordingplayer.h"
#include "speech/speakdictcn.h"
#include "speech/speakyoudaodict.h"
#include "support/fakehttpserver.h"
#include "support/logcapture.h"
#include "support/testroot.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QSettings>
#include <QtTest>

#include <memory>

class TestYoudaoDict : public QObject
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

private:
    QString cacheFile(const QString &folder, const QString &pathAndQuery) const
    {
        const QByteArray url = (m_server->baseUrl() + pathAndQuery).toLatin1();
        return m_root->filePath(folder + QLatin1Char('/') +
                                QCryptographicHash::hash(url, QCryptographicHash::Md5).toHex());
    }
    QStringList cacheEntries(const QString &folder) const
    {
        return QDir(m_root->filePath(folder))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<FakeHttpServer> m_server;
    std::unique_ptr<RecordingPlayer> m_recorder;
};

void TestYoudaoDict::init()
{
    m_root = std::make_unique<TestRoot>();
    QVERIFY(m_root->isValid());
    g_pSettings = GlobalSettings::create();
    m_server = std::make_unique<FakeHttpServer>();
    QVERIFY(m_server->start());
    m_recorder = std::make_unique<RecordingPlayer>(m_root->path());
    QVERIFY(m_recorder->isValid());
    GlobalSettings::setValue(QStringLiteral("Remote/YoudaoHost"), m_server->baseUrl());
    GlobalSettings::setValue(QStringLiteral("Remote/HaiciHost"), m_server->baseUrl());
    GlobalSettings::setValue(QStringLiteral("Learn/ExternalPlayer"), true);
    GlobalSettings::setValue(QStringLiteral("Learn/MplayerPath"), m_recorder->program());
}

void TestYoudaoDict::cleanup()
{
    delete g_pSettings;
    g_pSettings = nullptr;
    m_recorder.reset();
    m_server.reset();
    m_root.reset();
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
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.mode = FakeHttpServer::Mode(mode);
    m_server->setReply(target, reply);

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
    const int requestsBefore = m_server->requestCount(target);
    m_server->setReply(target, 200, "good sound");
    QVERIFY(engine.Speak(QStringLiteral("broken")));
    QTRY_COMPARE(m_recorder->played(), QStringList({cached}));
    QCOMPARE(m_server->requestCount(target), requestsBefore + 1);
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
