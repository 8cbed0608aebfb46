#include "speech/speakdictcn.h"

#include "app/remoteservices.h"
#include "speech/mp3player.h"

#include <QDebug>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>

SpeakDictCN::SpeakDictCN(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent), m_network(network ? network : new QNetworkAccessManager(this)),
      m_cache(QStringLiteral("/cache/1")), m_player(new Mp3Player)
{
}

SpeakDictCN::~SpeakDictCN()
{
    for (QNetworkReply *reply : m_pageReplies + m_soundReplies) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    delete m_player;
}

QString SpeakDictCN::cacheFileFor(const QString &word) const
{
    return m_cache.filePathFor(RemoteServices::haiciLookupUrl(word));
}

bool SpeakDictCN::Speak(QString word)
{
    const QUrl url = RemoteServices::haiciLookupUrl(word);
    const QString path = m_cache.filePathFor(url);
    if (QFileInfo::exists(path)) {
        m_player->play(path);
        return true;
    }
    if (!m_cache.beginDownload(path))
        return false;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::User, path);
    QNetworkReply *reply = m_network->get(request);
    m_pageReplies << reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { s1downloadFinished(reply); });
    return true;
}

void SpeakDictCN::s1downloadFinished(QNetworkReply *reply)
{
    if (!m_pageReplies.contains(reply))
        return;
    const QString path = reply->request().attribute(QNetworkRequest::User).toString();
    bool soundRequested = false;
    if (reply->error() != QNetworkReply::NoError) {
        qDebug("Download of %s failed: %s\n", reply->url().toEncoded().constData(),
               qPrintable(reply->errorString()));
    } else {
        static const QRegularExpression ssplay(QStringLiteral("ssplay\\(\\'([^\\)]*)\\'\\)"));
        const QRegularExpressionMatch match =
            ssplay.match(QString::fromLocal8Bit(reply->readAll()));
        if (match.hasMatch()) {
            QNetworkRequest request(RemoteServices::haiciSoundUrl(match.captured(1)));
            request.setAttribute(QNetworkRequest::User, path);
            QNetworkReply *sound = m_network->get(request);
            m_soundReplies << sound;
            connect(sound, &QNetworkReply::finished, this,
                    [this, sound] { s2downloadFinished(sound); });
            soundRequested = true;
        } else {
            qDebug("SpeakDictCN: no sound named in the page %s\n",
                   reply->url().toEncoded().constData());
        }
    }
    if (!soundRequested)
        m_cache.endDownload(path);
    m_pageReplies.removeAll(reply);
    reply->deleteLater();
}

void SpeakDictCN::s2downloadFinished(QNetworkReply *reply)
{
    if (!m_soundReplies.contains(reply))
        return;
    const QString path = reply->request().attribute(QNetworkRequest::User).toString();
    if (VoiceCache::storeReply(reply, path))
        m_player->play(path);
    m_cache.endDownload(path);
    m_soundReplies.removeAll(reply);
    reply->deleteLater();
}
