#include "user/usermgr.h"

#include "app/apppath.h"
#include "app/clock.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

const char *const UserMgr::kCreateTable =
    "CREATE TABLE [TUserInfo] ("
    "\t\t\t   [id] INTEGER NOT NULL ON CONFLICT FAIL PRIMARY KEY AUTOINCREMENT,"
    " \t\t\t   [userName] CHAR(32) NOT NULL ON CONFLICT FAIL,"
    " \t\t\t   [password] CHAR(32) NOT NULL ON CONFLICT FAIL,"
    " \t\t\t   [savePsw] BOOL NOT NULL ON CONFLICT FAIL DEFAULT 0,"
    " \t\t\t   [createTime] DATETIME NOT NULL ON CONFLICT FAIL,"
    "                            [lastLoginTime] DATETIME NOT NULL ON CONFLICT FAIL,"
    "                           [LoginCount] INTEGER NOT NULL ON CONFLICT FAIL);";

UserMgr *g_pUserMgr = nullptr;

UserMgr::UserMgr()
{
    const QString path = appPath(QStringLiteral("/udata/userinfo.db"));
    const QFileInfo file(path);
    // A 0-byte file is a creation cut short: it holds nothing and is simply filled.
    bool fresh = !file.exists() || file.size() == 0;
    const bool opened = open(path, QString());
    if (!fresh && (!opened || !holdsUserTable())) {
        if (!setDamagedFileAside(path))
            return;
        fresh = true;
        open(path, QString());
    }
    if (fresh && isOpen()) {
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

bool UserMgr::holdsUserTable()
{
    bool ok = false;
    QSqlQuery check = runBound(QStringLiteral("PRAGMA quick_check"), {}, &ok);
    if (!ok || !check.next() || check.value(0).toString() != QLatin1String("ok"))
        return false;
    runBound(QStringLiteral("select count(*) from TUserInfo"), {}, &ok);
    return ok;
}

bool UserMgr::setDamagedFileAside(const QString &path)
{
    close();
    const QString kept = path + QStringLiteral(".damaged-") +
                         Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(path, kept)) {
        qWarning() << "UserMgr: the user database" << path
                   << "is damaged and could not be moved aside; users cannot be loaded";
        return false;
    }
    qWarning() << "UserMgr: the user database" << path << "is damaged; kept as" << kept
               << "and a new one was started";
    m_recoveredFile = kept;
    return true;
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

QDateTime UserMgr::logInSystemUser(const QString &userName)
{
    if (!userExists(userName)) {
        UserInfo record;
        record.insert(QStringLiteral("userName"), userName);
        record.insert(QStringLiteral("password"), QString());
        addUser(record);
    }
    UserInfo info;
    getUserInfo(info, userName);
    const QDateTime previous = QDateTime::fromString(
        info.value(QStringLiteral("lastLoginTime")).toString(), QLatin1String(Clock::kTextFormat));
    updateLastLoginTime(userName);
    addLoginCount(userName);
    return previous;
}
