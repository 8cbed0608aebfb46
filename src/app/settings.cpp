#include "app/settings.h"

#include "app/apppath.h"
#include "app/globals.h"

#include <QHash>
#include <QSettings>

namespace {

const QHash<QString, QVariant> &defaults()
{
    static const QHash<QString, QVariant> table = {
        {QStringLiteral("Common/Multi-User"), false},
        {QStringLiteral("Common/AutoUpdate"), true},
        {QStringLiteral("Common/SendStatistics"), true},
        {QStringLiteral("LoginInfo/AutoLogin"), false},
        {QStringLiteral("Learn/AutoSpeak"), true},
        {QStringLiteral("Learn/ExternalPlayer"), false},
        {QStringLiteral("Learn/MplayerPath"), QString()},
        {QStringLiteral("Learn/SpeechEngine"), 1},
        {QStringLiteral("Learn/Voice"), QStringLiteral("VW Paul")},
        {QStringLiteral("Learn/VoicePath"), QString()},
        {QStringLiteral("Learn/Volume"), 50},
        {QStringLiteral("Learn/FullScr"), false},
        {QStringLiteral("Advanced/SysMode"), 0},
        {QStringLiteral("Themes/MBGMode"), true},
        // Hosts of the remote services; every URL is host + path.
        {QStringLiteral("Remote/DownloadHost"), QStringLiteral("http://download.ferncove.com")},
        {QStringLiteral("Remote/WebHost"), QStringLiteral("http://www.ferncove.com")},
        {QStringLiteral("Remote/YoudaoHost"), QStringLiteral("http://dict.youdao.com")},
        {QStringLiteral("Remote/HaiciHost"), QStringLiteral("http://dict.cn")},
    };
    return table;
}

QSettings *resolve(QSettings *settings)
{
    return settings ? settings : g_pSettings;
}

} // namespace

namespace GlobalSettings {

QSettings *create()
{
    auto *settings =
        new QSettings(appPath(QStringLiteral("/udata/gconfig.ini")), QSettings::IniFormat);
    return settings;
}

QVariant defaultValue(const QString &key)
{
    // The background picture depends on where the program lies.
    if (key == QLatin1String("Themes/MBGPath"))
        return appPath(QStringLiteral("/images/bg_main.png"));
    return defaults().value(key);
}

QVariant value(const QString &key, QSettings *settings)
{
    QSettings *s = resolve(settings);
    if (!s)
        return defaultValue(key);
    return s->value(key, defaultValue(key));
}

void setValue(const QString &key, const QVariant &value, QSettings *settings)
{
    if (QSettings *s = resolve(settings))
        s->setValue(key, value);
}

QStringList knownKeys()
{
    QStringList keys = defaults().keys();
    keys << QStringLiteral("Themes/MBGPath");
    keys.sort();
    return keys;
}

} // namespace GlobalSettings
