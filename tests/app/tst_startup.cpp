#include "app/apppath.h"
#include "app/settings.h"
#include "app/startup.h"
#include "course/fullworddb.h"
#include "processobjects.h"
#include "testroot.h"
#include "user/usermgr.h"

#include <QDir>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mainWindowGeometry_data();
    void mainWindowGeometry();
    void systemUserNameFallsBack_data();
    void systemUserNameFallsBack();
    void newSystemUserIsAddedWithEmptyPassword();
    void globalsCreateFoldersAndDatabases();
};

void TestStartup::mainWindowGeometry_data()
{
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("640 wide") << QRect(0, 0, 640, 480) << QRect(0, 0, 640, 450) << QSize(900, 635)
                              << QRect(0, 20, 640, 430);
    QTest::newRow("800 wide") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 570) << QSize(900, 635)
                              << QRect(0, 20, 800, 550);
    QTest::newRow("1024 wide") << QRect(0, 0, 1024, 768) << QRect(0, 0, 1024, 740)
                               << QSize(900, 635) << QRect(62, 66, 900, 635);
    // The height is centred as for a 635-high window, whatever the window's height.
    QTest::newRow("offset desktop") << QRect(100, 50, 1920, 1080) << QRect(100, 50, 1920, 1040)
                                    << QSize(900, 700) << QRect(610, 272, 900, 700);
}

void TestStartup::mainWindowGeometry()
{
    QFETCH(QRect, desktop);
    QFETCH(QRect, available);
    QFETCH(QSize, window);
    QFETCH(QRect, expected);
    QCOMPARE(Startup::mainWindowGeometry(desktop, available, 20, window), expected);
}

void TestStartup::systemUserNameFallsBack_data()
{
    // The values of USERNAME, USER and LOGNAME (empty: unset).
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("USERNAME first") << QStringList{"win", "unix", "log"} << "win";
    QTest::newRow("USER next") << QStringList{"", "unix", "log"} << "unix";
    QTest::newRow("LOGNAME last") << QStringList{"", "", "log"} << "log";
    QTest::newRow("none: home folder") << QStringList{"", "", ""} << QDir::home().dirName();
}

void TestStartup::systemUserNameFallsBack()
{
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    const char *const names[3] = {"USERNAME", "USER", "LOGNAME"};
    QByteArray saved[3];
    auto set = [](const char *name, const QByteArray &value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(names[i]);
        set(names[i], values.at(i).toUtf8());
    }
    const QString result = Startup::systemUserName();
    for (int i = 0; i < 3; ++i)
        set(names[i], saved[i]);
    QCOMPARE(result, expected);
}

void TestStartup::newSystemUserIsAddedWithEmptyPassword()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    UserMgr users;
    const QString name = QStringLiteral("o'brien");
    QVERIFY(!users.userExists(name));
    users.logInSystemUser(name);
    UserInfo info;
    QVERIFY(users.getUserInfo(info, name));
    QCOMPARE(info.value(QStringLiteral("password")).toString(), QString());
    QCOMPARE(info.value(QStringLiteral("LoginCount")).toString(), QStringLiteral("1"));
    // The second start returns the first login's time and counts again.
    const QString firstLogin = info.value(QStringLiteral("lastLoginTime")).toString();
    const QDateTime previous = users.logInSystemUser(name);
    QCOMPARE(previous.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), firstLogin);
    users.getUserInfo(info, name);
    QCOMPARE(info.value(QStringLiteral("LoginCount")).toString(), QStringLiteral("2"));
}

void TestStartup::globalsCreateFoldersAndDatabases()
{
    TestRoot root;
    ProcessObjects::create();
    Startup::ensureDataFolders();
    QVERIFY(g_pUserMgr && g_pSettings && g_pFullWordDB);
    for (const char *folder : {"/udata", "/cache", "/temp"})
        QVERIFY2(QDir(root.filePath(QLatin1String(folder))).exists(), folder);
    QVERIFY(QFile::exists(root.filePath(QStringLiteral("/udata/userinfo.db"))));
    // Installation data is never created by the program.
    QVERIFY(!QFile::exists(root.filePath(QStringLiteral("/odata/fullword.db"))));
    QCOMPARE(g_pFullWordDB->getESentence(QStringLiteral("apple")), QString());
    ProcessObjects::destroy();
    QVERIFY(!g_pUserMgr && !g_pSettings && !g_pFullWordDB);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
