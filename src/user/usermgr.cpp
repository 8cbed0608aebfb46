#include "user/usermgr.h"

#include "app/apppath.h"
#include "app/clock.h"

#include <QDebug>

const char *const UserMgr::kCreateTable =
    "CREATE TABLE [TUserInfo] (\t\t\t   [id] INTEGER NOT NULL ON CONFLICT FAIL"
    " PRIMARY KEY AUTOINCREMENT, \t\t\t   [userName] CHAR(32) NOT NULL ON CONF"
    "LICT FAIL, \t\t\t   [password] CHAR(32) NOT NULL ON CONFLICT FAIL, \t\t\t   "
    "[savePsw] BOOL NOT NULL ON CONFLICT FAIL DEFAULT 0, \t\t\t   [createTime]"
    " DATETIME NOT NULL ON CONFLICT FAIL,                            [lastL"
    "oginTime] DATETIME NOT NULL ON CONFLICT FAIL,                         "
    "  [LoginCount] INTEGER NOT NULL ON CONFLICT FAIL);";

UserMgr::UserMgr()
{
    const QString path = appPath(QStringLiteral("/udata/userinfo.db"));
    open(path, QString());
    // A new file, or an empty database (a 0-byte file), gets the table and the tester; a
    // file that holds other data is left alone.
    const bool empty =
        isOpen() && rexec(QStringLiteral("select count(*) from sqlite_master")).toInt() == 0;
    if (isOpen() && !empty &&
        rexec(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = "
                             "'TUserInfo'"))
                .toInt() == 0)
        qDebug() << "UserMgr: 用户数据库没有用户表, 不使用" << path;
    if (empty) {
        if (!exec(QLatin1String(kCreateTable))) {
            qDebug() << "UserMgr: 无法新建用户表" << path;
            return;
        }
        UserInfo tester;
        tester.insert(QStringLiteral("userName"), QStringLiteral("tester"));
        tester.insert(QStringLiteral("password"), QString());
        addUser(tester);
    }
}

bool UserMgr::userExists(const QString &userName)
{
    return !selectRows(QStringLiteral("select id from TUserInfo where userName = ?"), {userName})
                .isEmpty();
}

bool UserMgr::updateLastLoginTime(const QString &userName)
{
    return execBound(QStringLiteral("update TUserInfo set lastLoginTime = ? where userName = ?"),
                     {Clock::nowText(), userName});
}

bool UserMgr::addLoginCount(const QString &userName)
{
    return execBound(
        QStringLiteral("update TUserInfo set LoginCount = LoginCount +1 where userName = ?"),
        {userName});
}

bool UserMgr::setSavePassword(const QString &userName, bool save)
{
    return execBound(QStringLiteral("update TUserInfo set savePsw = ? where userName = ?"),
                     {save ? QStringLiteral("1") : QStringLiteral("0"), userName});
}

bool UserMgr::addUser(const UserInfo &record)
{
    const QString name = record.value(QStringLiteral("userName")).toString();
    if (userExists(name))
        return false;
    const QString now = Clock::nowText();
    return execBound(QStringLiteral("insert into TUserInfo(userName, password, savePsw, "
                                    "createTime, lastLoginTime, LoginCount) "
                                    "values(?, ?, 0, ?, ?, 0)"),
                     {name, record.value(QStringLiteral("password")).toString(), now, now});
}

bool UserMgr::getUserInfo(UserInfo &info, const QString &userName)
{
    info.clear();
    const QList<QVariantMap> rows =
        selectRows(QStringLiteral("select * from TUserInfo where userName = ?"), {userName});
    if (rows.isEmpty()) {
        qDebug() << QStringLiteral("[%1]用户不存在").arg(userName);
        return false;
    }
    const QVariantMap &row = rows.first();
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        info.insert(it.key(), it.value().toString());
    return true;
}

bool UserMgr::checkPassword(const QString &userName, const QString &password)
{
    UserInfo info;
    return getUserInfo(info, userName) &&
           info.value(QStringLiteral("password")).toString() == password;
}

QStringList UserMgr::userList()
{
    QStringList names;
    const QList<QVariantMap> rows =
        selectRows(QStringLiteral("select userName from TUserInfo order by lastLoginTime desc"));
    for (const QVariantMap &row : rows)
        names << row.value(QStringLiteral("userName")).toString();
    return names;
}
