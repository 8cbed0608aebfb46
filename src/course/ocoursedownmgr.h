#pragma once

#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QUrl>

class QFile;
class QNetworkAccessManager;
class Unzip;

// Downloads one official course archive ("/002/ocourse/<mid>.zip" on the download
// server) into "/temp" and unpacks it into the downloaded-course folder.
//
// finished(code) comes once per download: 0 when the course was fetched and unpacked; the
// reply's network error code when the transfer failed, an HTTP error status (404, 500)
// included, and then the partial archive is removed and nothing is unpacked; UnpackError
// when the archive arrived but could not be unpacked. cancel() aborts the transfer (then
// finished reports OperationCanceledError) or the unpacking, and removes the partial archive.
class OCourseDownMgr : public QObject
{
    Q_OBJECT
public:
    // finished code of an archive that arrived but could not be unpacked.
    static constexpr int UnpackError = -1;

    explicit OCourseDownMgr(QObject *parent = nullptr);
    ~OCourseDownMgr() override;

    // Starts the download of the course with file number mid.
    void download(int mid);
    // Starts the download of url; the course is expected as <mid>.db in the archive.
    void download(int mid, const QUrl &url);

    // The folder downloaded official courses go to: the data folder's "odata/course".
    static QString downloadFolder();
    // Whether the course word file of mid is installed with the program or downloaded.
    static bool isDownloaded(int mid);

    // The unzip program to use (Unzip::defaultProgram() unless set).
    void setUnzipProgram(const QString &program) { m_unzipProgram = program; }

public Q_SLOTS:
    void cancel();

Q_SIGNALS:
    void finished(int code);
    void updateDataReadProgress(qint64 received, qint64 total);
    // Entries unpacked so far and the archive's entry count.
    void updateUnzipProgress(qint64 current, qint64 total);

private Q_SLOTS:
    void httpFinished();
    void httpReadyRead();
    void error(QNetworkReply::NetworkError code);

private:
    QNetworkAccessManager *m_network;
    QNetworkReply *m_reply = nullptr;
    QFile *m_file = nullptr;
    Unzip *m_unzip = nullptr;
    QUrl m_url;
    int m_mid = 0;
    QString m_coursePath;
    QString m_unzipProgram;
};
