#include "processobjects.h"

#include "app/apppath.h"
#include "app/settings.h"
#include "course/fullworddb.h"
#include "user/usermgr.h"

#include <QSettings>

namespace ProcessObjects {

void create()
{
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

} // namespace ProcessObjects
