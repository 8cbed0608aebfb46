#pragma once

#include "update/mlfiledownload.h"

#include <QObject>
#include <QString>

// Checks the download server for a newer version and hands over to the updater program.
//
// check() fetches the version file "/002/verinfo.xml" into "/verinfo.xml" (in the program
// folder, or in the data folder where the program folder cannot be written) and answers
// with checkResult(): false on a network error or when the file could not be saved (a
// stale copy is never read), true or false by the version comparison, and no signal at
// all for a version number with fewer than four parts. applyNewVer() copies "MlUpdate"
// to "TMlUpdate" and starts the copy detached; the caller quits the trainer afterwards.
class UpdateMgr : public QObject
{
    Q_OBJECT
public:
    explicit UpdateMgr(QObject *parent = nullptr);

    void check();
    QString updateNotes() const { return m_updateNotes; }
    QString versionNumber() const { return m_verNumber; }
    QString downloadUrl() const { return m_downUrl; }
    // The archive's SHA-256 (hex) when the version file carries one, else empty.
    QString sha256() const { return m_sha256; }
    // Prepares and starts the updater; false (and a log line) when that failed.
    bool applyNewVer();

    // Where the version file is saved.
    static QString versionFilePath();
    // Whether the learner may replace the program files (else the system's package
    // manager installs new versions).
    static bool canSelfUpdate();
    // What the notifier and the update dialog say where canSelfUpdate() is false.
    static QString packageManagerText();
    static QString packageManagerButtonText();
    // 1 when version is newer than the program's own, 0 when not, -1 when it has fewer
    // than four parts. Each of the four parts is compared by itself, in order: the first
    // part above the program's own decides.
    static int compareWithProgram(const QString &version);

Q_SIGNALS:
    void checkResult(bool bHaveNewVer);

public Q_SLOTS:
    void downloaded(int error);
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);

private:
    void parse(const QString &filePath);

    MlFileDownload m_downloader;
    QString m_verNumber;
    QString m_downUrl;
    QString m_updateNotes;
    QString m_sha256;
};
