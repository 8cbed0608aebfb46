#pragma once

#include "speech/cspeakbase.h"
#include "speech/voicecache.h"

#include <QList>
#include <QObject>

class Mp3Player;
class QNetworkAccessManager;
class QNetworkReply;

// The Haici dictionary voice, fetched in two steps: the word's look-up page names the
// sound in an "ssplay('...')" call, then the sound itself is downloaded. The sound is
// cached in "/cache/1" under the name derived from the look-up page URL.
class SpeakDictCN : public QObject, public CSpeakBase
{
    Q_OBJECT
public:
    // network: the manager for both steps (not owned); without one the engine makes its own.
    explicit SpeakDictCN(QNetworkAccessManager *network = nullptr, QObject *parent = nullptr);
    ~SpeakDictCN() override;

    // False only for a word whose download is still under way.
    bool Speak(QString word) override;

    QString cacheFileFor(const QString &word) const;

public Q_SLOTS:
    // The look-up page has arrived.
    void s1downloadFinished(QNetworkReply *reply);
    // The sound file has arrived.
    void s2downloadFinished(QNetworkReply *reply);

private:
    QNetworkAccessManager *m_network;
    QList<QNetworkReply *> m_pageReplies;
    QList<QNetworkReply *> m_soundReplies;
    VoiceCache m_cache;
    Mp3Player *m_player;
};
