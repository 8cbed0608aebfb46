#pragma once

#include <QObject>
#include <QSet>

class ExternalViewer;

// Deletes external viewers whose player has finished. One instance per process, made on
// first use and destroyed at exit. A finished viewer reaches the deleter through a queued
// call; a viewer that its owner deleted meanwhile is no longer tracked and is left alone.
class ExternalViewerDeleter : public QObject
{
    Q_OBJECT
public:
    static ExternalViewerDeleter *instance();
    // The instance if it has been made (and not yet destroyed), else null.
    static ExternalViewerDeleter *existingInstance();

    void track(ExternalViewer *viewer);
    void untrack(ExternalViewer *viewer);
    // Viewers alive right now.
    int liveViewers() const { return int(m_live.size()); }

public Q_SLOTS:
    void deleteExternalViewer(ExternalViewer *viewer);

private:
    QSet<ExternalViewer *> m_live;
};
