#pragma once

class QApplication;
class QSettings;
class UserMgr;
class FullWordDB;
class SingleApplication;

// Process-wide objects, created once at start-up in this order: user database,
// settings, example sentences; destroyed in the reverse of that order but the
// settings last (example sentences, user database, settings).
extern SingleApplication *g_pApp;
extern QSettings *g_pSettings;
extern UserMgr *g_pUserMgr;
extern FullWordDB *g_pFullWordDB;

namespace Globals {
// Creates the user database, the settings object and the example-sentence database.
void create();
// Deletes them: example sentences, user database, settings.
void destroy();
// Makes "/udata", "/cache" and "/temp", in that order.
void ensureDataFolders();
} // namespace Globals
