#include "ui/memora_mainwindows.h"

#include "app/apppath.h"
#include "app/product.h"
#include "app/remoteservices.h"
#include "app/settings.h"
#include "app/singleapplication.h"
#include "course/coursecategorymgr.h"
#include "speech/cwttsspeak.h"
#include "speech/speakdictcn.h"
#include "speech/speakrealpeoplevoice.h"
#include "speech/speakyoudaodict.h"
#include "study/memora_mainwindow_study.h"
#include "ui/memora_mainwindow_course.h"
#include "ui/memora_mainwindow_home.h"
#include "ui/memora_mainwindow_setting.h"
#include "update/memora_mainwindow_bubbletooltip.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QResizeEvent>
#include <QSettings>
#include <QStatusBar>
#include <QTextCodec>

namespace {
Memora_MainWindows *s_mainWindow = nullptr;

QString defaultBackground()
{
    return appPath(QStringLiteral("/images/bg_main.png"));
}
} // namespace

Memora_MainWindows::Memora_MainWindows()
    : QMainWindow(nullptr, Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setupUi(this);
    if (auto *app = qobject_cast<SingleApplication *>(QCoreApplication::instance()))
        connect(app, &SingleApplication::messageReceived, this,
                &Memora_MainWindows::vMessageReceivedFromOtherInst);
}

Memora_MainWindows::~Memora_MainWindows()
{
    qDebug() << QStringLiteral("[%1]离开 %2……").arg(m_userName, Product::shortName());
    if (StudyHost::instance() == this)
        StudyHost::setInstance(nullptr);
    if (s_mainWindow == this)
        s_mainWindow = nullptr;
    // The study window's learning manager writes its session when it goes.
    delete m_study;
    m_study = nullptr;
    delete m_home;
    m_home = nullptr;
    delete m_course;
    m_course = nullptr;
    delete m_realVoice;
    delete m_haici;
    delete m_youdao;
    delete m_tts;
}

Memora_MainWindows *Memora_MainWindows::instance()
{
    return s_mainWindow;
}

int Memora_MainWindows::engineNumber(int setting)
{
    return setting == 0 || setting == 2 || setting == 3 ? setting : 1;
}

CSpeakBase *Memora_MainWindows::engine(int number)
{
    // Each engine is made the first time a study needs it (loading a speech synthesiser or
    // an audio back end costs more than the whole window) and then kept for the login.
    switch (number) {
    case 0:
        if (!m_tts)
            m_tts = new CWTTSSpeak;
        return m_tts;
    case 2:
        if (!m_haici)
            m_haici = new SpeakDictCN;
        return m_haici;
    case 3:
        if (!m_realVoice)
            m_realVoice = new SpeakRealPeopleVoice;
        return m_realVoice;
    default:
        if (!m_youdao)
            m_youdao = new SpeakYoudaoDict;
        return m_youdao;
    }
}

void Memora_MainWindows::logIn(const QString &userName, const QDateTime &lastLoginTime)
{
    qDebug() << QStringLiteral("[%1]进入 %2……").arg(userName, Product::shortName());
    qDebug() << "用户登录" << userName;

    m_userName = userName;
    m_versionLabel = new QLabel;
    m_backgroundPath =
        GlobalSettings::value(g_pSettings, QStringLiteral("Themes/MBGPath")).toString();
    s_mainWindow = this;
    StudyHost::setInstance(this);
    m_course = new Memora_MainWindow_Course(m_userName, this);
    m_home = new Memora_MainWindow_Home(lastLoginTime, m_userName, this);

    statusBar()->addWidget(m_versionLabel, 0);
    m_versionLabel->setText(Product::versionText());
    tabWidget_main->addTab(m_home, tr("首页"));
    tabWidget_main->addTab(m_course, tr("课程"));
    connect(&m_updateMgr, &UpdateMgr::checkResult, this, &Memora_MainWindows::checkResult,
            Qt::UniqueConnection);
    if (GlobalSettings::value(g_pSettings, QStringLiteral("Common/AutoUpdate")).toBool())
        testtime();
    if (g_pCourseCategoryMgr && g_pCourseCategoryMgr->hasLearnFiles()) {
        m_course->selectNode(g_pCourseCategoryMgr->learningNodeId());
        tabWidget_main->setCurrentWidget(m_home);
    } else {
        tabWidget_main->setCurrentWidget(m_course);
        if (g_pCourseCategoryMgr)
            m_course->selectNode(g_pCourseCategoryMgr->testCoursesNodeId());
    }
    userStatics();

    tBtn_aboutUs->setStatusTip(tr("关于我们"));
    tBtn_aboutUs->setToolTip(tr("关于我们"));
    tBtn_sysMgr->setStatusTip(tr("系统设置"));
    tBtn_sysMgr->setToolTip(tr("系统设置"));
    tBtn_Exit->setStatusTip(tr("退出 ") + Product::displayName() + tr("系统……"));
    tBtn_Exit->setToolTip(tr("退出系统"));
    for (QPushButton *button : {m_home->studyButton(), m_course->studyButton()}) {
        button->setStatusTip(tr("学习选定的课程"));
        button->setToolTip(tr("学习课程"));
    }
    m_course->addCategoryButton()->setStatusTip(tr("添加用户课程分类"));
    m_course->addCategoryButton()->setToolTip(tr("添加用户课程分类"));
    m_course->modifyCategoryButton()->setStatusTip(tr("修改用户课程分类"));
    m_course->modifyCategoryButton()->setToolTip(tr("修改用户课程分类"));
    m_course->importButton()->setStatusTip(tr("导入用户生词本"));
    m_course->importButton()->setToolTip(tr("导入用户生词本"));

    applyHotkeys();
    applyStyle();
    setWindowModality(Qt::ApplicationModal);
    show();
    qDebug() << "主界面已显示";
}

QString Memora_MainWindows::versionLabelText() const
{
    return m_versionLabel ? m_versionLabel->text() : QString();
}

void Memora_MainWindows::applyHotkeys()
{
    const bool advanced =
        GlobalSettings::value(g_pSettings, QStringLiteral("Advanced/SysMode")).toInt() != 0;
    const QString group = advanced ? QStringLiteral("HotkeysAdv/") : QStringLiteral("HotkeysSim/");
    const struct
    {
        QToolButton *button;
        const char *action;
        const char *fallback;
    } keys[] = {{tBtn_aboutUs, "AboutUS", "F2"},
                {tBtn_sysMgr, "SysMgr", "F3"},
                {tBtn_Exit, "ExitSys", "F10"}};
    for (const auto &key : keys) {
        const QString name = group + QLatin1String(key.action);
        const QString text = g_pSettings
                                 ? g_pSettings->value(name, QLatin1String(key.fallback)).toString()
                                 : QString::fromLatin1(key.fallback);
        key.button->setShortcut(QKeySequence(text));
    }
}

void Memora_MainWindows::applyStyle()
{
    QString style;
    QFile file(appPath(QStringLiteral("/images/main.qss")));
    if (file.open(QIODevice::ReadOnly))
        style = QString::fromUtf8(file.readAll());
    const QString glow = QStringLiteral("/images/buttonGlow.png");
    style.replace(glow, appRelativePath(glow));
    style =
        style.arg(appRelativePath(QStringLiteral("/images/ScrollBar_Handle_Grab_Vertical.png")),
                  appRelativePath(QStringLiteral("/images/InterfaceArrowUp.png")),
                  appRelativePath(QStringLiteral("/images/InterfaceArrowDown.png")),
                  appRelativePath(QStringLiteral("/images/ScrollBar_Handle_Grab_Horizontal.png")),
                  appRelativePath(QStringLiteral("/images/InterfaceArrowLeft.png")),
                  appRelativePath(QStringLiteral("/images/InterfaceArrowRight.png")));
    setStyleSheet(style);
    tBtn_aboutUs->setIcon(QIcon(appPath(QStringLiteral("/images/main_aboutus.png"))));
    tBtn_sysMgr->setIcon(QIcon(appPath(QStringLiteral("/images/main_sysmgr.png"))));
    tBtn_Exit->setIcon(QIcon(appPath(QStringLiteral("/images/main_exit.png"))));
    setBgImage(m_backgroundPath);
}

void Memora_MainWindows::setBgImage(const QString &bgfile)
{
    QPalette palette;
    if (GlobalSettings::value(g_pSettings, QStringLiteral("Themes/MBGMode")).toBool()) {
        QPixmap picture(QDir::toNativeSeparators(bgfile));
        if (picture.isNull())
            picture.load(defaultBackground());
        if (!picture.isNull())
            palette.setBrush(QPalette::Window, QBrush(picture.scaled(size(), Qt::IgnoreAspectRatio,
                                                                     Qt::FastTransformation)));
    }
    setPalette(palette);
}

void Memora_MainWindows::on_tBtn_aboutUs_clicked()
{
    QDesktopServices::openUrl(RemoteServices::forumUrl());
}

void Memora_MainWindows::on_tBtn_Exit_clicked()
{
    close();
}

void Memora_MainWindows::on_tBtn_sysMgr_clicked()
{
    Memora_MainWindow_Setting dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog wrote the settings; the skin and keys are read again.
    if (GlobalSettings::value(g_pSettings, QStringLiteral("Themes/MBGMode")).toBool())
        m_backgroundPath =
            GlobalSettings::value(g_pSettings, QStringLiteral("Themes/MBGPath")).toString();
    setBgImage(m_backgroundPath);
    applyHotkeys();
}

void Memora_MainWindows::checkResult(bool bhaveNewVer)
{
    if (!bhaveNewVer)
        return;
    Memora_MainWindow_BubbleTooltip tip(tr("更新提示"), this);
    const bool selfUpdate = UpdateMgr::canSelfUpdate();
    if (selfUpdate) {
        tip.setMessage(m_updateMgr.updateNotes());
    } else {
        // The system's package manager owns the program files and installs new versions.
        tip.setMessage(m_updateMgr.updateNotes() + QLatin1Char('\n') +
                       UpdateMgr::packageManagerText());
        tip.setUpdateButtonText(UpdateMgr::packageManagerButtonText());
    }
    tip.start_close(8000);
    if (tip.exec() != QDialog::Accepted || !selfUpdate)
        return;
    if (!m_updateMgr.applyNewVer()) {
        QMessageBox::warning(this, Product::displayName(), tr("无法启动更新程序, 请稍后再试。"),
                             QMessageBox::Ok);
        return;
    }
    QApplication::quit();
}

void Memora_MainWindows::testtime()
{
    m_updateMgr.check();
}

void Memora_MainWindows::study()
{
    if (m_course)
        study(m_course->currentCourseId(), m_course->currentCourseName());
}

void Memora_MainWindows::study(int id_t, const QString &coursenam_t)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_currentEngine = engine(engineNumber(
        GlobalSettings::value(g_pSettings, QStringLiteral("Learn/SpeechEngine")).toInt()));

    // The window last opened stays until the next study starts.
    delete m_study;
    m_study = new Memora_MainWindow_Study(m_userName, id_t, coursenam_t, g_pCourseCategoryMgr,
                                          m_currentEngine, nullptr);
    if (m_study->nextWordResult() < 0) {
        delete m_study;
        m_study = nullptr;
        QApplication::setQuitOnLastWindowClosed(true);
        QApplication::restoreOverrideCursor();
        return;
    }
    hide();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::restoreOverrideCursor();
    connect(m_study, &Memora_MainWindow_Study::exitStudy, this, &Memora_MainWindows::quitStudy);
}

void Memora_MainWindows::quitStudy()
{
    if (m_study)
        disconnect(m_study, &Memora_MainWindow_Study::exitStudy, this,
                   &Memora_MainWindows::quitStudy);
    QApplication::setQuitOnLastWindowClosed(true);
    studyRefresh();
}

void Memora_MainWindows::studyRefresh()
{
    const int row = m_home ? m_home->courseTable()->currentIndex().row() : -1;
    if (m_course) {
        m_course->reload();
        m_course->rebuildTree();
    }
    if (m_home) {
        m_home->refresh();
        m_home->selectRow(row);
    }
    show();
}

void Memora_MainWindows::vMessageReceivedFromOtherInst(const QString &message)
{
    qDebug() << "messageReceived" << message;
    if (message == QLatin1String("RaiseWindow")) {
        activateWindow();
        setFocus(Qt::ActiveWindowFocusReason);
        show();
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        update();
        repaint();
        setVisible(true);
        raise();
    } else if (message == QLatin1String("Close")) {
        vExitAllPressed();
    }
}

void Memora_MainWindows::vExitAllPressed()
{
    QCoreApplication::quit();
}

void Memora_MainWindows::userStatics()
{
    // Nothing is shown and failures are silent; the learner can turn the request off.
    if (!GlobalSettings::value(g_pSettings, QStringLiteral("Common/SendStatistics")).toBool())
        return;
    if (!m_statisticsNetwork)
        m_statisticsNetwork = new QNetworkAccessManager(this);
    QNetworkReply *reply =
        m_statisticsNetwork->get(QNetworkRequest(RemoteServices::statisticsUrl()));
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

void Memora_MainWindows::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi(this);
}

void Memora_MainWindows::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    setBgImage(m_backgroundPath);
}
