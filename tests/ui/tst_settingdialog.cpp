#include "app/settings.h"
#include "app/startup.h"
#include "fakehttpserver.h"
#include "modalanswer.h"
#include "processobjects.h"
#include "testfiles.h"
#include "testroot.h"
#include "ui/memora_mainwindow_setting.h"
#include "ui/memora_mainwindows.h"
#include "user/usermgr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

// The settings dialog over a private settings file, alone and from the main window.
class TestSettingDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cancelLeavesTheFileUntouched();
    void okWritesEveryKey();
    void multiUserOffAlsoTurnsAutoLoginOff();
    void mainWindowTakesSimpleKeysAndNoPictureAtOnce();
    void manualCheckSaysCurrentOrStartsTheUpdater();

private:
    QByteArray settingsFile() const;

    TestRoot *m_root = nullptr;
};

void TestSettingDialog::init()
{
    m_root = new TestRoot;
    QDir().mkpath(m_root->filePath(QStringLiteral("/images")));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_root->filePath(QStringLiteral("/images/bg_main.png"))));
    ProcessObjects::create();
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Common/AutoUpdate"), false);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Common/SendStatistics"), false);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Common/Multi-User"), true);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("LoginInfo/AutoLogin"), true);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Advanced/SysMode"), 7);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Themes/MBGPath"),
                             m_root->filePath("/images/bg_main.png"));
    GlobalSettings::setValue(g_pSettings, QStringLiteral("HotkeysSim/SysMgr"),
                             QStringLiteral("F7"));
    GlobalSettings::setValue(g_pSettings, QStringLiteral("HotkeysAdv/SysMgr"),
                             QStringLiteral("F8"));
    g_pSettings->sync();
}

void TestSettingDialog::cleanup()
{
    ProcessObjects::destroy();
    delete m_root;
    m_root = nullptr;
}

QByteArray TestSettingDialog::settingsFile() const
{
    g_pSettings->sync();
    return TestFiles::read(m_root->filePath(QStringLiteral("/udata/gconfig.ini")));
}

void TestSettingDialog::cancelLeavesTheFileUntouched()
{
    const QByteArray before = settingsFile();
    QVERIFY(before.contains("SysMode=7"));
    {
        Memora_MainWindow_Setting dialog;
        dialog.findChild<QCheckBox *>("chBox_multiUser")->click();
        dialog.findChild<QComboBox *>("coBox_studyMode")->setCurrentIndex(1);
        dialog.findChild<QRadioButton *>("rBtn_none")->click();
        QTimer::singleShot(0, &dialog,
                           [&] { dialog.findChild<QPushButton *>("pBtn_OK_Cancel")->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }
    QCOMPARE(settingsFile(), before);
}

void TestSettingDialog::okWritesEveryKey()
{
    Memora_MainWindow_Setting dialog;
    QCOMPARE(dialog.findChild<QComboBox *>("coBox_studyMode")->currentIndex(), 0);
    dialog.findChild<QPushButton *>("pBtn_OK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QSettings written(m_root->filePath("/udata/gconfig.ini"), QSettings::IniFormat);
    const QList<QPair<QString, QVariant>> expected{
        {"Common/Multi-User", true},
        {"Common/AutoUpdate", false},
        {"Common/SendStatistics", false},
        {"LoginInfo/AutoLogin", true},
        {"Learn/AutoSpeak", true},
        {"Learn/ExternalPlayer", false},
        {"Learn/MplayerPath", ""},
        {"Learn/SpeechEngine", 1},
        {"Learn/Voice", "VW Paul"},
        {"Learn/VoicePath", ""},
        {"Learn/Volume", 50},
        {"Advanced/SysMode", 0}, // 7 is no mode
        {"Themes/MBGPath", m_root->filePath("/images/bg_main.png")},
        {"Themes/MBGMode", true}};
    for (const auto &row : expected) {
        QVERIFY2(written.contains(row.first), qPrintable(row.first));
        QCOMPARE(written.value(row.first).toString(), row.second.toString());
    }
    QVERIFY(written.childKeys().isEmpty());
    written.beginGroup(QStringLiteral("HotkeysSim"));
    QVERIFY(written.childKeys().contains(QStringLiteral("Speak")));
    written.endGroup();
    written.beginGroup(QStringLiteral("HotkeysAdv"));
    QVERIFY(written.childKeys().contains(QStringLiteral("KnowWell")));
}

void TestSettingDialog::multiUserOffAlsoTurnsAutoLoginOff()
{
    GlobalSettings::setValue(g_pSettings, QStringLiteral("LoginInfo/AutoLogin"), false);
    Memora_MainWindow_Setting shown;
    // Multi-user without automatic login: the automatic login box is not offered.
    QVERIFY(shown.findChild<QCheckBox *>("chBox_autoLogin")->isHidden());

    GlobalSettings::setValue(g_pSettings, QStringLiteral("LoginInfo/AutoLogin"), true);
    Memora_MainWindow_Setting dialog;
    QVERIFY(!dialog.findChild<QCheckBox *>("chBox_autoLogin")->isHidden());
    dialog.findChild<QCheckBox *>("chBox_multiUser")->click();
    QVERIFY(!dialog.findChild<QCheckBox *>("chBox_autoLogin")->isChecked());
    dialog.findChild<QPushButton *>("pBtn_OK")->click();
    QCOMPARE(GlobalSettings::value(g_pSettings, "Common/Multi-User").toBool(), false);
    QCOMPARE(GlobalSettings::value(g_pSettings, "LoginInfo/AutoLogin").toBool(), false);
}

void TestSettingDialog::mainWindowTakesSimpleKeysAndNoPictureAtOnce()
{
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Advanced/SysMode"), 1);
    g_pUserMgr->logInSystemUser(QStringLiteral("alice"));
    Memora_MainWindows window;
    window.logIn(QStringLiteral("alice"), QDateTime::currentDateTime());
    auto *sysMgr = window.findChild<QToolButton *>("tBtn_sysMgr");
    QCOMPARE(sysMgr->shortcut(), QKeySequence("F8"));
    QVERIFY(!window.palette().brush(QPalette::Window).texture().isNull());

    // The learner picks the simple mode and no picture in the dialog the button opens.
    bool seen = false;
    QTimer::singleShot(0, &window, [&] {
        auto *dialog = qobject_cast<Memora_MainWindow_Setting *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        dialog->findChild<QComboBox *>("coBox_studyMode")->setCurrentIndex(0);
        dialog->findChild<QRadioButton *>("rBtn_none")->click();
        dialog->findChild<QPushButton *>("pBtn_OK")->click();
    });
    window.on_tBtn_sysMgr_clicked();
    QVERIFY(seen);
    QCOMPARE(GlobalSettings::value(g_pSettings, "Advanced/SysMode").toInt(), 0);
    QCOMPARE(sysMgr->shortcut(), QKeySequence("F7"));
    QCOMPARE(GlobalSettings::value(g_pSettings, "Themes/MBGMode").toBool(), false);
    QCOMPARE(GlobalSettings::value(g_pSettings, "Themes/MBGPath").toString(),
             m_root->filePath("/images/bg_main.png"));
    QVERIFY(window.palette().brush(QPalette::Window).texture().isNull());
}

void TestSettingDialog::manualCheckSaysCurrentOrStartsTheUpdater()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/DownloadHost"), server.baseUrl());
    Memora_MainWindow_Setting dialog;
    {
        ModalAnswer answer;
        dialog.findChild<QPushButton *>("pBtn_update")->click();
        QTRY_COMPARE(answer.texts(), QStringList({"已经是最新版本（当前版本 0.2.3.370）"}));
        QCOMPARE(server.requests(), QStringList({"/002/verinfo.xml"}));
    }

    // Now the server holds a newer version.
    server.setReply("/002/verinfo.xml", 200,
                    "<v><vernumber>0.2.4.0</vernumber><downurl>http://127.0.0.1/u.zip</downurl>"
                    "<updateNotes>新版本说明</updateNotes></v>");
    // A stand-in updater that tells it was started with the new version's number.
    QVERIFY(TestFiles::write(m_root->filePath("/MlUpdate"), "#!/bin/sh\necho \"$5\" > started\n"));
    const QByteArray settingsBefore = settingsFile();

    QString notes;
    QTimer learner;
    connect(&learner, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("Memora_MainWindow_Update"))
            return;
        notes = modal->findChild<QTextEdit *>("teEd_updateLog")->toPlainText();
        modal->findChild<QPushButton *>("pBtn_update")->click();
    });
    learner.start(5);
    dialog.findChild<QCheckBox *>("chBox_autoUpdate")->click();
    dialog.findChild<QPushButton *>("pBtn_update")->click();
    QTRY_COMPARE(notes, QStringLiteral("新版本说明"));
    QTRY_COMPARE(TestFiles::read(m_root->filePath("/started")), QByteArray("0.2.4.0\n"));
    // Starting the updater ends the trainer without saving the dialog's edits.
    QCOMPARE(settingsFile(), settingsBefore);
}

QTEST_MAIN(TestSettingDialog)
#include "tst_settingdialog.moc"
