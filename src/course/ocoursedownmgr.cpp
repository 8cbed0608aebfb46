#include "course/ocoursedownmgr.h"

#include "app/apppath.h"
#include "app/remoteservices.h"
#include "course/unzip.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

OCourseDownMgr::OCourseDownMgr(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

OCourseDownMgr::~OCourseDownMgr()
{
    // Whoever listened may be going away too: a download cut short here reports nothing.
    blockSignals(true);
    cancel();
}

QString OCourseDownMgr::downloadFolder()
{
    return QDir::toNativeSeparators(dataFolder() + QStringLiteral("/odata/course"));
}

bool OCourseDownMgr::isDownloaded(int mid)
{
    const QString name = QStringLiteral("/%1.db").arg(mid);
    return QFileInfo::exists(appPath(QStringLiteral("/odata/course") + name)) ||
           QFileInfo::exists(downloadFolder() + name);
}

void OCourseDownMgr::download(int mid)
{
    download(mid, RemoteServices::officialCourseUrl(mid));
}

void OCourseDownMgr::download(int mid, const QUrl &url)
{
    if (m_reply) {
        qDebug() << "OCourseDownMgr::download 已有下载进行中" << m_url;
        return;
    }
    m_url = url;
    m_mid = mid;
    m_coursePath = downloadFolder() + QStringLiteral("/%1.db").arg(mid);

    ensureAppDir(QStringLiteral("/temp"));
    const QString name = QFileInfo(url.path()).fileName();
    m_file = new QFile(appPath(QStringLiteral("/temp/") + name));
    if (name.isEmpty() || !m_file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qDebug() << "OCourseDownMgr::download 无法创建文件" << m_file->fileName()
                 << m_file->errorString();
        delete m_file;
        m_file = nullptr;
        return;
    }

    m_reply = m_network->get(QNetworkRequest(url));
    connect(m_reply, &QNetworkReply::errorOccurred, this, &OCourseDownMgr::error);
    connect(m_reply, &QNetworkReply::finished, this, &OCourseDownMgr::httpFinished);
    connect(m_reply, &QNetworkReply::readyRead, this, &OCourseDownMgr::httpReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this,
            &OCourseDownMgr::updateDataReadProgress);
}

void OCourseDownMgr::httpReadyRead()
{
    if (m_file && m_reply)
        m_file->write(m_reply->readAll());
}

void OCourseDownMgr::error(QNetworkReply::NetworkError)
{
    // Evaluated once the reply has finished.
}

void OCourseDownMgr::httpFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();

    const int code = int(reply->error());
    const QString archive = m_file ? m_file->fileName() : QString();
    if (m_file) {
        if (code == QNetworkReply::NoError)
            m_file->write(reply->readAll());
        m_file->flush();
        m_file->close();
        // A failed or refused download (an HTTP error status too) leaves no archive behind.
        if (code != QNetworkReply::NoError)
            m_file->remove();
        delete m_file;
        m_file = nullptr;
    }
    qDebug() << "OCourseDownMgr::httpFinished" << QFileInfo(archive).fileName();
    qDebug() << code << reply->errorString() << m_coursePath;

    int result = code;
    if (code == QNetworkReply::NoError) {
        Unzip unzip;
        m_unzip = &unzip;
        connect(&unzip, &Unzip::currentProgress, this, &OCourseDownMgr::updateUnzipProgress);
        const QString program = m_unzipProgram.isEmpty() ? Unzip::defaultProgram() : m_unzipProgram;
        QDir().mkpath(downloadFolder());
        if (!unzip.extract(archive, downloadFolder(), program)) {
            qDebug() << "OCourseDownMgr::httpFinished 解压失败" << archive;
            result = UnpackError;
        } else if (!isDownloaded(m_mid)) {
            qDebug() << "OCourseDownMgr::httpFinished 压缩包中没有课程文件" << m_coursePath;
            result = UnpackError;
        }
        m_unzip = nullptr;
    }
    emit finished(result);
}

void OCourseDownMgr::cancel()
{
    if (m_unzip)
        m_unzip->cancel();
    // The reply is let go before it is aborted, and the result is reported only once
    // everything is cleaned up: whoever hears finished may open a message box (and so an
    // event loop) or delete this object.
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    if (m_file) {
        m_file->close();
        m_file->remove();
        delete m_file;
        m_file = nullptr;
    }
    if (reply)
        emit finished(QNetworkReply::OperationCanceledError);
}
