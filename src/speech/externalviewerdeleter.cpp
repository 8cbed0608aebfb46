#include "speech/externalviewerdeleter.h"

#include "speech/externalviewer.h"

namespace {
Q_GLOBAL_STATIC(ExternalViewerDeleter, g_deleter)
}

ExternalViewerDeleter *ExternalViewerDeleter::instance()
{
    return g_deleter();
}

ExternalViewerDeleter *ExternalViewerDeleter::existingInstance()
{
    if (g_deleter.exists() && !g_deleter.isDestroyed())
        return g_deleter();
    return nullptr;
}

void ExternalViewerDeleter::track(ExternalViewer *viewer)
{
    m_live.insert(viewer);
}

void ExternalViewerDeleter::untrack(ExternalViewer *viewer)
{
    m_live.remove(viewer);
}

void ExternalViewerDeleter::deleteExternalViewer(ExternalViewer *viewer)
{
    if (m_live.contains(viewer))
        delete viewer;
}
