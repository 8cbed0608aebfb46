#include "learn/recordwriter.h"

#include <QDebug>
#include <QMutexLocker>
#include <QThread>

RecordWriter::RecordWriter(const QString &path) : m_path(path)
{
    m_thread = QThread::create([this] { run(); });
    // The drill comes first: on a busy machine the writer takes only the time left over.
    m_thread->start(QThread::IdlePriority);
}

RecordWriter::~RecordWriter()
{
    finish();
}

void RecordWriter::submit(const QStringList &statements, const std::optional<UseLogRow> &log)
{
    QMutexLocker lock(&m_mutex);
    if (m_stop)
        return;
    m_pending += statements;
    if (log)
        m_log = log;
    m_hasWork = true;
    m_wake.wakeOne();
}

void RecordWriter::finish()
{
    if (!m_thread)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_wake.wakeOne();
    }
    // The session end waits for the last batch: no longer in the background.
    m_thread->setPriority(QThread::NormalPriority);
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

bool RecordWriter::saved() const
{
    QMutexLocker lock(&m_mutex);
    return m_saved;
}

QString RecordWriter::error() const
{
    QMutexLocker lock(&m_mutex);
    return m_error;
}

int RecordWriter::pendingStatements() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_pending.size());
}

int RecordWriter::attempts() const
{
    QMutexLocker lock(&m_mutex);
    return m_attempts;
}

void RecordWriter::run()
{
    LearnCourseDBBase file;
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (!m_hasWork && !m_stop)
            m_wake.wait(&m_mutex);
        if (!m_hasWork)
            break;
        m_hasWork = false;
        const QStringList batch = m_pending;
        const std::optional<UseLogRow> log = m_log;
        int rowId = m_logRowId;
        lock.unlock();

        QString error;
        bool ok = file.isOpen();
        if (!ok) {
            ok = file.open(m_path, m_path + QStringLiteral("#writer"));
            // WAL commits wait for the disk only with full syncing; the wait is this
            // thread's, never the drill's.
            ok = ok && file.exec(QStringLiteral("PRAGMA synchronous = FULL"));
            if (!ok)
                error = QStringLiteral("无法打开学习记录 %1").arg(m_path);
        }
        if (ok)
            ok = file.writeBatch(batch, log ? &*log : nullptr, &rowId, &error);

        lock.relock();
        ++m_attempts;
        if (ok) {
            m_pending.erase(m_pending.begin(), m_pending.begin() + batch.size());
            m_logRowId = rowId;
        } else {
            qDebug() << "RecordWriter 学习记录写回失败, 保留" << batch.size() << "条语句" << error;
        }
        m_saved = ok;
        m_error = ok ? QString() : error;
    }
    lock.unlock();
    file.close();
}
