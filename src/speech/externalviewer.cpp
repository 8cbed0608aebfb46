#include "speech/externalviewer.h"

#include "speech/externalviewerdeleter.h"

ExternalViewer::exCantRunViewer::exCantRunViewer(const QString &viewerPath)
    : m_what(std::string("Couldn't run external viewer:") + " " + viewerPath.toStdString())
{
}

ExternalViewer::ExternalViewer(QObject *parent, const QString &filePath, const QString &,
                               const QString &viewerPath)
    : QObject(parent), m_viewerPath(viewerPath), m_filePath(filePath), m_process(new QProcess(this))
{
    ExternalViewerDeleter *deleter = ExternalViewerDeleter::instance();
    deleter->track(this);
    connect(m_process, &QProcess::finished, this, &ExternalViewer::viewerFinished);
    connect(this, &ExternalViewer::finished, deleter, &ExternalViewerDeleter::deleteExternalViewer,
            Qt::QueuedConnection);
}

ExternalViewer::~ExternalViewer()
{
    if (ExternalViewerDeleter *deleter = ExternalViewerDeleter::existingInstance()) {
        disconnect(this, nullptr, deleter, nullptr);
        deleter->untrack(this);
    }
    // A player still sounding when its owner goes away is stopped with it.
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void ExternalViewer::run()
{
    m_process->start(m_viewerPath, QStringList{m_filePath});
    if (!m_process->waitForStarted(kStartTimeoutMs))
        throw exCantRunViewer(m_viewerPath);
}

void ExternalViewer::viewerFinished(int, QProcess::ExitStatus)
{
    Q_EMIT finished(this);
}
