#include "app/globals.h"
#include "app/messagelog.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "course/courseheadercaptions.h"
#include "ui/placeholderwindow.h"
#include "user/usermgr.h"

#include <QDebug>

int main(int argc, char *argv[])
{
    SingleApplication app(QStringLiteral("ferncove memora"), argc, argv);
    g_pApp = &app;
    app.setApplicationName(QStringLiteral("Memora"));

    // A second start only wakes the running trainer.
    if (app.isRunning()) {
        app.sendMessage(QStringLiteral("RaiseWindow"), 5000);
        return 0;
    }

    qInstallMessageHandler(messageHandler);
    Startup::prepareDataFolder();
    Startup::gb18030Codec();
    Startup::installApplicationFont();
    initCourseHeaderCaptions();

    Globals::create();
    Globals::ensureDataFolders();

    int result = 0;
    {
        PlaceholderWindow window;
        QObject::connect(&app, &SingleApplication::messageReceived, &window,
                         &PlaceholderWindow::handleMessage);
        Startup::placeMainWindow(&window);
        const QString userName = Startup::systemUserName();
        const QDateTime previousLogin = Startup::logInSystemUser(g_pUserMgr, userName);
        window.logIn(userName, previousLogin);
        result = app.exec();
    }

    Globals::destroy();
    g_pApp = nullptr;
    return result;
}
