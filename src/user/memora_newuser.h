#pragma once

#include "ui_memora_newuser.h"

#include <QDialog>

class UserMgr;

// Creates one user. Accepted means the user was added; the name is stored trimmed and
// the password as typed.
class Memora_NewUser : public QDialog, private Ui::Memora_NewUser
{
    Q_OBJECT

public:
    // users: the account store (the process-wide one when null).
    explicit Memora_NewUser(QWidget *parent = nullptr, UserMgr *users = nullptr);

    // Why a name cannot name a user's folder; empty when it can.
    static QString unusableNameReason(const QString &name);

private Q_SLOTS:
    void on_pBtn_creUser_clicked();
    void on_pBtn_abrUser_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void warn(const QString &text);
    void installHelpTexts();

    UserMgr *m_users;
};
