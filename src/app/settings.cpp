#include "app/settings.h"

#include "app/apppath.h"

#include <QDebug>
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

// The stored value in the type of the key's default; a value that does not convert reads
// as the default (a mistyped "Learn/Volume=loud" must not mute the speech).
QVariant typed(const QString &key, const QVariant &stored, const QVariant &fallback)
{
    const QString text = stored.toString().trimmed();
    bool ok = true;
    QVariant result = stored;
    if (fallback.typeId() == QMetaType::Int) {
        result = text.toInt(&ok);
    } else if (fallback.typeId() == QMetaType::Bool) {
        const QString lower = text.toLower();
        ok = stored.typeId() == QMetaType::Bool || lower == QLatin1String("true") ||
             lower == QLatin1String("false") || lower == QLatin1String("1") ||
             lower == QLatin1String("0");
        result = stored.typeId() == QMetaType::Bool
                     ? stored.toBool()
                     : (lower == QLatin1String("true") || lower == QLatin1String("1"));
    } else if (key.startsWith(QLatin1String("Remote/")) && key.endsWith(QLatin1String("Host")) &&
               !text.isEmpty() && !text.contains(QLatin1String("://"))) {
        qDebug() << "GlobalSettings: 地址缺少协议, 加上 http://" << key << text;
        return QVariant(QStringLiteral("http://") + text);
    }
    if (ok)
        return result;
    qDebug() << "GlobalSettings: 设置值无效, 使用默认值" << key << text << fallback;
    return fallback;
}

} // namespace

QSettings *g_pSettings = nullptr;

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

QVariant value(QSettings *settings, const QString &key)
{
    QSettings *s = settings;
    const QVariant fallback = defaultValue(key);
    if (!s)
        return fallback;
    if (!s->contains(key) || !fallback.isValid())
        return s->value(key, fallback);
    return typed(key, s->value(key), fallback);
}

void setValue(QSettings *settings, const QString &key, const QVariant &value)
{
    if (!settings) {
        qDebug() << "GlobalSettings: 没有设置对象, 未保存" << key;
        return;
    }
    settings->setValue(key, value);
}

QStringList knownKeys()
{
    QStringList keys = defaults().keys();
    keys << QStringLiteral("Themes/MBGPath");
    keys.sort();
    return keys;
}

} // namespace GlobalSettings
