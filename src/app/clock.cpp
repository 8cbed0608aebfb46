#include "app/clock.h"

namespace {
qint64 g_offsetSeconds = 0;
}

const char *const Clock::kTextFormat = "yyyy-MM-dd HH:mm:ss.zzz";

QDateTime Clock::now()
{
    // One conversion to local time: each one reads the time-zone setting again.
    if (g_offsetSeconds == 0)
        return QDateTime::currentDateTime();
    return QDateTime::fromMSecsSinceEpoch(nowMSecsSinceEpoch());
}

qint64 Clock::nowMSecsSinceEpoch()
{
    return QDateTime::currentMSecsSinceEpoch() + g_offsetSeconds * 1000;
}

void Clock::setOffsetSeconds(qint64 seconds)
{
    g_offsetSeconds = seconds;
}

qint64 Clock::offsetSeconds()
{
    return g_offsetSeconds;
}

QString Clock::format(const QDateTime &when)
{
    return when.toString(QLatin1String(kTextFormat));
}

QString Clock::nowText()
{
    return format(now());
}
