#include "app/startup.h"

#include "app/apppath.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTextCodec>
#include <QWidget>

namespace Startup {

void prepareDataFolder()
{
    const QString program = programFolder();
    const QString data = dataFolder();
    QDir().mkpath(data);
    qDebug() << "Startup: 数据文件夹" << QDir::toNativeSeparators(data);
    if (isPortableSetup(program) && data != program)
        qDebug() << "Startup: 便携版程序文件夹不可写, 用户数据改存数据文件夹"
                 << QDir::toNativeSeparators(program);
    moveOldUserData(program, data);
}

QTextCodec *gb18030Codec()
{
    if (QTextCodec *codec = QTextCodec::codecForName("GB18030"))
        return codec;
    return QTextCodec::codecForLocale();
}

void installApplicationFont()
{
    QFont font(QStringLiteral("SimSun"), 9);
    // Without SimSun, prefer a CJK family that is installed so Chinese never shows as boxes.
    const QStringList fallbacks = {
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UMing CN")};
    QStringList families{QStringLiteral("SimSun")};
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : fallbacks)
        if (installed.contains(family))
            families << family;
    font.setFamilies(families);
    QApplication::setFont(font);
}

QRect mainWindowGeometry(const QRect &desktop, const QRect &available, int titleBarHeight,
                         const QSize &windowSize)
{
    if (desktop.width() == 640 || desktop.width() == 800)
        return QRect(0, titleBarHeight, available.width(), available.height() - titleBarHeight);
    const int x = (desktop.width() - windowSize.width()) / 2 + desktop.x();
    const int y = (desktop.height() - 635) / 2 + desktop.y();
    return QRect(QPoint(x, y), windowSize);
}

void placeMainWindow(QWidget *window)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || !window)
        return;
    const QRect desktop = screen->virtualGeometry();
    const QRect available = screen->availableGeometry();
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect target = mainWindowGeometry(desktop, available, titleBar, window->size());
    if (desktop.width() == 640 || desktop.width() == 800)
        window->setGeometry(target);
    else
        window->move(target.topLeft());
}

QString systemUserName()
{
    for (const char *name : {"USERNAME", "USER", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    // An empty name would put the learner's records straight into "/udata".
    const QString home = QDir::home().dirName();
    return home.isEmpty() ? QStringLiteral("user") : home;
}

void ensureDataFolders()
{
    ensureAppDir(QStringLiteral("/udata"));
    ensureAppDir(QStringLiteral("/cache"));
    ensureAppDir(QStringLiteral("/temp"));
}

} // namespace Startup
