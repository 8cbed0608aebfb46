#pragma once

#include "learn/learncoursedbbase.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QWaitCondition>

#include <optional>

class QThread;

// Writes a study session's changes into its record file from a thread of its own, so that
// neither the disk nor another process holding the file ever stalls the drill.
//
// Guarantees:
// - The thread owns its own connection to the file (opened on the first batch); each batch
//   is one transaction committed with full syncing, so a committed batch survives a power
//   cut.
// - submit returns at once. Batches are written in the order they were submitted; a batch
//   that fails (file read-only, disk full, busy past the time-out) is rolled back as a
//   whole and kept: it is written again, ahead of the newer statements, when the next batch
//   is submitted, never sooner. Statements are therefore neither lost nor applied twice.
// - The session row, when given, is inserted by the first batch that commits and updated
//   by each later one, so the file holds exactly one row for the session.
// - finish (and the destructor) waits for the last batch and closes the connection.
class RecordWriter
{
public:
    explicit RecordWriter(const QString &path);
    ~RecordWriter();

    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    // Queues statements (and the session row as it is now) and wakes the thread.
    void submit(const QStringList &statements, const std::optional<UseLogRow> &log);
    // Waits until everything submitted so far has been tried once more, then stops.
    void finish();

    // False while the last attempt failed; the reason in words for a log line.
    bool saved() const;
    QString error() const;
    // Statements submitted but not yet committed.
    int pendingStatements() const;
    // Batches tried so far (each submit leads to at most one try).
    int attempts() const;

private:
    void run();

    QString m_path;
    QThread *m_thread = nullptr;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QStringList m_pending;
    std::optional<UseLogRow> m_log;
    int m_logRowId = 0;
    bool m_hasWork = false;
    bool m_stop = false;
    bool m_saved = true;
    QString m_error;
    int m_attempts = 0;
};
