#include "app/remoteservices.h"

#include "app/settings.h"

namespace RemoteServices {

namespace {
QString host(const char *key)
{
    return GlobalSettings::value(g_pSettings, QLatin1String(key)).toString();
}

QUrl urlOf(const QString &hostName, const QString &path)
{
    return QUrl(joinHostPath(hostName, path));
}
} // namespace

QString joinHostPath(const QString &hostName, const QString &path)
{
    QString h = hostName.trimmed();
    while (h.endsWith(QLatin1Char('/')))
        h.chop(1);
    return h + path;
}

QString downloadHost()
{
    return host("Remote/DownloadHost");
}
QString webHost()
{
    return host("Remote/WebHost");
}
QString youdaoHost()
{
    return host("Remote/YoudaoHost");
}
QString haiciHost()
{
    return host("Remote/HaiciHost");
}

QUrl versionFileUrl()
{
    return urlOf(downloadHost(), QStringLiteral("/002/verinfo.xml"));
}

QUrl officialCourseUrl(int mid)
{
    return urlOf(downloadHost(), QStringLiteral("/002/ocourse/%1.zip").arg(mid));
}

QUrl forumUrl()
{
    return urlOf(webHost(), QStringLiteral("/bbs"));
}
QUrl statisticsUrl()
{
    return urlOf(webHost(), QStringLiteral("/0023statics.html"));
}

QUrl youdaoVoiceUrl(const QString &word)
{
    // The word travels percent-encoded so that blanks, quotes and "&" cannot change the query.
    return urlOf(youdaoHost(), QStringLiteral("/dictvoice?audio=%1")
                                   .arg(QString::fromLatin1(QUrl::toPercentEncoding(word))));
}

QUrl haiciLookupUrl(const QString &word)
{
    return urlOf(haiciHost(), QStringLiteral("/mini.php?utf8=1&q=%1")
                                  .arg(QString::fromLatin1(QUrl::toPercentEncoding(word))));
}

QUrl haiciSoundUrl(const QString &code)
{
    return urlOf(haiciHost(), QStringLiteral("/mp3.php?q=%1").arg(code));
}

} // namespace RemoteServices
