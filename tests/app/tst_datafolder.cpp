#include "app/apppath.h"
#include "app/startup.h"
#include "logcapture.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

// Where the learner's data goes when no MEMORA_ROOT is set: each case gets a program
// folder and an XDG data home of its own (restored afterwards).
class TestDataFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dataFolderRule_data();
    void dataFolderRule();
    void oldUserDataMovedOnceWithoutOverwriting_data();
    void oldUserDataMovedOnceWithoutOverwriting();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_program;
    QString m_xdg;
    QByteArray m_savedRoot, m_savedXdg, m_savedHome;
};

void TestDataFolder::init()
{
    m_savedRoot = qgetenv("MEMORA_ROOT");
    m_savedXdg = qgetenv("XDG_DATA_HOME");
    m_savedHome = qgetenv("HOME");
    qunsetenv("MEMORA_ROOT");
    m_dir = new QTemporaryDir;
    m_program = m_dir->path() + QStringLiteral("/program");
    m_xdg = m_dir->path() + QStringLiteral("/xdg");
    QDir().mkpath(m_program + QStringLiteral("/odata"));
    qputenv("XDG_DATA_HOME", m_xdg.toUtf8());
    qputenv("HOME", (m_dir->path() + QStringLiteral("/home")).toUtf8());
    setProgramFolder(m_program);
}

void TestDataFolder::cleanup()
{
    setProgramFolder(QString());
    // Give the folders back to the owner so the temporary folder can be removed.
    QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    delete m_dir;
    m_dir = nullptr;
    qputenv("MEMORA_ROOT", m_savedRoot);
    if (m_savedRoot.isEmpty())
        qunsetenv("MEMORA_ROOT");
    qputenv("XDG_DATA_HOME", m_savedXdg);
    if (m_savedXdg.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", m_savedHome);
}

void TestDataFolder::dataFolderRule_data()
{
    QTest::addColumn<bool>("portable");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("xdgSet");
    QTest::addColumn<bool>("root");
    QTest::addColumn<QString>("expected"); // the data folder, relative to the test's folder
    QTest::newRow("default: XDG data home") << false << false << true << false << "xdg/memora";
    QTest::newRow("no XDG_DATA_HOME: ~/.local/share")
        << false << false << false << false << "home/.local/share/memora";
    QTest::newRow("portable marker") << true << false << true << false << "program";
    QTest::newRow("portable but read-only") << true << true << true << false << "xdg/memora";
    QTest::newRow("MEMORA_ROOT wins") << true << false << true << true << "root";
}

void TestDataFolder::dataFolderRule()
{
    QFETCH(bool, portable);
    QFETCH(bool, readOnly);
    QFETCH(bool, xdgSet);
    QFETCH(bool, root);
    QFETCH(QString, expected);
    const QString rootFolder = m_dir->path() + QStringLiteral("/root");
    if (portable)
        QVERIFY(TestFiles::write(m_program + QStringLiteral("/portable"), QByteArray()));
    if (readOnly)
        QVERIFY(QFile::setPermissions(m_program, QFile::ReadOwner | QFile::ExeOwner |
                                                     QFile::ReadOther | QFile::ExeOther));
    if (!xdgSet)
        qunsetenv("XDG_DATA_HOME");
    if (root) {
        QDir().mkpath(rootFolder);
        qputenv("MEMORA_ROOT", rootFolder.toUtf8());
    }

    const QString data = m_dir->path() + QLatin1Char('/') + expected;
    const QString program = root ? rootFolder : m_program;
    QCOMPARE(dataFolder(), data);
    QCOMPARE(appPath(QStringLiteral("/udata/gconfig.ini")),
             QDir::toNativeSeparators(data + QStringLiteral("/udata/gconfig.ini")));
    QCOMPARE(appPath(QStringLiteral("/cache/2")), QDir::toNativeSeparators(data + "/cache/2"));
    QCOMPARE(appPath(QStringLiteral("/odata/fullword.db")),
             QDir::toNativeSeparators(program + QStringLiteral("/odata/fullword.db")));
    QVERIFY(logFilePath().startsWith(QDir::toNativeSeparators(data + QLatin1Char('/'))));
    QCOMPARE(programFolderIsWritable(), !readOnly);
}

void TestDataFolder::oldUserDataMovedOnceWithoutOverwriting_data()
{
    QTest::addColumn<bool>("dataHasUdata");
    QTest::addColumn<bool>("otherFileSystem");
    QTest::newRow("data folder without udata") << false << false;
    QTest::newRow("data folder already has udata") << true << false;
    QTest::newRow("data folder on another file system") << false << true;
}

void TestDataFolder::oldUserDataMovedOnceWithoutOverwriting()
{
    QFETCH(bool, dataHasUdata);
    QFETCH(bool, otherFileSystem);
    // A rename cannot cross file systems: the old udata is then copied and removed.
    QTemporaryDir shm(QStringLiteral("/dev/shm/memora-test-XXXXXX"));
    if (otherFileSystem) {
        if (!shm.isValid() || QStorageInfo(shm.path()).device() == QStorageInfo(m_program).device())
            QSKIP("no second file system in /dev/shm");
        qputenv("XDG_DATA_HOME", shm.path().toUtf8());
    }
    const QString data = dataFolder();
    QVERIFY(TestFiles::write(m_program + QStringLiteral("/udata/userinfo.db"), "old users"));
    QVERIFY(TestFiles::write(m_program + QStringLiteral("/udata/alice/o11.ldb"), "old record"));
    if (dataHasUdata)
        QVERIFY(TestFiles::write(data + QStringLiteral("/udata/userinfo.db"), "new users"));

    LogCapture log;
    Startup::prepareDataFolder();
    // Once moved, a later start finds the data folder's udata and moves nothing.
    Startup::prepareDataFolder();
    const QStringList moves = log.matching(QStringLiteral("旧的用户数据"));
    if (dataHasUdata) {
        QVERIFY2(moves.isEmpty(), qPrintable(moves.join('\n')));
        QCOMPARE(TestFiles::read(data + QStringLiteral("/udata/userinfo.db")),
                 QByteArray("new users"));
        QVERIFY(!QFile::exists(data + QStringLiteral("/udata/alice/o11.ldb")));
        QCOMPARE(TestFiles::read(m_program + QStringLiteral("/udata/userinfo.db")),
                 QByteArray("old users"));
    } else {
        QCOMPARE(moves.size(), 1);
        QCOMPARE(TestFiles::read(data + QStringLiteral("/udata/userinfo.db")),
                 QByteArray("old users"));
        QCOMPARE(TestFiles::read(data + QStringLiteral("/udata/alice/o11.ldb")),
                 QByteArray("old record"));
        QVERIFY(!QFile::exists(m_program + QStringLiteral("/udata")));
    }
}

QTEST_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
