#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QUrl>

class QSaveFile;

// Fetches one URL into one file over HTTP.
//
// The body is streamed into a temporary file beside the target and renamed into place
// only when the whole reply arrived without error, so the target is either the complete
// new body or left as it was. downloaded() is emitted exactly once per download with the
// reply's network error (0 = none); whether the file could be written is told apart by
// saved(). Starting a new download while one runs drops the running one without a signal.
class MlFileDownload : public QObject
{
    Q_OBJECT
public:
    explicit MlFileDownload(QObject *parent = nullptr);
    ~MlFileDownload() override;

    // True when the last finished download wrote its file completely.
    bool saved() const { return m_saved; }
    QString filePath() const { return m_filePath; }
    // Whether download() writes its log line (the updater keeps quiet).
    void setLogging(bool on) { m_logging = on; }

Q_SIGNALS:
    void downloaded(int error);
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);

public Q_SLOTS:
    void download(const QUrl &url, const QString &filePath);
    void error(QNetworkReply::NetworkError code);
    void cancel();

private Q_SLOTS:
    void downloadFinished(QNetworkReply *reply);

private:
    void readAvailable();
    void dropRunning();

    QNetworkAccessManager m_network;
    QString m_filePath;
    QNetworkReply *m_reply = nullptr;
    QSaveFile *m_file = nullptr;
    bool m_finished = false;
    bool m_saved = false;
    bool m_writeFailed = false;
    bool m_logging = true;
};
