#pragma once

#include "app/settings.h"
#include "fakehttpserver.h"
#include "recordingplayer.h"
#include "speech/cspeakbase.h"
#include "testroot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSettings>
#include <QtTest>

#include <memory>

// What the tests of the online voice engines share: a private program root with global
// settings, a local HTTP server standing in for the dictionary hosts, and a recording
// external player that every played sound goes to.
class OnlineVoiceTest : public QObject
{
protected:
    // Call from init(): hostKeys ("Remote/YoudaoHost", ...) are pointed at the server.
    void startServerAndPlayer(const QStringList &hostKeys)
    {
        m_root = std::make_unique<TestRoot>();
        QVERIFY(m_root->isValid());
        g_pSettings = GlobalSettings::create();
        m_server = std::make_unique<FakeHttpServer>();
        QVERIFY(m_server->start());
        m_recorder = std::make_unique<RecordingPlayer>(m_root->path());
        QVERIFY(m_recorder->isValid());
        for (const QString &key : hostKeys)
            GlobalSettings::setValue(g_pSettings, key, m_server->baseUrl());
        GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/ExternalPlayer"), true);
        GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/MplayerPath"),
                                 m_recorder->program());
    }
    // Call from cleanup().
    void stopServerAndPlayer()
    {
        delete g_pSettings;
        g_pSettings = nullptr;
        m_recorder.reset();
        m_server.reset();
        m_root.reset();
    }

    // The file in the cache folder ("/cache/1") named after the server URL of pathAndQuery.
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

    // A reply whose status, body and mode come from a data row.
    static FakeHttpServer::Reply reply(int status, const QByteArray &body, int mode)
    {
        FakeHttpServer::Reply r;
        r.status = status;
        r.body = body;
        r.mode = FakeHttpServer::Mode(mode);
        return r;
    }

    // After a failed download: target now serves body, and speaking word again asks for it
    // once more and plays the cached file.
    void retrySucceeds(CSpeakBase &engine, const QString &word, const QString &target,
                       const QByteArray &body, const QString &cached)
    {
        const int requestsBefore = m_server->requestCount(target);
        m_server->setReply(target, 200, body);
        QVERIFY(engine.Speak(word));
        QTRY_COMPARE(m_recorder->played(), QStringList({cached}));
        QCOMPARE(m_server->requestCount(target), requestsBefore + 1);
    }

    std::unique_ptr<TestRoot> m_root;
    std::unique_ptr<FakeHttpServer> m_server;
    std::unique_ptr<RecordingPlayer> m_recorder;
};
