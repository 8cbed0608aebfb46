#include "app/globals.h"

#include "app/apppath.h"
#include "app/settings.h"
#include "course/fullworddb.h"
#include "user/usermgr.h"

#include <QSettings>

SingleApplication *g_pApp = nullptr;
QSettings *g_pSettings = nullptr;
UserMgr *g_pUserMgr = nullptr;
FullWordDB *g_pFullWordDB = nullptr;

namespace Globals {

void create()
{
    // The user database lives under "/udata", which must exist before it is opened.
    ensureAppDir(QStringLiteral("/udata"));
    g_pUserMgr = new UserMgr;
    g_pSettings = GlobalSettings::create();
    g_pFullWordDB = new FullWordDB;
}

void destroy()
{
    delete g_pFullWordDB;
    g_pFullWordDB = nullptr;
    delete g_pUserMgr;
    g_pUserMgr = nullptr;
    if (g_pSettings)
        g_pSettings->sync();
    delete g_pSettings;
    g_pSettings = nullptr;
}

void ensureDataFolders()
{
    ensureAppDir(QStringLiteral("/udata"));
    ensureAppDir(QStringLiteral("/cache"));
    ensureAppDir(QStringLiteral("/temp"));
}

} // namespace Globals
