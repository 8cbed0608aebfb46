#include "app/globals.h"
#include "app/messagelog.h"
#include "app/product.h"
#include "app/settings.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "course/courseheadercaptions.h"
#include "ui/memora_mainwindows.h"
#include "user/memora_login.h"
#include "user/usermgr.h"

#include <QDebug>
#include <QMessageBox>

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
        Memora_MainWindows window;
        Startup::placeMainWindow(&window);

        if (!g_pUserMgr->recoveredFile().isEmpty())
            QMessageBox::warning(
                nullptr, Product::displayName(),
                QObject::tr(
                    "用户数据库已损坏，已另存为：\n%1\n\n已新建用户数据库，学习记录未受影响。")
                    .arg(g_pUserMgr->recoveredFile()));

        QString userName;
        QDateTime previousLogin;
        bool chosen = true;
        if (GlobalSettings::value(QStringLiteral("Common/Multi-User")).toBool()) {
            Memora_Login login;
            chosen = login.exec() == QDialog::Accepted;
            userName = login.userName();
            previousLogin = login.lastLoginTime();
        } else {
            userName = Startup::systemUserName();
            previousLogin = Startup::logInSystemUser(g_pUserMgr, userName);
        }

        if (chosen) {
            window.logIn(userName, previousLogin);
            result = app.exec();
        } else {
            qDebug() << QStringLiteral("退出登陆……");
        }
    }

    Globals::destroy();
    g_pApp = nullptr;
    return result;
}
