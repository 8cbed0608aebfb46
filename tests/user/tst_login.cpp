#include "app/settings.h"
#include "modalanswer.h"
#include "processobjects.h"
#include "sqlitefile.h"
#include "testroot.h"
#include "user/memora_login.h"
#include "user/memora_newuser.h"
#include "user/usermgr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

// The login and new-user dialogs as a learner uses them, over a real user database in a
// private program root.
class TestLogin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstStartHasTesterWithEmptyPassword();
    void loginRecordsItAndHeadsTheList();
    void wrongPasswordKeepsTheDialogOpen();
    void autoLoginBoxHoldsRememberPassword();
    void userWithoutSavedPasswordClearsTheBoxes();
    void autoLoginLogsInOnItsOwn();
    void newUser_data();
    void newUser();
    void damagedUserDatabaseIsKeptAndReplaced_data();
    void damagedUserDatabaseIsKeptAndReplaced();
    void emptyUserTableStillOffersNewUser();

private:
    static void addUser(const QString &name, const QString &password);
    static UserInfo info(const QString &name);

    TestRoot *m_root = nullptr;
};

void TestLogin::init()
{
    m_root = new TestRoot;
    QDir().mkpath(m_root->filePath(QStringLiteral("/udata")));
    ProcessObjects::create();
}

void TestLogin::cleanup()
{
    ProcessObjects::destroy();
    delete m_root;
    m_root = nullptr;
}

void TestLogin::addUser(const QString &name, const QString &password)
{
    UserInfo record;
    record.insert(QStringLiteral("userName"), name);
    record.insert(QStringLiteral("password"), password);
    QVERIFY(g_pUserMgr->addUser(record));
}

UserInfo TestLogin::info(const QString &name)
{
    UserInfo record;
    g_pUserMgr->getUserInfo(record, name);
    return record;
}

void TestLogin::firstStartHasTesterWithEmptyPassword()
{
    QCOMPARE(g_pUserMgr->userList(), QStringList{QStringLiteral("tester")});
    QCOMPARE(info("tester").value("LoginCount").toString(), QStringLiteral("0"));
    QVERIFY(g_pUserMgr->checkPassword(QStringLiteral("tester"), QString()));
}

void TestLogin::loginRecordsItAndHeadsTheList()
{
    addUser(QStringLiteral("amy"), QStringLiteral("pw"));
    const QString before = info("tester").value("lastLoginTime").toString();
    QTest::qWait(5); // the new login time must differ from the creation time

    Memora_Login dialog;
    auto *users = dialog.findChild<QComboBox *>("coBox_userList");
    users->setCurrentText(QStringLiteral("tester"));
    dialog.findChild<QLineEdit *>("liEdt_passWord")->setText(QString());
    dialog.findChild<QCheckBox *>("chBox_keepPsw")->setChecked(true);
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_login"), Qt::LeftButton);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.userName(), QStringLiteral("tester"));
    QCOMPARE(dialog.lastLoginTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), before);
    const UserInfo after = info("tester");
    QCOMPARE(after.value("LoginCount").toString(), QStringLiteral("1"));
    QCOMPARE(after.value("savePsw").toString(), QStringLiteral("1"));
    QVERIFY(after.value("lastLoginTime").toString() > before);
    QCOMPARE(g_pUserMgr->userList().value(0), QStringLiteral("tester"));
    QCOMPARE(GlobalSettings::value(g_pSettings, QStringLiteral("LoginInfo/AutoLogin")).toBool(),
             false);
}

void TestLogin::wrongPasswordKeepsTheDialogOpen()
{
    addUser(QStringLiteral("bob"), QStringLiteral("Secret"));
    Memora_Login dialog;
    dialog.findChild<QComboBox *>("coBox_userList")->setCurrentText(QStringLiteral("bob"));
    dialog.findChild<QLineEdit *>("liEdt_passWord")->setText(QStringLiteral("secret"));
    dialog.findChild<QCheckBox *>("chBox_autoLogin")->setChecked(true);

    ModalAnswer answer;
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_login"), Qt::LeftButton);
    QCOMPARE(answer.texts(), QStringList{"\n 密码输入不正确，请注意大小写！  \n 请重新输入……"});
    QCOMPARE(dialog.result(), 0);
    QVERIFY(dialog.findChild<QLineEdit *>("liEdt_passWord")->text().isEmpty());
    QVERIFY(!dialog.findChild<QCheckBox *>("chBox_autoLogin")->isChecked());
    QVERIFY(!dialog.findChild<QCheckBox *>("chBox_keepPsw")->isChecked());
    QCOMPARE(info("bob").value("LoginCount").toString(), QStringLiteral("0"));
}

void TestLogin::autoLoginBoxHoldsRememberPassword()
{
    Memora_Login dialog;
    auto *autoLogin = dialog.findChild<QCheckBox *>("chBox_autoLogin");
    auto *keep = dialog.findChild<QCheckBox *>("chBox_keepPsw");
    autoLogin->setChecked(true);
    QVERIFY(keep->isChecked());
    QVERIFY(!keep->isEnabled());
    autoLogin->setChecked(false);
    QVERIFY(keep->isEnabled());
    QVERIFY(keep->isChecked());
}

void TestLogin::userWithoutSavedPasswordClearsTheBoxes()
{
    addUser(QStringLiteral("amy"), QStringLiteral("pw"));
    g_pUserMgr->setSavePassword(QStringLiteral("tester"), true);
    g_pUserMgr->updateLastLoginTime(QStringLiteral("tester"));
    Memora_Login dialog;
    auto *users = dialog.findChild<QComboBox *>("coBox_userList");
    auto *password = dialog.findChild<QLineEdit *>("liEdt_passWord");
    QCOMPARE(users->currentText(), QStringLiteral("tester"));
    QVERIFY(dialog.findChild<QCheckBox *>("chBox_keepPsw")->isChecked());

    password->setText(QStringLiteral("typed"));
    dialog.findChild<QCheckBox *>("chBox_autoLogin")->setChecked(true);
    users->setCurrentText(QStringLiteral("amy"));
    QVERIFY(password->text().isEmpty());
    QVERIFY(!dialog.findChild<QCheckBox *>("chBox_keepPsw")->isChecked());
    QVERIFY(!dialog.findChild<QCheckBox *>("chBox_autoLogin")->isChecked());
}

void TestLogin::autoLoginLogsInOnItsOwn()
{
    addUser(QStringLiteral("amy"), QStringLiteral("pw"));
    g_pUserMgr->setSavePassword(QStringLiteral("amy"), true);
    g_pUserMgr->updateLastLoginTime(QStringLiteral("amy"));
    GlobalSettings::setValue(g_pSettings, QStringLiteral("LoginInfo/AutoLogin"), true);

    Memora_Login dialog;
    QTimer::singleShot(3000, &dialog, &QDialog::reject); // never hang if nothing happens
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.userName(), QStringLiteral("amy"));
    QCOMPARE(GlobalSettings::value(g_pSettings, QStringLiteral("LoginInfo/AutoLogin")).toBool(),
             true);
}

void TestLogin::newUser_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("stored"); // empty: nobody added
    QTest::addColumn<QString>("message");

    QTest::newRow("blanks trimmed, password kept") << "  amy  "
                                                   << " p w "
                                                   << " p w "
                                                   << "amy"
                                                   << "";
    QTest::newRow("empty password") << "ann"
                                    << ""
                                    << ""
                                    << "ann"
                                    << "";
    QTest::newRow("quotes, percent, Chinese") << "Tom's 100% 学生"
                                              << "x"
                                              << "x"
                                              << "Tom's 100% 学生"
                                              << "";
    QTest::newRow("empty name, passwords differ") << "   "
                                                  << "a"
                                                  << "b"
                                                  << ""
                                                  << "用户名不能为空";
    QTest::newRow("duplicate") << "tester"
                               << ""
                               << ""
                               << ""
                               << "该用户已存在";
    QTest::newRow("passwords differ") << "carl"
                                      << "a"
                                      << "b"
                                      << ""
                                      << "两次输入的密码不一致";
    QTest::newRow("slash") << "a/b"
                           << ""
                           << ""
                           << ""
                           << "不能包含";
    QTest::newRow("dot dot") << ".."
                             << ""
                             << ""
                             << ""
                             << "不能包含";
    QTest::newRow("backslash") << "a\\b"
                               << ""
                               << ""
                               << ""
                               << "不能包含";
}

void TestLogin::newUser()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(QString, stored);
    QFETCH(QString, message);

    const QStringList before = g_pUserMgr->userList();
    Memora_NewUser dialog;
    dialog.findChild<QLineEdit *>("liEdit_userNam")->setText(name);
    dialog.findChild<QLineEdit *>("liEdit_passWord")->setText(password);
    dialog.findChild<QLineEdit *>("liEdit_conPassWord")->setText(confirmation);
    ModalAnswer answer;
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_creUser"), Qt::LeftButton);

    if (stored.isEmpty()) {
        QCOMPARE(answer.count(), 1);
        QVERIFY2(answer.lastText().contains(message), qPrintable(answer.lastText()));
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(g_pUserMgr->userList(), before);
        QCOMPARE(dialog.findChild<QLineEdit *>("liEdit_userNam")->text(), name);
        if (message.contains("密码不一致"))
            QVERIFY(dialog.findChild<QLineEdit *>("liEdit_conPassWord")->text().isEmpty());
    } else {
        QCOMPARE(answer.count(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(g_pUserMgr->checkPassword(stored, password));
    }
}

void TestLogin::damagedUserDatabaseIsKeptAndReplaced_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("keptAside");
    QTest::newRow("not a database")
        << QByteArray("these are not the users you are looking for") << true;
    QTest::newRow("empty file") << QByteArray() << false;
}

void TestLogin::damagedUserDatabaseIsKeptAndReplaced()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, keptAside);
    ProcessObjects::destroy();
    const QString path = m_root->filePath(QStringLiteral("/udata/userinfo.db"));
    QFile::remove(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    ProcessObjects::create();
    QCOMPARE(g_pUserMgr->userList(), QStringList{QStringLiteral("tester")});
    QCOMPARE(g_pUserMgr->recoveredFile().isEmpty(), !keptAside);
    if (keptAside) {
        QFile kept(g_pUserMgr->recoveredFile());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), content);
    }
}

void TestLogin::emptyUserTableStillOffersNewUser()
{
    QVERIFY(execOnFile(m_root->filePath(QStringLiteral("/udata/userinfo.db")),
                       {QStringLiteral("delete from TUserInfo")}));

    Memora_Login dialog;
    QCOMPARE(dialog.findChild<QComboBox *>("coBox_userList")->count(), 0);
    ModalAnswer answer;
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_login"), Qt::LeftButton);
    QCOMPARE(answer.count(), 1);
    QCOMPARE(dialog.result(), 0);
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
