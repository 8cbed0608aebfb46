#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QUrl>

class QNetworkReply;

// The cache of downloaded word voices of one online engine, and the list of cache files
// whose download is under way. Files are named by the lower-case hex MD5 of the request
// URL. A file appears only complete: the body is written to a temporary file and renamed
// into place, and error replies or empty bodies are never stored.
class VoiceCache
{
public:
    // relativeFolder: "/cache/1", "/cache/2"; the folder is made if missing.
    explicit VoiceCache(const QString &relativeFolder);

    QString folder() const { return m_folder; }
    // The cache file for a request URL (it may not exist).
    QString filePathFor(const QUrl &url) const;
    // The 32-character lower-case hex MD5 of the encoded URL.
    static QString digestOf(const QUrl &url);

    // Adds path to the pending list unless it is there already; false when it was.
    bool beginDownload(const QString &path);
    // Removes every occurrence of path from the pending list.
    void endDownload(const QString &path);
    bool isPending(const QString &path) const;

    // Stores the body of a finished reply under path. False (with a log line) for a
    // network or HTTP error, an empty or incomplete body, or a file that cannot be written.
    static bool storeReply(QNetworkReply *reply, const QString &path);

private:
    QString m_folder;
    mutable QMutex m_pendingLock;
    QStringList m_pending;
};
