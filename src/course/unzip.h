#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

// Unpacks one zip archive with an external Info-ZIP style unzip program.
//
// The archive is listed first ("-l"); an archive with an entry whose path would leave the
// destination (absolute, or with a ".." part) is refused before anything is written. The
// entries are extracted ("-x", "-n", archive, "-d", folder) into a fresh staging folder
// under "/temp", and only when the program has finished without error are the regular
// files moved into the destination. A file already there is never replaced, so an
// installed course word file stays as it is, and a cut-short archive leaves nothing
// half-written in the destination. The program is waited for with time-outs (30 s for the
// listing, 60 s for the extraction) while events keep being processed.
class Unzip : public QObject
{
    Q_OBJECT
public:
    explicit Unzip(QObject *parent = nullptr);
    ~Unzip() override;

    // "unzip" in the program folder when there is one, otherwise the system's.
    static QString defaultProgram();

    // Number of entries as the listing reports them: its line count minus its 6 header
    // and footer lines (negative when the program printed less).
    int countFiles(const QString &archive, const QString &program);
    // The entry count of the last listing; -1 before one was made.
    int fileCount() const { return m_fileCount; }
    // Unpacks archive into folder (made when missing). True when every entry was extracted
    // and the files are in place; also emits finished(1), else finished(0).
    bool extract(const QString &archive, const QString &folder, const QString &program);

    // Time-outs of the listing and the extraction, in ms.
    void setTimeouts(int listMs, int extractMs);

public Q_SLOTS:
    void readyReadStandardOutput();
    // Stops the program; the running extract returns false.
    void cancel();

Q_SIGNALS:
    void currentProgress(qint64 current, qint64 total);
    void finished(int ret);

private:
    // Runs the started process until it ends or ms pass; true when it ended in time.
    bool waitFor(QProcess *process, int ms);
    // Whether every listed entry stays inside the destination.
    bool entriesAreSafe() const;
    bool moveFiles(const QString &from, const QString &to);
    bool finish(bool ok);

    QProcess *m_extract = nullptr;
    QProcess *m_list = nullptr;
    qint64 m_current = 0;
    int m_fileCount = -1;
    bool m_listOk = false;
    QStringList m_entries;
    bool m_cancelled = false;
    int m_listTimeoutMs = 30000;
    int m_extractTimeoutMs = 60000;
};
