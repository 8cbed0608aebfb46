#pragma once

#include <QString>
#include <QVariant>

class QSettings;

// The process-wide settings object on "/udata/gconfig.ini". Set by main at start-up (and by
// the test fixtures) and deleted at exit, last of the process-wide objects; every floor
// reads and writes it, always naming it as the object GlobalSettings works on. Null before
// start-up and after exit.
extern QSettings *g_pSettings;

// The global settings on "/udata/gconfig.ini". Readers use the full key
// ("Group/Key"); a missing key yields the one default that every reader shares.
namespace GlobalSettings {

// Creates the settings object on "/udata/gconfig.ini" (INI format, UTF-8).
QSettings *create();

// The default of a key of the global settings table; an invalid variant for others.
QVariant defaultValue(const QString &key);

// The value of key in settings, falling back to the key's default (also when settings is
// null). A stored value that does not convert to the type of the key's default (a number, a
// bool) reads as the default, with a log line; a remote host without a scheme gets
// "http://" (and a log line).
QVariant value(QSettings *settings, const QString &key);
// Stores value under key in settings; without a settings object nothing is stored (logged).
void setValue(QSettings *settings, const QString &key, const QVariant &value);

// Every key that has a default.
QStringList knownKeys();

} // namespace GlobalSettings
