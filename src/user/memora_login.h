#pragma once

#include "ui_memora_login.h"

#include <QDateTime>
#include <QDialog>
#include <QStringList>

class UserMgr;

// The login dialog of multi-user mode. exec() returns Accepted only after a successful
// login, which is then already recorded (last login time, login count, remember-password
// flag and "LoginInfo/AutoLogin"); userName() and lastLoginTime() describe the user who
// logged in, lastLoginTime() being the login before this one.
class Memora_Login : public QDialog, private Ui::Memora_Login
{
    Q_OBJECT

public:
    // The custom event that runs a login attempt once the dialog's event loop starts.
    static constexpr int kAutoLoginEvent = 5001;

    // users: the account store (the process-wide one when null).
    explicit Memora_Login(QWidget *parent = nullptr, UserMgr *users = nullptr);
    ~Memora_Login() override;

    QString userName() const { return m_userName; }
    QDateTime lastLoginTime() const { return m_lastLoginTime; }

private Q_SLOTS:
    void on_coBox_userList_currentIndexChanged(int index);
    void on_chBox_autoLogin_toggled(bool checked);
    void on_chBox_keepPsw_toggled(bool checked);
    void on_pBtn_newUser_clicked();
    void on_pBtn_login_clicked();

protected:
    void changeEvent(QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    void loadUserList();
    void showUser(const QString &name);
    void installHelpTexts();

    UserMgr *m_users;
    bool m_autoLogin = false;
    bool m_savePassword = false;
    QString m_userName;
    QStringList m_userList;
    QString m_typedPassword;
    QString m_storedPassword;
    QDateTime m_lastLoginTime;
};
