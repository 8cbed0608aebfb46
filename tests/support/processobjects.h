#pragma once

// The trainer's process-wide objects for tests and benchmarks, made as main makes them: the
// user database, the settings and the example sentences under the current program root.
namespace ProcessObjects {

// Creates "/udata" and the three objects (g_pUserMgr, g_pSettings, g_pFullWordDB).
void create();
// Deletes them: example sentences, user database, settings (synced first).
void destroy();

} // namespace ProcessObjects
