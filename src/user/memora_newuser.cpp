#include "user/memora_newuser.h"

#include "app/product.h"
#include "app/userfolder.h"
#include "user/helptext.h"
#include "user/usermgr.h"

#include <QDebug>
#include <QEvent>
#include <QMessageBox>

Memora_NewUser::Memora_NewUser(QWidget *parent, UserMgr *users)
    : QDialog(parent), m_users(users ? users : g_pUserMgr)
{
    setupUi(this);
    if (parent) {
        const QRect area = parent->geometry();
        move((area.width() - width()) / 2 + area.x(), (area.height() - height()) / 2 + area.y());
    }
    qDebug() << QStringLiteral("进入创建用户对话框……");
    installHelpTexts();
}

QString Memora_NewUser::unusableNameReason(const QString &name)
{
    // The name becomes the folder of the user's learning records.
    if (!name.isEmpty() && !isUsableUserName(name))
        return tr("\n 用户名不能是“.”或“..”，也不能包含“/”或“\\”！  \n 请重新输入……");
    return QString();
}

void Memora_NewUser::warn(const QString &text)
{
    QMessageBox::warning(nullptr, Product::displayName(), text, QMessageBox::Ok);
}

void Memora_NewUser::on_pBtn_creUser_clicked()
{
    const QString name = liEdit_userNam->text().trimmed();
    const QString password = liEdit_passWord->text();
    const QString confirmation = liEdit_conPassWord->text();

    if (name.isEmpty()) {
        qDebug() << QStringLiteral("[%1] 用户名为空...返回重试").arg(name);
        warn(tr("\n 用户名不能为空！  \n 请重新输入……"));
        liEdit_userNam->setFocus();
        return;
    }
    const QString unusable = unusableNameReason(name);
    if (!unusable.isEmpty()) {
        qDebug() << QStringLiteral("[%1] 用户名不能作文件夹名...返回重试").arg(name);
        warn(unusable);
        liEdit_userNam->setFocus();
        return;
    }
    if (m_users && m_users->userExists(name)) {
        qDebug() << QStringLiteral("[%1] 用户名重复...返回重试").arg(name);
        warn(tr("\n 该用户已存在！  \n 请选用其他名称……"));
        liEdit_userNam->setFocus();
        return;
    }
    if (password != confirmation) {
        warn(tr("\n 两次输入的密码不一致！  \n 请重新输入……"));
        liEdit_passWord->clear();
        liEdit_conPassWord->clear();
        return;
    }
    UserInfo record;
    record.insert(QStringLiteral("userName"), name);
    record.insert(QStringLiteral("password"), password);
    if (m_users && m_users->addUser(record))
        accept();
    else
        warn(tr("\n 无法保存新用户，请查看日志……"));
}

void Memora_NewUser::on_pBtn_abrUser_clicked()
{
    qDebug() << QStringLiteral("退出创建用户对话框……");
    reject();
}

void Memora_NewUser::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
}

void Memora_NewUser::installHelpTexts()
{
    liEdit_userNam->setWhatsThis(helpText(tr("用户名"), tr("输入新的用户名。")));
    liEdit_passWord->setWhatsThis(helpText(tr("密码"), tr("输入新用户的密码。")));
    liEdit_conPassWord->setWhatsThis(
        helpText(tr("确认密码"), tr("重新输入密码，以确认输入密码无误。")));
    pBtn_creUser->setWhatsThis(helpText(tr("创建"), tr("创建新用户。")));
    pBtn_abrUser->setWhatsThis(helpText(tr("放弃"), tr("放弃新建用户操作。")));
}
