#include "app/apppath.h"
#include "app/remoteservices.h"
#include "app/settings.h"
#include "testroot.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <memory>

// Each case gets a program root of its own with "/udata" made and g_pSettings open.
class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void keysReadTheirDefaultWithoutFile_data();
    void keysReadTheirDefaultWithoutFile();
    void firstWriteCreatesFile();
    void malformedValuesReadAsDefaults_data();
    void malformedValuesReadAsDefaults();
    void remoteUrlsJoinHostAndPath_data();
    void remoteUrlsJoinHostAndPath();

private:
    std::unique_ptr<TestRoot> m_root;
};

void TestSettings::init()
{
    m_root = std::make_unique<TestRoot>();
    ensureAppDir(QStringLiteral("/udata"));
    g_pSettings = GlobalSettings::create();
}

void TestSettings::cleanup()
{
    delete g_pSettings;
    g_pSettings = nullptr;
    m_root.reset();
}

// Keys whose default is false, 0 or empty read so even when missing from the defaults:
// only the others are listed.
void TestSettings::keysReadTheirDefaultWithoutFile_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("AutoUpdate") << "Common/AutoUpdate" << QVariant(true);
    QTest::newRow("AutoSpeak") << "Learn/AutoSpeak" << QVariant(true);
    QTest::newRow("SpeechEngine") << "Learn/SpeechEngine" << QVariant(1);
    QTest::newRow("Voice") << "Learn/Voice" << QVariant(QStringLiteral("VW Paul"));
    QTest::newRow("Volume") << "Learn/Volume" << QVariant(50);
    QTest::newRow("MBGMode") << "Themes/MBGMode" << QVariant(true);
    QTest::newRow("MBGPath") << "Themes/MBGPath"
                             << QVariant(QStringLiteral("<root>/images/bg_main.png"));
}

void TestSettings::keysReadTheirDefaultWithoutFile()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    if (expected.toString().startsWith(QStringLiteral("<root>")))
        expected = QDir::toNativeSeparators(m_root->path() + expected.toString().mid(6));
    // Read with the settings open and, as before they are made or after they are gone,
    // without them. Compare as the readers read: bools as bools, numbers as numbers.
    for (QSettings *settings : {g_pSettings, static_cast<QSettings *>(nullptr)}) {
        const QVariant value = GlobalSettings::value(settings, key);
        if (expected.typeId() == QMetaType::Bool)
            QCOMPARE(value.toBool(), expected.toBool());
        else if (expected.typeId() == QMetaType::Int)
            QCOMPARE(value.toInt(), expected.toInt());
        else
            QCOMPARE(value.toString(), expected.toString());
    }
    delete g_pSettings;
    g_pSettings = nullptr;
    QVERIFY(!QFile::exists(m_root->filePath(QStringLiteral("/udata/gconfig.ini"))));
}

void TestSettings::firstWriteCreatesFile()
{
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Learn/Volume"), 80);
    delete g_pSettings;
    g_pSettings = nullptr;
    QSettings reread(m_root->filePath(QStringLiteral("/udata/gconfig.ini")), QSettings::IniFormat);
    QCOMPARE(reread.value(QStringLiteral("Learn/Volume")).toInt(), 80);
}

// A stored value wins over the default; one that does not read as the key's type does not.
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
    QTest::newRow("Chinese text") << "Learn/Voice"
                                  << "女声"
                                  << "女声";
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
    delete g_pSettings;
    g_pSettings = nullptr;
    QFile ini(appPath(QStringLiteral("/udata/gconfig.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[%1]\n%2=%3\n")
                  .arg(key.section('/', 0, 0), key.section('/', 1), stored)
                  .toUtf8());
    ini.close();
    g_pSettings = GlobalSettings::create();
    QCOMPARE(GlobalSettings::value(g_pSettings, key).toString(), expected);
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
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/DownloadHost"), host);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/YoudaoHost"), host);
    QCOMPARE(RemoteServices::officialCourseUrl(12).toString(), courseUrl);
    QCOMPARE(RemoteServices::versionFileUrl().toString(), versionUrl);
    QVERIFY(RemoteServices::youdaoVoiceUrl(QStringLiteral("hello"))
                .toString()
                .endsWith(QStringLiteral("/dictvoice?audio=hello")));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
