#include "app/apppath.h"
#include "app/messagelog.h"
#include "app/product.h"
#include "app/settings.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "course/courseheadercaptions.h"
#include "course/fullworddb.h"
#include "ui/memora_mainwindows.h"
#include "user/memora_login.h"
#include "user/usermgr.h"

#include <QDebug>
#include <QMessageBox>
#include <QSettings>

// The top of the program: creates the process-wide objects (the user database, the
// settings and the example sentences, in that order), runs the main window, and destroys
// them in the reverse order but the settings last.
int main(int argc, char *argv[])
{
    SingleApplication app(QStringLiteral("ferncove memora"), argc, argv);
    app.setApplicationName(QStringLiteral("Memora"));
    app.setApplicationDisplayName(Product::displayName());

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

    // The user database lives under "/udata", which must exist before it is opened.
    ensureAppDir(QStringLiteral("/udata"));
    g_pUserMgr = new UserMgr;
    g_pSettings = GlobalSettings::create();
    g_pFullWordDB = new FullWordDB;
    Startup::ensureDataFolders();

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
        if (GlobalSettings::value(g_pSettings, QStringLiteral("Common/Multi-User")).toBool()) {
            Memora_Login login;
            chosen = login.exec() == QDialog::Accepted;
            userName = login.userName();
            previousLogin = login.lastLoginTime();
        } else {
            userName = Startup::systemUserName();
            previousLogin = g_pUserMgr->logInSystemUser(userName);
        }

        if (chosen) {
            window.logIn(userName, previousLogin);
            result = app.exec();
        } else {
            qDebug() << QStringLiteral("退出登陆……");
        }
    }

    delete g_pFullWordDB;
    g_pFullWordDB = nullptr;
    delete g_pUserMgr;
    g_pUserMgr = nullptr;
    g_pSettings->sync();
    delete g_pSettings;
    g_pSettings = nullptr;
    return result;
}
