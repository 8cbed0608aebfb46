#include "speech/voicecache.h"

#include "app/apppath.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QMutexLocker>
#include <QNetworkReply>
#include <QSaveFile>

VoiceCache::VoiceCache(const QString &relativeFolder) : m_folder(relativeFolder)
{
    ensureAppDir(m_folder);
}

QString VoiceCache::digestOf(const QUrl &url)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(url.toEncoded(), QCryptographicHash::Md5).toHex());
}

QString VoiceCache::filePathFor(const QUrl &url) const
{
    return appPath(QStringLiteral("%1/%2").arg(m_folder, digestOf(url)));
}

bool VoiceCache::beginDownload(const QString &path)
{
    QMutexLocker locker(&m_pendingLock);
    if (m_pending.contains(path))
        return false;
    m_pending << path;
    return true;
}

void VoiceCache::endDownload(const QString &path)
{
    QMutexLocker locker(&m_pendingLock);
    m_pending.removeAll(path);
}

bool VoiceCache::isPending(const QString &path) const
{
    QMutexLocker locker(&m_pendingLock);
    return m_pending.contains(path);
}

bool VoiceCache::storeReply(QNetworkReply *reply, const QString &path)
{
    const QByteArray url = reply->url().toEncoded();
    if (reply->error() != QNetworkReply::NoError) {
        qDebug("Download of %s failed: %s\n", url.constData(), qPrintable(reply->errorString()));
        return false;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300)) {
        qDebug("Download of %s failed: HTTP status %d\n", url.constData(), status.toInt());
        return false;
    }
    const QByteArray body = reply->readAll();
    if (body.isEmpty()) {
        qDebug("Download of %s failed: empty body\n", url.constData());
        return false;
    }
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && announced.toLongLong() != body.size()) {
        qDebug("Download of %s failed: %lld of %lld bytes\n", url.constData(),
               qlonglong(body.size()), announced.toLongLong());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit()) {
        qDebug("Could not open %s for writing: %s\n", qPrintable(path),
               qPrintable(file.errorString()));
        return false;
    }
    return true;
}
