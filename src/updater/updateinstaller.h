#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Copies an unpacked new version over the program folder so that a cut-off update never
// leaves a half-written program.
//
// install() works in three passes. First every file is copied to a temporary file beside
// its target (".mlupdate-new"); then each target is moved aside (".mlupdate-old") and its
// temporary file renamed into place; only when every file is in place are the old files
// deleted. If any copy or rename fails, or the installation is cancelled, every file
// already replaced is restored from its old copy, the temporary files and the folders
// made for the update are removed, and install() returns false with failedFile() naming
// the file that could not be installed. Read-only targets are replaced like others.
class UpdateInstaller : public QObject
{
    Q_OBJECT
public:
    explicit UpdateInstaller(QObject *parent = nullptr);

    bool install(const QString &sourceFolder, const QString &targetFolder);
    // Stops a running install() before its next file; it then restores and returns false.
    void cancel() { m_cancelled = true; }

    // Files and folders handled by the last install().
    int handledCount() const { return m_handled; }
    // The target path that could not be installed (empty after success or on cancel).
    QString failedFile() const { return m_failedFile; }

Q_SIGNALS:
    void progress(int handled);

private:
    struct Entry
    {
        QString source;
        QString target;
        QString staged;
        QString backup;
        bool hadTarget = false;
        bool swapped = false;
    };

    bool collect(const QString &sourceFolder, const QString &targetFolder);
    bool stage(Entry &entry);
    bool swap(Entry &entry);
    void rollBack();
    void step();

    QList<Entry> m_entries;
    QStringList m_madeFolders;
    QString m_failedFile;
    int m_handled = 0;
    bool m_cancelled = false;
};
