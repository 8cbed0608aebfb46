#include "app/settings.h"
#include "logcapture.h"
#include "recordingplayer.h"
#include "speech/externalviewer.h"
#include "speech/externalviewerdeleter.h"
#include "speech/mp3player.h"
#include "testroot.h"

#include <QSettings>
#include <QtTest>

#include <memory>

class TestMp3Player : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void twoQuickExternalPlaysStartTwoPlayers();
    void emptyPlayerPathIsLoggedAndNextPlayRetries();
    void unstartablePlayerIsNamedInLog();
    void externalSettingActsAtNextPlay();
    void missingFilePlaysNothing();
    void builtInPlayReplacesPreviousSound();
    void viewerDeletedWithItsPlayer();
    void finishedViewerDeletedEarlierIsNotDeletedAgain();
    void cantRunViewerTexts();

private:
    QString makeSound(const QString &name);
    void useExternalPlayer(bool on, const QString &program);
    int viewersOf(const Mp3Player &player) const
    {
        return int(player.findChildren<ExternalViewer *>().size());
    }

    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<RecordingPlayer> m_recorder;
};

void TestMp3Player::init()
{
    m_root = std::make_unique<TestRoot>();
    QVERIFY(m_root->isValid());
    g_pSettings = GlobalSettings::create();
    m_recorder = std::make_unique<RecordingPlayer>(m_root->path());
    QVERIFY(m_recorder->isValid());
}

void TestMp3Player::cleanup()
{
    delete g_pSettings;
    g_pSettings = nullptr;
    m_recorder.reset();
    m_root.reset();
}

QString TestMp3Player::makeSound(const QString &name)
{
    const QString path = m_root->filePath(QLatin1Char('/') + name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("ID3 not really a sound");
    return path;
}

void TestMp3Player::useExternalPlayer(bool on, const QString &program)
{
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/ExternalPlayer"), on);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/MplayerPath"), program);
}

void TestMp3Player::twoQuickExternalPlaysStartTwoPlayers()
{
    useExternalPlayer(true, m_recorder->program());
    const QString first = makeSound(QStringLiteral("first.mp3"));
    const QString second = makeSound(QStringLiteral("second.mp3"));
    const int liveBefore = ExternalViewerDeleter::instance()->liveViewers();

    Mp3Player player;
    player.play(first);
    player.play(second);
    QTRY_COMPARE(m_recorder->played().size(), 2);
    const QStringList played = m_recorder->played();
    QCOMPARE(QSet<QString>(played.begin(), played.end()), QSet<QString>({first, second}));
    // Both viewers go away once their players have exited.
    QTRY_COMPARE(viewersOf(player), 0);
    QCOMPARE(ExternalViewerDeleter::instance()->liveViewers(), liveBefore);
    QVERIFY(player.source().isEmpty());
}

void TestMp3Player::emptyPlayerPathIsLoggedAndNextPlayRetries()
{
    useExternalPlayer(true, QString());
    const QString sound = makeSound(QStringLiteral("word.mp3"));
    Mp3Player player;
    {
        LogCapture log;
        player.play(sound);
        // The line is the text itself, not a quoted string.
        QCOMPARE(log.matching(QStringLiteral("Failed to run a player to play sound file: ")),
                 QStringList({QStringLiteral("Failed to run a player to play sound file: "
                                             "Couldn't run external viewer: ")}));
        player.play(sound);
        QCOMPARE(log.matching(QStringLiteral("Failed to run a player to play sound file: ")).size(),
                 2);
    }
    QCOMPARE(viewersOf(player), 0);

    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/MplayerPath"),
                             m_recorder->program());
    player.play(sound);
    QTRY_COMPARE(m_recorder->played(), QStringList({sound}));
}

void TestMp3Player::unstartablePlayerIsNamedInLog()
{
    const QString program = m_root->filePath(QStringLiteral("/no-such-player"));
    useExternalPlayer(true, program);
    Mp3Player player;
    LogCapture log;
    player.play(makeSound(QStringLiteral("word.mp3")));
    QCOMPARE(log.matching(QStringLiteral("Failed to run a player")),
             QStringList({QStringLiteral("Failed to run a player to play sound file: Couldn't run "
                                         "external viewer: ") +
                          program}));
    QCOMPARE(viewersOf(player), 0);
}

void TestMp3Player::externalSettingActsAtNextPlay()
{
    const QString first = makeSound(QStringLiteral("first.mp3"));
    const QString second = makeSound(QStringLiteral("second.mp3"));
    useExternalPlayer(false, m_recorder->program());
    Mp3Player player;

    player.play(first);
    QCOMPARE(player.source(), QUrl::fromLocalFile(first));
    QCOMPARE(viewersOf(player), 0);

    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/ExternalPlayer"), true);
    player.play(second);
    QVERIFY(player.source().isEmpty());
    QTRY_COMPARE(m_recorder->played(), QStringList({second}));

    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/ExternalPlayer"), false);
    player.play(first);
    QCOMPARE(player.source(), QUrl::fromLocalFile(first));
    QTRY_COMPARE(viewersOf(player), 0);
    QCOMPARE(m_recorder->played(), QStringList({second}));
}

void TestMp3Player::missingFilePlaysNothing()
{
    const QString sound = makeSound(QStringLiteral("word.mp3"));
    Mp3Player player;
    player.play(sound);
    QCOMPARE(player.source(), QUrl::fromLocalFile(sound));
    player.play(m_root->filePath(QStringLiteral("/missing.mp3")));
    QVERIFY(player.source().isEmpty());

    useExternalPlayer(true, m_recorder->program());
    LogCapture log;
    player.play(m_root->filePath(QStringLiteral("/missing.mp3")));
    QCOMPARE(viewersOf(player), 0);
    QVERIFY(log.matching(QStringLiteral("Failed to run")).isEmpty());
    QVERIFY(m_recorder->played().isEmpty());
}

void TestMp3Player::builtInPlayReplacesPreviousSound()
{
    const QString first = makeSound(QStringLiteral("first.mp3"));
    const QString second = makeSound(QStringLiteral("second.mp3"));
    Mp3Player player;
    player.play(first);
    QCOMPARE(player.source(), QUrl::fromLocalFile(first));
    player.play(second);
    QCOMPARE(player.source(), QUrl::fromLocalFile(second));
}

void TestMp3Player::viewerDeletedWithItsPlayer()
{
    // A player that keeps running until it is stopped.
    const QString program = m_root->filePath(QStringLiteral("/long-player.sh"));
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 60\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    useExternalPlayer(true, program);

    const int liveBefore = ExternalViewerDeleter::instance()->liveViewers();
    auto player = std::make_unique<Mp3Player>();
    player->play(makeSound(QStringLiteral("word.mp3")));
    QCOMPARE(viewersOf(*player), 1);
    QProcess *process = player->findChild<QProcess *>();
    QVERIFY(process);
    QCOMPARE(process->state(), QProcess::Running);
    QElapsedTimer timer;
    timer.start();
    player.reset();
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(ExternalViewerDeleter::instance()->liveViewers(), liveBefore);
}

void TestMp3Player::finishedViewerDeletedEarlierIsNotDeletedAgain()
{
    const int liveBefore = ExternalViewerDeleter::instance()->liveViewers();
    auto owner = std::make_unique<QObject>();
    auto *viewer = new ExternalViewer(owner.get(), QStringLiteral("/x.mp3"), QStringLiteral("wav"),
                                      m_recorder->program());
    QSignalSpy finished(viewer, &ExternalViewer::finished);
    QCOMPARE(ExternalViewerDeleter::instance()->liveViewers(), liveBefore + 1);
    // The process reports its end; the deletion is queued, and the owner goes first.
    QVERIFY(QMetaObject::invokeMethod(viewer, "viewerFinished", Qt::DirectConnection, Q_ARG(int, 0),
                                      Q_ARG(QProcess::ExitStatus, QProcess::NormalExit)));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).value<ExternalViewer *>(), viewer);
    owner.reset();
    QCOMPARE(ExternalViewerDeleter::instance()->liveViewers(), liveBefore);
    QCoreApplication::processEvents();
    QCOMPARE(ExternalViewerDeleter::instance()->liveViewers(), liveBefore);
}

void TestMp3Player::cantRunViewerTexts()
{
    const ExternalViewer::exCantRunViewer e(QStringLiteral("/usr/bin/player"));
    QCOMPARE(QString::fromUtf8(e.what()),
             QStringLiteral("Couldn't run external viewer: /usr/bin/player"));
    const ExternalViewer::Ex &base = e;
    QCOMPARE(QString::fromUtf8(base.what()),
             QStringLiteral("Couldn't run external viewer: /usr/bin/player"));
    QCOMPARE(QString::fromUtf8(ExternalViewer::Ex().what()),
             QStringLiteral("External viewer exception"));
}

QTEST_MAIN(TestMp3Player)
#include "tst_mp3player.moc"
