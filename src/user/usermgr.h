#pragma once

#include "app/psqlite.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

typedef QMap<QString, QVariant> UserInfo;

// The user accounts in "/udata/userinfo.db". Passwords are stored and compared as typed.
// Names and passwords reach SQL only as bound values.
class UserMgr : public psqlite
{
public:
    static const char *const kCreateTable;

    // Opens the database; a new (or 0-byte) file gets the table and the user "tester".
    // A damaged file (not a database, truncated, without the user table) is renamed to
    // "userinfo.db.damaged-<time>" and never rewritten; a new database takes its place.
    UserMgr();

    // The damaged file that was set aside at construction; empty when none was.
    QString recoveredFile() const { return m_recoveredFile; }

    bool userExists(const QString &userName);
    bool updateLastLoginTime(const QString &userName);
    bool addLoginCount(const QString &userName);
    bool setSavePassword(const QString &userName, bool save);
    // Adds record["userName"] with record["password"]; false if the name exists.
    bool addUser(const UserInfo &record);
    // Clears info, then fills it with the user's columns as text; false if unknown.
    bool getUserInfo(UserInfo &info, const QString &userName);
    bool checkPassword(const QString &userName, const QString &password);
    // All names, most recent login first.
    QStringList userList();
    // Log-in without the login dialog (single-user mode): adds userName with an empty
    // password if unknown, returns its previous login time and records this login.
    QDateTime logInSystemUser(const QString &userName);

private:
    bool holdsUserTable();
    bool setDamagedFileAside(const QString &path);

    QString m_recoveredFile;
};

// The process-wide user database "/udata/userinfo.db". Created by main at start-up (and by
// the test fixtures) and deleted at exit; read by the login and new-user dialogs and the
// home page. Null before start-up and after exit.
extern UserMgr *g_pUserMgr;
