#pragma once

#include <QString>
#include <QVariant>

class QSettings;

// The global settings on "/udata/gconfig.ini". Readers use the full key
// ("Group/Key"); a missing key yields the one default that every reader shares.
namespace GlobalSettings {

// Creates the settings object on "/udata/gconfig.ini" (INI format, UTF-8).
QSettings *create();

// The default of a key of the global settings table; an invalid variant for others.
QVariant defaultValue(const QString &key);

// The value of key in the process-wide settings object (or settings, when given),
// falling back to the key's default. A stored value that does not convert to the type of
// the key's default (a number, a bool) reads as the default, with a log line; a remote
// host without a scheme gets "http://" (and a log line).
QVariant value(const QString &key, QSettings *settings = nullptr);
void setValue(const QString &key, const QVariant &value, QSettings *settings = nullptr);

// Every key that has a default.
QStringList knownKeys();

} // namespace GlobalSettings
