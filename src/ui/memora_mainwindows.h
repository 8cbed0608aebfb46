#pragma once

#include "ui/studyhost.h"
#include "ui_memora_mainwindows.h"
#include "update/updatemgr.h"

#include <QDateTime>
#include <QMainWindow>

class CSpeakBase;
class QLabel;
class QNetworkAccessManager;
class Memora_MainWindow_Course;
class Memora_MainWindow_Home;
class Memora_MainWindow_Study;

// The trainer's top-level window: logo and tool buttons, the home and course tabs, and the
// version in the status bar. It owns what one login needs (pages, pronunciation engines,
// the study window) and is the host through which the pages start studying: it hides
// itself while a study window is open and comes back refreshed when the learner leaves.
class Memora_MainWindows : public QMainWindow, public StudyHost, private Ui::Memora_MainWindows
{
    Q_OBJECT

public:
    Memora_MainWindows();
    ~Memora_MainWindows() override;

    // Builds the user's pages and engines, applies keys and skin and shows the window.
    void logIn(const QString &userName, const QDateTime &lastLoginTime);

    QString userName() const { return m_userName; }
    Memora_MainWindow_Home *homePage() const { return m_home; }
    Memora_MainWindow_Course *coursePage() const { return m_course; }
    Memora_MainWindow_Study *studyWindow() const { return m_study; }
    QTabWidget *tabs() const { return tabWidget_main; }
    CSpeakBase *currentEngine() const { return m_currentEngine; }
    UpdateMgr *updateMgr() { return &m_updateMgr; }
    QString versionLabelText() const;

    // The engine number that "Learn/SpeechEngine" selects: 0 text-to-speech, 2 Haici,
    // 3 recorded voice, and Youdao (1) for any other value.
    static int engineNumber(int setting);

    // The window while a user is logged in (null before).
    static Memora_MainWindows *instance();

public Q_SLOTS:
    void on_tBtn_aboutUs_clicked();
    void on_tBtn_Exit_clicked();
    void on_tBtn_sysMgr_clicked();
    void checkResult(bool bhaveNewVer);
    void setBgImage(const QString &bgfile);
    void testtime();
    void study() override;
    void study(int id_t, const QString &coursenam_t) override;
    void studyRefresh() override;
    void quitStudy();
    void vMessageReceivedFromOtherInst(const QString &message);
    void vExitAllPressed();
    void userStatics();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The pronunciation engine with that number, made on first use.
    CSpeakBase *engine(int number);
    void applyHotkeys();
    void applyStyle();

    QString m_userName;
    Memora_MainWindow_Home *m_home = nullptr;
    Memora_MainWindow_Course *m_course = nullptr;
    Memora_MainWindow_Study *m_study = nullptr;
    QString m_backgroundPath;
    CSpeakBase *m_realVoice = nullptr;
    CSpeakBase *m_youdao = nullptr;
    CSpeakBase *m_haici = nullptr;
    CSpeakBase *m_tts = nullptr;
    CSpeakBase *m_currentEngine = nullptr;
    QLabel *m_versionLabel = nullptr;
    QNetworkAccessManager *m_statisticsNetwork = nullptr;
    UpdateMgr m_updateMgr;
};
