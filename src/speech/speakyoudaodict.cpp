#include "speech/speakyoudaodict.h"

#include "app/remoteservices.h"
#include "speech/mp3player.h"

#include <QDebug>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>

SpeakYoudaoDict::SpeakYoudaoDict(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent), m_network(network ? network : new QNetworkAccessManager(this)),
      m_cache(QStringLiteral("/cache/2")), m_player(new Mp3Player)
{
}

SpeakYoudaoDict::~SpeakYoudaoDict()
{
    // Replies of a shared manager outlive the engine: stop them here.
    for (QNetworkReply *reply : std::as_const(m_replies)) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    delete m_player;
}

QString SpeakYoudaoDict::cacheFileFor(const QString &word) const
{
    return m_cache.filePathFor(RemoteServices::youdaoVoiceUrl(word));
}

bool SpeakYoudaoDict::Speak(QString word)
{
    if (word.isEmpty())
        return false;
    const QUrl url = RemoteServices::youdaoVoiceUrl(word);
    const QString path = m_cache.filePathFor(url);
    if (QFileInfo::exists(path)) {
        m_player->play(path);
        return true;
    }
    if (!m_cache.beginDownload(path)) {
        qDebug() << ",";
        return false;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::User, path);
    QNetworkReply *reply = m_network->get(request);
    m_replies << reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { downloadFinished(reply); });
    return true;
}

void SpeakYoudaoDict::downloadFinished(QNetworkReply *reply)
{
    if (!m_replies.contains(reply))
        return;
    const QString path = reply->request().attribute(QNetworkRequest::User).toString();
    if (VoiceCache::storeReply(reply, path))
        m_player->play(path);
    m_cache.endDownload(path);
    m_replies.removeAll(reply);
    reply->deleteLater();
}
