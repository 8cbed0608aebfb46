#include "user/memora_login.h"

#include "app/clock.h"
#include "app/product.h"
#include "app/settings.h"
#include "user/helptext.h"
#include "user/memora_newuser.h"
#include "user/usermgr.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QMessageBox>
#include <QScreen>

namespace {

bool isTrue(const QVariant &value)
{
    return value.toString() == QLatin1String("true") || value.toString() == QLatin1String("1");
}

} // namespace

Memora_Login::Memora_Login(QWidget *parent, UserMgr *users)
    : QDialog(parent), m_users(users ? users : g_pUserMgr)
{
    setupUi(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->virtualGeometry();
        move((desktop.width() - width()) / 2 + desktop.x(),
             (desktop.height() - height()) / 2 + desktop.y());
    }
    qDebug() << QStringLiteral("#进入用户登陆对话框……");

    loadUserList();

    // A missing key reads as false: the dialog never logs in by itself on a first start.
    m_autoLogin =
        GlobalSettings::value(g_pSettings, QStringLiteral("LoginInfo/AutoLogin")).toBool();
    chBox_autoLogin->setChecked(m_autoLogin);
    if (m_autoLogin)
        QCoreApplication::postEvent(this, new QEvent(QEvent::Type(kAutoLoginEvent)));

    pBtn_login->setFocus();
    installHelpTexts();
}

Memora_Login::~Memora_Login()
{
    qDebug() << QStringLiteral("退出用户登陆对话框……");
}

void Memora_Login::loadUserList()
{
    const QSignalBlocker blocker(coBox_userList);
    coBox_userList->clear();
    m_userList = m_users ? m_users->userList() : QStringList();
    m_userName = m_userList.value(0);
    coBox_userList->addItems(m_userList);
    coBox_userList->setCurrentIndex(m_userList.isEmpty() ? -1 : 0);
    showUser(m_userName);
}

// Fills in the user's stored password when the user asked for it to be remembered;
// otherwise clears the field and both boxes.
void Memora_Login::showUser(const QString &name)
{
    UserInfo info;
    const bool known = m_users && !name.isEmpty() && m_users->getUserInfo(info, name);
    m_storedPassword = info.value(QStringLiteral("password")).toString();
    m_savePassword = known && isTrue(info.value(QStringLiteral("savePsw")));
    if (m_savePassword) {
        liEdt_passWord->setText(m_storedPassword);
        chBox_keepPsw->setChecked(true);
    } else {
        chBox_keepPsw->setChecked(false);
        chBox_autoLogin->setChecked(false);
        liEdt_passWord->clear();
    }
}

void Memora_Login::on_coBox_userList_currentIndexChanged(int index)
{
    showUser(coBox_userList->itemText(index));
}

void Memora_Login::on_chBox_autoLogin_toggled(bool checked)
{
    // Logging in by itself needs the password, so it must stay remembered.
    if (checked)
        chBox_keepPsw->setChecked(true);
    chBox_keepPsw->setEnabled(!checked);
}

void Memora_Login::on_chBox_keepPsw_toggled(bool checked)
{
    Q_UNUSED(checked);
}

void Memora_Login::on_pBtn_newUser_clicked()
{
    Memora_NewUser dialog(this, m_users);
    if (dialog.exec() == QDialog::Accepted)
        loadUserList();
}

void Memora_Login::on_pBtn_login_clicked()
{
    m_autoLogin = chBox_autoLogin->isChecked();
    m_savePassword = chBox_keepPsw->isChecked();
    m_userName = coBox_userList->currentText();
    m_typedPassword = liEdt_passWord->text();

    UserInfo info;
    if (m_users && !m_userName.isEmpty() && m_users->checkPassword(m_userName, m_typedPassword)) {
        m_users->getUserInfo(info, m_userName);
        m_lastLoginTime =
            QDateTime::fromString(info.value(QStringLiteral("lastLoginTime")).toString(),
                                  QLatin1String(Clock::kTextFormat));
        m_users->updateLastLoginTime(m_userName);
        m_users->addLoginCount(m_userName);
        m_users->setSavePassword(m_userName, m_savePassword);
        GlobalSettings::setValue(g_pSettings, QStringLiteral("LoginInfo/AutoLogin"), m_autoLogin);
        accept();
        return;
    }

    QMessageBox::warning(nullptr, Product::displayName(),
                         tr("\n 密码输入不正确，请注意大小写！  \n 请重新输入……"), QMessageBox::Ok);
    chBox_autoLogin->setChecked(false);
    chBox_keepPsw->setChecked(false);
    liEdt_passWord->clear();
}

void Memora_Login::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
}

void Memora_Login::customEvent(QEvent *event)
{
    if (event->type() == QEvent::Type(kAutoLoginEvent))
        on_pBtn_login_clicked();
    else
        QDialog::customEvent(event);
}

void Memora_Login::installHelpTexts()
{
    coBox_userList->setWhatsThis(helpText(tr("用户名"), tr("在这里选择登陆用户名。")));
    liEdt_passWord->setWhatsThis(helpText(tr("密码"), tr("在这里输入密码。")));
    pBtn_newUser->setWhatsThis(
        helpText(tr("新建用户"), tr("新建一个用户来保存个人设置与学习等信息。")));
    chBox_keepPsw->setWhatsThis(helpText(tr("记住密码"), tr("选中此项下次登陆时不用再输入密码。")));
    chBox_autoLogin->setWhatsThis(
        helpText(tr("自动登陆"), tr("选中此项下次登陆时系统将自动进入主界面。")));
    pBtn_login->setWhatsThis(
        helpText(tr("登陆"), tr("选择用户名并且输入密码后，单击此按钮登陆到主界面。")));
}
