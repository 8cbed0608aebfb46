#pragma once

#include "speech/cspeakbase.h"
#include "speech/voicecache.h"

#include <QList>
#include <QObject>

class Mp3Player;
class QNetworkAccessManager;
class QNetworkReply;

// The Youdao dictionary voice: one download per word, kept in "/cache/2" and played from
// there ever after. Speak never waits for the network; the word sounds when its download
// has finished.
class SpeakYoudaoDict : public QObject, public CSpeakBase
{
    Q_OBJECT
public:
    // network: the manager to use (not owned); without one the engine makes its own.
    explicit SpeakYoudaoDict(QNetworkAccessManager *network = nullptr, QObject *parent = nullptr);
    ~SpeakYoudaoDict() override;

    // False for an empty word and for a word whose download is still under way.
    bool Speak(QString word) override;

    // The cache file that Speak uses for word.
    QString cacheFileFor(const QString &word) const;

public Q_SLOTS:
    void downloadFinished(QNetworkReply *reply);

private:
    QNetworkAccessManager *m_network;
    QList<QNetworkReply *> m_replies;
    VoiceCache m_cache;
    Mp3Player *m_player;
};
