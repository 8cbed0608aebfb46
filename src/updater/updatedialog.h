#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class MlFileDownload;
class QLabel;
class QProgressBar;
class QPushButton;
class Unzip;
class UpdateInstaller;

// The updater's one window: downloads the new version's archive into "/temp", checks it
// against the SHA-256 that the version file named (when it named one), unpacks it with the
// unzip program and installs the files over the program folder, then asks whether to
// start the trainer. A failed download, a refused archive, a failed installation (after
// which the old files are back in place) and a cancellation ask whether to go on with the
// old version instead.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    enum Stage
    {
        caDown = 0,
        caUnzip = 1,
        caInstall = 2
    };

    explicit UpdateDialog(QWidget *parent = nullptr);
    ~UpdateDialog() override;

    // Takes the command line after the program's path: title, trainer file name, program
    // folder, archive URL, version and, optionally, the archive's SHA-256. False (and
    // nothing started) for fewer than five.
    bool start(const QStringList &arguments);

    int stage() const { return m_stage; }
    QString archivePath() const { return m_archivePath; }
    QString unpackFolder() const { return m_unpackFolder; }
    QString statusText() const;

    // The unzip program: "unzip" in the program folder when there is one, else the system's.
    static QString unzipProgram(const QString &programFolder);

public Q_SLOTS:
    void updateProgress(qint64 current, qint64 total);
    void finished(int result);
    void cancel();
    void runApp(const QString &info);
    void extract();

private:
    void startDownload();
    void install();
    // Whether the archive matches the expected SHA-256 (always true without one).
    bool archiveIsGenuine() const;
    void refuse(const QString &message);
    QString boxTitle() const;
    static bool removeFolder(const QString &folder);

    int m_stage = caDown;
    QString m_title;
    QString m_programFile;
    QString m_programFolder;
    QString m_downUrl;
    QString m_version;
    QString m_sha256;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancelButton = nullptr;
    MlFileDownload *m_downloader = nullptr;
    QString m_url;
    QString m_archivePath;
    QString m_unpackFolder;
    Unzip *m_unzip = nullptr;
    UpdateInstaller *m_installer = nullptr;
    int m_copied = 0;
    bool m_cancelled = false;
};
