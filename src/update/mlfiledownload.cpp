#include "update/mlfiledownload.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

MlFileDownload::MlFileDownload(QObject *parent) : QObject(parent)
{
    connect(&m_network, &QNetworkAccessManager::finished, this, &MlFileDownload::downloadFinished);
}

MlFileDownload::~MlFileDownload()
{
    dropRunning();
}

void MlFileDownload::dropRunning()
{
    if (m_reply) {
        QNetworkReply *old = m_reply;
        m_reply = nullptr;
        old->disconnect(this);
        if (!old->isFinished())
            old->abort();
        old->deleteLater();
    }
    if (m_file) {
        m_file->cancelWriting();
        delete m_file;
        m_file = nullptr;
    }
}

void MlFileDownload::download(const QUrl &url, const QString &filePath)
{
    if (m_logging)
        qDebug() << "MlFileDownload::download" << url.toString() << filePath;
    dropRunning();
    m_finished = false;
    m_saved = false;
    m_writeFailed = false;
    m_filePath = filePath;

    QDir().mkpath(QFileInfo(filePath).absolutePath());
    m_file = new QSaveFile(filePath);
    if (!m_file->open(QIODevice::WriteOnly)) {
        qDebug("Could not open %s for writing: %s\n", qPrintable(filePath),
               qPrintable(m_file->errorString()));
        m_writeFailed = true;
    }

    m_reply = m_network.get(QNetworkRequest(url));
    connect(m_reply, &QNetworkReply::downloadProgress, this, &MlFileDownload::downloadProgress);
    connect(m_reply, &QNetworkReply::readyRead, this, &MlFileDownload::readAvailable);
}

void MlFileDownload::readAvailable()
{
    if (!m_reply || !m_file)
        return;
    const QByteArray chunk = m_reply->readAll();
    if (m_writeFailed || chunk.isEmpty())
        return;
    if (m_file->write(chunk) != chunk.size()) {
        qDebug("Could not write %s: %s\n", qPrintable(m_filePath),
               qPrintable(m_file->errorString()));
        m_writeFailed = true;
    }
}

void MlFileDownload::error(QNetworkReply::NetworkError code)
{
    qDebug() << "MlFileDownload::error" << int(code);
}

void MlFileDownload::cancel()
{
    if (m_reply && !m_finished) {
        disconnect(m_reply, &QNetworkReply::downloadProgress, this,
                   &MlFileDownload::downloadProgress);
        m_reply->abort();
    }
}

void MlFileDownload::downloadFinished(QNetworkReply *reply)
{
    // Replies of downloads that were replaced are only cleaned up.
    if (reply != m_reply) {
        reply->deleteLater();
        return;
    }
    const QNetworkReply::NetworkError code = reply->error();
    const QString url = QString::fromLatin1(reply->url().toEncoded());
    if (code != QNetworkReply::NoError) {
        qDebug("Download of %s failed: %s\n", qPrintable(url), qPrintable(reply->errorString()));
        if (m_file)
            m_file->cancelWriting();
    } else {
        readAvailable();
        if (!m_writeFailed && m_file && m_file->commit()) {
            m_saved = true;
            qDebug("Download of %s succeeded (saved to %s)\n", qPrintable(url),
                   qPrintable(m_filePath));
        } else {
            qDebug("Could not open %s for writing: %s\n", qPrintable(m_filePath),
                   qPrintable(m_file ? m_file->errorString() : QString()));
            if (m_file)
                m_file->cancelWriting();
        }
    }
    delete m_file;
    m_file = nullptr;
    m_finished = true;
    m_reply = nullptr;
    reply->deleteLater();
    emit downloaded(int(code));
}
