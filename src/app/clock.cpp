#include "app/clock.h"

namespace {
qint64 g_offsetSeconds = 0;
}

const char *const Clock::kTextFormat = "yyyy-MM-dd HH:mm:ss.zzz";

QDateTime Clock::now()
{
    return QDateTime::currentDateTime().addSecs(g_offsetSeconds);
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
