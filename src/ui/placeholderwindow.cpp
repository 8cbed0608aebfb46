#include "ui/placeholderwindow.h"

#include "app/apppath.h"
#include "app/settings.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(QWidget *parent) : QWidget(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("PlaceholderWindow"));
    setWindowTitle(QStringLiteral("Memora 背单词"));
    resize(900, 635);
    auto *layout = new QVBoxLayout(this);
    m_label->setObjectName(QStringLiteral("lab_welcome"));
    m_label->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label);

    const QString background =
        GlobalSettings::value(g_pSettings, QStringLiteral("Themes/MBGPath")).toString();
    if (GlobalSettings::value(g_pSettings, QStringLiteral("Themes/MBGMode")).toBool() &&
        QFileInfo::exists(background)) {
        setAttribute(Qt::WA_StyledBackground, true);
        setStyleSheet(QStringLiteral("#PlaceholderWindow { border-image: url(%1); }")
                          .arg(QString(background).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    }
}

void PlaceholderWindow::logIn(const QString &userName, const QDateTime &previousLogin)
{
    m_userName = userName;
    qDebug() << "用户登录" << userName << previousLogin.toString(Qt::ISODate);
    m_label->setText(
        QStringLiteral("<h2>欢迎使用 Memora 背单词</h2><p>%1</p>").arg(userName.toHtmlEscaped()));
    show();
}

void PlaceholderWindow::handleMessage(const QString &message)
{
    qDebug() << "messageReceived" << message;
    if (message == QLatin1String("RaiseWindow")) {
        showNormal();
        raise();
        activateWindow();
    } else if (message == QLatin1String("Close")) {
        QApplication::quit();
    }
}
