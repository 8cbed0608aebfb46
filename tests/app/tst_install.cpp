#include "app/singleapplication.h"
#include "testfiles.h"

#include <QDirIterator>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Installs the build into a temporary DESTDIR with the prefix /usr, as the Debian package
// does, and runs the installed trainer from there with a private home.
class TestInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void layoutAndDesktopFiles();
    void installedTrainerWritesOnlyItsDataFolder();

private:
    QString installed(const QString &path) const { return m_dest.path() + path; }
    static QStringList snapshot(const QString &folder);
    static void setWritable(const QString &folder, bool writable);

    QTemporaryDir m_dest;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_dest.isValid());
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), m_dest.path());
    install.setProcessEnvironment(env);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(MEMORA_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(MEMORA_BUILD_DIR),
                   QStringLiteral("--prefix"), QStringLiteral("/usr")});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
}

void TestInstall::cleanupTestCase()
{
    setWritable(installed(QStringLiteral("/usr/lib/memora")), true);
}

QStringList TestInstall::snapshot(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << QStringLiteral("%1 %2 %3")
                       .arg(it.filePath())
                       .arg(it.fileInfo().size())
                       .arg(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

// Read-only as a root-owned /usr/lib/memora is for a learner (the trainer goes by the
// permission bits, so this holds for the superuser too).
void TestInstall::setWritable(const QString &folder, bool writable)
{
    QStringList folders{folder};
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    for (const QString &f : folders) {
        QFile::Permissions p = QFile::permissions(f);
        if (writable)
            p |= QFile::WriteOwner;
        else
            p &= ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther);
        QFile::setPermissions(f, p);
    }
}

void TestInstall::layoutAndDesktopFiles()
{
    // The program folder ships the two programs and their data, nothing else.
    const QString programFolder = installed(QStringLiteral("/usr/lib/memora"));
    QCOMPARE(QDir(programFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
             QStringList({"MlUpdate", "images", "memora", "odata"}));
    QVERIFY(QFileInfo::exists(programFolder + QStringLiteral("/odata/fullword.db")));
    QCOMPARE(QFileInfo(installed(QStringLiteral("/usr/bin/memora"))).canonicalFilePath(),
             QFileInfo(programFolder + QStringLiteral("/memora")).canonicalFilePath());
    for (int size : {48, 128, 256})
        QCOMPARE(
            QImage(installed(
                       QStringLiteral("/usr/share/icons/hicolor/%1x%1/apps/memora.png").arg(size)))
                .size(),
            QSize(size, size));
    for (const char *doc : {"README.md", "copyright"})
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("/usr/share/doc/memora/")) + doc));

    const QList<QStringList> validators = {
        {"desktop-file-validate",
         installed(QStringLiteral("/usr/share/applications/memora.desktop"))},
        {"appstreamcli", "validate", "--no-net",
         installed(QStringLiteral("/usr/share/metainfo/com.ferncove.memora.metainfo.xml"))}};
    for (const QStringList &command : validators) {
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(command.first(), command.mid(1));
        QVERIFY2(validate.waitForFinished(30000), qPrintable(command.first() + " is missing"));
        const QByteArray output = validate.readAll();
        QVERIFY2(validate.exitCode() == 0, output.constData());
        // desktop-file-validate reports warnings and hints (a missing main category) with
        // exit code 0.
        for (const char *finding : {"error", "warning", "hint"})
            QVERIFY2(!output.contains(finding), output.constData());
    }
}

void TestInstall::installedTrainerWritesOnlyItsDataFolder()
{
    const QString programFolder = installed(QStringLiteral("/usr/lib/memora"));
    setWritable(programFolder, false);
    const QStringList before = snapshot(programFolder);

    QTemporaryDir home;
    const QString dataFolder = home.path() + QStringLiteral("/xdg/memora");
    // A user name of its own keeps this trainer apart from any other one running.
    const QByteArray user =
        "memora-install-test-" + QByteArray::number(QCoreApplication::applicationPid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("MEMORA_ROOT"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/xdg"));
    env.insert(QStringLiteral("USER"), QString::fromLatin1(user));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess trainer;
    trainer.setProcessEnvironment(env);
    trainer.setProcessChannelMode(QProcess::ForwardedChannels);
    trainer.start(installed(QStringLiteral("/usr/bin/memora")), QStringList());
    QVERIFY(trainer.waitForStarted(5000));

    const QString logFile = dataFolder + QStringLiteral("/memora.log");
    QTRY_VERIFY_WITH_TIMEOUT(TestFiles::read(logFile).contains("用户登录"), 20000);

    const QByteArray savedUser = qgetenv("USER");
    const QByteArray savedRoot = qgetenv("MEMORA_ROOT");
    qputenv("USER", user);
    qunsetenv("MEMORA_ROOT");
    const QString socketName = SingleApplication::socketName(QStringLiteral("ferncove memora"));
    qputenv("USER", savedUser);
    if (!savedRoot.isEmpty())
        qputenv("MEMORA_ROOT", savedRoot);
    QLocalSocket socket;
    socket.connectToServer(socketName);
    QVERIFY(socket.waitForConnected(5000));
    socket.write("Close\n");
    QVERIFY(socket.waitForBytesWritten(2000));
    QVERIFY(trainer.waitForFinished(15000));
    QCOMPARE(trainer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(trainer.exitCode(), 0);

    QCOMPARE(snapshot(programFolder), before);
    for (const char *made : {"/udata/userinfo.db", "/cache", "/temp"})
        QVERIFY2(QFileInfo::exists(dataFolder + QLatin1String(made)), made);
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
