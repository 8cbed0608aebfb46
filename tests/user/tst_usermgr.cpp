#include "app/apppath.h"
#include "logcapture.h"
#include "testroot.h"
#include "user/usermgr.h"

#include <QtTest>

class TestUserMgr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newDatabaseHasTester_data();
    void newDatabaseHasTester();
    void addUserRefusesExistingName();
    void oddNamesAndPasswords_data();
    void oddNamesAndPasswords();
    void userListMostRecentFirst();
    void unknownUserIsLogged();
};

void TestUserMgr::newDatabaseHasTester_data()
{
    QTest::addColumn<bool>("emptyFile");
    QTest::newRow("no file") << false;
    QTest::newRow("0-byte file") << true;
}

void TestUserMgr::newDatabaseHasTester()
{
    QFETCH(bool, emptyFile);
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    if (emptyFile) {
        QFile file(appPath(QStringLiteral("/udata/userinfo.db")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    UserMgr users;
    QCOMPARE(users.userList(), QStringList{QStringLiteral("tester")});
    UserInfo info;
    QVERIFY(users.getUserInfo(info, QStringLiteral("tester")));
    QCOMPARE(info.value(QStringLiteral("password")).toString(), QString());
    QCOMPARE(info.value(QStringLiteral("savePsw")).toString(), QStringLiteral("0"));
    QCOMPARE(info.value(QStringLiteral("LoginCount")).toString(), QStringLiteral("0"));
    QCOMPARE(info.value(QStringLiteral("createTime")), info.value(QStringLiteral("lastLoginTime")));
    QCOMPARE(info.value(QStringLiteral("createTime")).toString().size(), 23);
    QVERIFY(users.checkPassword(QStringLiteral("tester"), QString()));
}

void TestUserMgr::addUserRefusesExistingName()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    UserMgr users;
    UserInfo record{{QStringLiteral("userName"), QStringLiteral("tester")},
                    {QStringLiteral("password"), QStringLiteral("x")}};
    QVERIFY(!users.addUser(record));
    QVERIFY(users.checkPassword(QStringLiteral("tester"), QString()));
    QCOMPARE(users.userList().size(), 1);
}

void TestUserMgr::oddNamesAndPasswords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("apostrophe") << "O'Neil"
                                << "it's";
    QTest::newRow("chinese") << "小明"
                             << "密码123";
    QTest::newRow("injection") << "x' or '1'='1"
                               << "' or ''='";
    QTest::newRow("long") << QString(60, QLatin1Char('n')) << QString(40, QLatin1Char('p'));
}

void TestUserMgr::oddNamesAndPasswords()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    UserMgr users;
    QVERIFY(!users.userExists(name));
    QVERIFY(users.addUser(
        {{QStringLiteral("userName"), name}, {QStringLiteral("password"), password}}));
    QVERIFY(users.userExists(name));
    QVERIFY(users.checkPassword(name, password));
    QVERIFY(!users.checkPassword(name, password + QLatin1Char('x')));
    QVERIFY(!users.checkPassword(QStringLiteral("tester"), password));
    QVERIFY(users.setSavePassword(name, true));
    QVERIFY(users.addLoginCount(name));
    UserInfo info;
    QVERIFY(users.getUserInfo(info, name));
    QCOMPARE(info.value(QStringLiteral("userName")).toString(), name);
    QCOMPARE(info.value(QStringLiteral("savePsw")).toString(), QStringLiteral("1"));
    QCOMPARE(info.value(QStringLiteral("LoginCount")).toString(), QStringLiteral("1"));
    // The tester row is untouched.
    QVERIFY(users.getUserInfo(info, QStringLiteral("tester")));
    QCOMPARE(info.value(QStringLiteral("LoginCount")).toString(), QStringLiteral("0"));
}

void TestUserMgr::userListMostRecentFirst()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    UserMgr users;
    users.addUser({{QStringLiteral("userName"), QStringLiteral("anna")},
                   {QStringLiteral("password"), QString()}});
    QTest::qWait(3);
    users.updateLastLoginTime(QStringLiteral("tester"));
    QCOMPARE(users.userList(), QStringList({QStringLiteral("tester"), QStringLiteral("anna")}));
}

void TestUserMgr::unknownUserIsLogged()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    UserMgr users;
    LogCapture log;
    UserInfo info{{QStringLiteral("stale"), 1}};
    QVERIFY(!users.getUserInfo(info, QStringLiteral("nobody")));
    QVERIFY(info.isEmpty());
    QVERIFY(log.contains(QStringLiteral("[nobody]用户不存在")));
    QVERIFY(!users.checkPassword(QStringLiteral("nobody"), QString()));
}

QTEST_GUILESS_MAIN(TestUserMgr)
#include "tst_usermgr.moc"
