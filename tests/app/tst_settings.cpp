#include "app/apppath.h"
#include "app/remoteservices.h"
#include "app/settings.h"
#include "testroot.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyKeyReadsItsDefaultWithoutFile_data();
    void everyKeyReadsItsDefaultWithoutFile();
    void firstWriteCreatesFile();
    void storedValueWinsOverDefault();
    void malformedValuesReadAsDefaults_data();
    void malformedValuesReadAsDefaults();
    void remoteUrlsJoinHostAndPath_data();
    void remoteUrlsJoinHostAndPath();
};

void TestSettings::everyKeyReadsItsDefaultWithoutFile_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("Multi-User") << "Common/Multi-User" << QVariant(false);
    QTest::newRow("AutoUpdate") << "Common/AutoUpdate" << QVariant(true);
    QTest::newRow("AutoLogin") << "LoginInfo/AutoLogin" << QVariant(false);
    QTest::newRow("AutoSpeak") << "Learn/AutoSpeak" << QVariant(true);
    QTest::newRow("ExternalPlayer") << "Learn/ExternalPlayer" << QVariant(false);
    QTest::newRow("MplayerPath") << "Learn/MplayerPath" << QVariant(QString());
    QTest::newRow("SpeechEngine") << "Learn/SpeechEngine" << QVariant(1);
    QTest::newRow("Voice") << "Learn/Voice" << QVariant(QStringLiteral("VW Paul"));
    QTest::newRow("VoicePath") << "Learn/VoicePath" << QVariant(QString());
    QTest::newRow("Volume") << "Learn/Volume" << QVariant(50);
    QTest::newRow("FullScr") << "Learn/FullScr" << QVariant(false);
    QTest::newRow("SysMode") << "Advanced/SysMode" << QVariant(0);
    QTest::newRow("MBGMode") << "Themes/MBGMode" << QVariant(true);
    QTest::newRow("MBGPath") << "Themes/MBGPath"
                             << QVariant(QStringLiteral("<root>/images/bg_main.png"));
}

void TestSettings::everyKeyReadsItsDefaultWithoutFile()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    QSettings *settings = GlobalSettings::create();
    if (expected.toString().startsWith(QStringLiteral("<root>")))
        expected = QDir::toNativeSeparators(root.path() + expected.toString().mid(6));
    const QVariant value = GlobalSettings::value(settings, key);
    // Compare as the readers read: bools as bools, numbers as numbers, texts as texts.
    switch (expected.typeId()) {
    case QMetaType::Bool:
        QCOMPARE(value.toBool(), expected.toBool());
        break;
    case QMetaType::Int:
        QCOMPARE(value.toInt(), expected.toInt());
        break;
    default:
        QCOMPARE(value.toString(), expected.toString());
    }
    delete settings;
    QVERIFY(!QFile::exists(root.filePath(QStringLiteral("/udata/gconfig.ini"))));
}

void TestSettings::firstWriteCreatesFile()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    const QString ini = root.filePath(QStringLiteral("/udata/gconfig.ini"));
    {
        QSettings *settings = GlobalSettings::create();
        GlobalSettings::setValue(settings, QStringLiteral("Learn/Volume"), 80);
        delete settings;
    }
    QVERIFY(QFile::exists(ini));
    QSettings reread(ini, QSettings::IniFormat);
    QCOMPARE(reread.value(QStringLiteral("Learn/Volume")).toInt(), 80);
}

void TestSettings::storedValueWinsOverDefault()
{
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    g_pSettings = GlobalSettings::create();
    g_pSettings->beginGroup(QStringLiteral("Learn"));
    g_pSettings->setValue(QStringLiteral("Voice"), QStringLiteral("女声"));
    g_pSettings->endGroup();
    QCOMPARE(GlobalSettings::value(g_pSettings, QStringLiteral("Learn/Voice")).toString(),
             QStringLiteral("女声"));
    delete g_pSettings;
    g_pSettings = nullptr;
    QCOMPARE(GlobalSettings::value(g_pSettings, QStringLiteral("Learn/Voice")).toString(),
             QStringLiteral("VW Paul"));
}

void TestSettings::malformedValuesReadAsDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("volume word") << "Learn/Volume"
                                 << "loud"
                                 << "50";
    QTest::newRow("volume number") << "Learn/Volume"
                                   << "80"
                                   << "80";
    QTest::newRow("bool word") << "Learn/AutoSpeak"
                               << "maybe"
                               << "true";
    QTest::newRow("bool stored") << "Learn/AutoSpeak"
                                 << "false"
                                 << "false";
    QTest::newRow("host without scheme") << "Remote/DownloadHost"
                                         << "127.0.0.1:8000"
                                         << "http://127.0.0.1:8000";
    QTest::newRow("host with scheme") << "Remote/DownloadHost"
                                      << "https://a.example"
                                      << "https://a.example";
}

void TestSettings::malformedValuesReadAsDefaults()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    QFile ini(appPath(QStringLiteral("/udata/gconfig.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[%1]\n%2=%3\n")
                  .arg(key.section('/', 0, 0), key.section('/', 1), stored)
                  .toUtf8());
    ini.close();
    g_pSettings = GlobalSettings::create();
    QCOMPARE(GlobalSettings::value(g_pSettings, key).toString(), expected);
    delete g_pSettings;
    g_pSettings = nullptr;
}

void TestSettings::remoteUrlsJoinHostAndPath_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("courseUrl");
    QTest::addColumn<QString>("versionUrl");
    QTest::newRow("plain") << "http://127.0.0.1:8000"
                           << "http://127.0.0.1:8000/002/ocourse/12.zip"
                           << "http://127.0.0.1:8000/002/verinfo.xml";
    QTest::newRow("trailing slash") << "http://example.test/"
                                    << "http://example.test/002/ocourse/12.zip"
                                    << "http://example.test/002/verinfo.xml";
}

void TestSettings::remoteUrlsJoinHostAndPath()
{
    QFETCH(QString, host);
    QFETCH(QString, courseUrl);
    QFETCH(QString, versionUrl);
    TestRoot root;
    ensureAppDir(QStringLiteral("/udata"));
    g_pSettings = GlobalSettings::create();
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/DownloadHost"), host);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/YoudaoHost"), host);
    QCOMPARE(RemoteServices::officialCourseUrl(12).toString(), courseUrl);
    QCOMPARE(RemoteServices::versionFileUrl().toString(), versionUrl);
    QVERIFY(RemoteServices::youdaoVoiceUrl(QStringLiteral("hello"))
                .toString()
                .endsWith(QStringLiteral("/dictvoice?audio=hello")));
    delete g_pSettings;
    g_pSettings = nullptr;
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
