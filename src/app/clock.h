#pragma once

#include <QDateTime>

// The one source of "now" for code that compares stored times with the present.
// Tests may shift it instead of sleeping or editing the system clock.
class Clock
{
public:
    static QDateTime now();
    // now() as milliseconds since the epoch, without a time-zone conversion: for spans.
    static qint64 nowMSecsSinceEpoch();
    // Shifts now() by the given number of seconds (0 restores the real time).
    static void setOffsetSeconds(qint64 seconds);
    static qint64 offsetSeconds();
    // Current time as stored in the databases: "yyyy-MM-dd HH:mm:ss.zzz", local time.
    static QString nowText();
    static QString format(const QDateTime &when);
    static const char *const kTextFormat;
};
