#include "app/apppath.h"
#include "app/globals.h"
#include "app/settings.h"
#include "course/coursedb.h"
#include "course/ocoursedownmgr.h"
#include "course/unzip.h"
#include "coursefixture.h"
#include "fakehttpserver.h"
#include "testroot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

class TestCourseDownload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void downloadOutcome_data();
    void downloadOutcome();
    void installedCourseIsNotOverwritten();
    void cancelRemovesPartialArchive();
    void unzipCountsAndReportsEntries();
    void unzipRefusesEntriesLeavingTheFolder();
    void unzipThatHangsIsStopped();

private:
    // Zips the files (relative to folder) with the real zip program.
    QByteArray zipOf(const QString &folder, const QStringList &files);
    QByteArray courseArchive(int mid, int words);
    // A shell script standing in for the unzip program.
    QString writeProgram(const char *name, const char *body);

    TestRoot *m_root = nullptr;
    FakeHttpServer *m_server = nullptr;
};

void TestCourseDownload::init()
{
    m_root = new TestRoot;
    ensureAppDir(QStringLiteral("/udata"));
    g_pSettings = GlobalSettings::create();
    m_server = new FakeHttpServer;
    QVERIFY(m_server->start());
    GlobalSettings::setValue(QStringLiteral("Remote/DownloadHost"), m_server->baseUrl());
}

void TestCourseDownload::cleanup()
{
    delete m_server;
    delete g_pSettings;
    g_pSettings = nullptr;
    delete m_root;
}

QByteArray TestCourseDownload::zipOf(const QString &folder, const QStringList &files)
{
    const QString archive = folder + QStringLiteral("/out.zip");
    QFile::remove(archive);
    QProcess zip;
    zip.setWorkingDirectory(folder);
    zip.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), archive} + files);
    if (!zip.waitForFinished(10000) || zip.exitCode() != 0)
        return QByteArray();
    QFile file(archive);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray TestCourseDownload::courseArchive(int mid, int words)
{
    const QString folder = m_root->filePath(QStringLiteral("/made"));
    QDir().mkpath(folder);
    const QString name = QStringLiteral("%1.db").arg(mid);
    QFile::remove(folder + QLatin1Char('/') + name);
    if (!writeCourseFile(folder + QLatin1Char('/') + name, numberedWords(words)))
        return QByteArray();
    return zipOf(folder, {name});
}

void TestCourseDownload::downloadOutcome_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("validArchive");
    QTest::addColumn<int>("code");
    QTest::newRow("installed") << 200 << int(FakeHttpServer::Mode::Normal) << true << 0;
    QTest::newRow("404") << 404 << int(FakeHttpServer::Mode::Normal) << true
                         << int(QNetworkReply::ContentNotFoundError);
    QTest::newRow("500") << 500 << int(FakeHttpServer::Mode::Normal) << true
                         << int(QNetworkReply::InternalServerError);
    QTest::newRow("dropped") << 200 << int(FakeHttpServer::Mode::Drop) << true
                             << int(QNetworkReply::RemoteHostClosedError);
    QTest::newRow("truncated") << 200 << int(FakeHttpServer::Mode::Truncated) << true
                               << int(QNetworkReply::RemoteHostClosedError);
    QTest::newRow("not an archive")
        << 200 << int(FakeHttpServer::Mode::Normal) << false << OCourseDownMgr::UnpackError;
}

void TestCourseDownload::downloadOutcome()
{
    QFETCH(int, status);
    QFETCH(int, mode);
    QFETCH(bool, validArchive);
    QFETCH(int, code);
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.mode = FakeHttpServer::Mode(mode);
    reply.body = validArchive ? courseArchive(7, 3) : QByteArray(4096, 'x');
    QVERIFY(!reply.body.isEmpty());
    m_server->setReply(QStringLiteral("/002/ocourse/7.zip"), reply);

    OCourseDownMgr mgr;
    QSignalSpy finished(&mgr, &OCourseDownMgr::finished);
    QVERIFY(!OCourseDownMgr::isDownloaded(7));
    mgr.download(7);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), code);
    QCOMPARE(OCourseDownMgr::isDownloaded(7), code == 0);
    const QString course = OCourseDownMgr::downloadFolder() + QStringLiteral("/7.db");
    QVERIFY(course.startsWith(dataFolder()));
    if (code == 0) {
        CourseDB db(course);
        QCOMPARE(db.wordCount(), 3);
    } else {
        QVERIFY(!QFile::exists(course));
    }
    // A failed transfer leaves no archive to unpack later.
    if (code > 0)
        QVERIFY(!QFile::exists(appPath(QStringLiteral("/temp/7.zip"))));
}

void TestCourseDownload::installedCourseIsNotOverwritten()
{
    const QString course = OCourseDownMgr::downloadFolder() + QStringLiteral("/7.db");
    QDir().mkpath(OCourseDownMgr::downloadFolder());
    QVERIFY(writeCourseFile(course, numberedWords(1)));
    m_server->setReply(QStringLiteral("/002/ocourse/7.zip"), 200, courseArchive(7, 3));
    OCourseDownMgr mgr;
    QSignalSpy finished(&mgr, &OCourseDownMgr::finished);
    mgr.download(7);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    CourseDB db(course);
    QCOMPARE(db.wordCount(), 1);
}

void TestCourseDownload::cancelRemovesPartialArchive()
{
    FakeHttpServer::Reply reply;
    reply.body = courseArchive(7, 3);
    reply.mode = FakeHttpServer::Mode::Slow;
    reply.delayMs = 3000;
    m_server->setReply(QStringLiteral("/002/ocourse/7.zip"), reply);
    OCourseDownMgr mgr;
    QSignalSpy requested(m_server, &FakeHttpServer::requestReceived);
    QSignalSpy finished(&mgr, &OCourseDownMgr::finished);
    mgr.download(7);
    QVERIFY(requested.wait(5000));
    QVERIFY(QFile::exists(appPath(QStringLiteral("/temp/7.zip"))));
    mgr.cancel();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QNetworkReply::OperationCanceledError));
    QVERIFY(!QFile::exists(appPath(QStringLiteral("/temp/7.zip"))));
    QVERIFY(!OCourseDownMgr::isDownloaded(7));
}

void TestCourseDownload::unzipCountsAndReportsEntries()
{
    const QString folder = m_root->filePath(QStringLiteral("/made"));
    QDir().mkpath(folder + QStringLiteral("/sub"));
    for (const QString &name : {"a.db", "b.txt", "sub/c.txt"}) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
    }
    QVERIFY(!zipOf(folder, {"a.db", "b.txt", "sub/c.txt"}).isEmpty());
    const QString archive = folder + QStringLiteral("/out.zip");
    const QString target = m_root->filePath(QStringLiteral("/target"));

    Unzip unzip;
    QCOMPARE(unzip.fileCount(), -1);
    QCOMPARE(unzip.countFiles(archive, Unzip::defaultProgram()), 3);
    QSignalSpy progress(&unzip, &Unzip::currentProgress);
    QSignalSpy finished(&unzip, &Unzip::finished);
    QVERIFY(unzip.extract(archive, target, Unzip::defaultProgram()));
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toLongLong(), 3);
    QCOMPARE(progress.last().at(1).toLongLong(), 3);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 1);
    QFile extracted(target + QStringLiteral("/sub/c.txt"));
    QVERIFY(extracted.open(QIODevice::ReadOnly));
    QCOMPARE(extracted.readAll(), QByteArray("sub/c.txt"));
}

void TestCourseDownload::unzipRefusesEntriesLeavingTheFolder()
{
    // An unzip program that, unlike Info-ZIP, writes every entry where its path points.
    const QString program = writeProgram(
        "/naive-unzip",
        "if [ \"$1\" = -l ]; then printf 'Archive:  x.zip\\n  Length      Date    Time    "
        "Name\\n---------  ---------- -----   ----\\n        4  2026-01-01 00:00   ok.db\\n"
        "        3  2026-01-01 00:00   ../escaped.db\\n---------                     -------\\n"
        "        7                     2 files\\n'; exit 0; fi\n"
        "echo fine > \"$5/ok.db\"; echo bad > \"$5/../escaped.db\"; echo ' inflating: ok.db'\n");
    Unzip unzip;
    QCOMPARE(unzip.countFiles(m_root->filePath("/any.zip"), program), 2);
    QVERIFY(
        !unzip.extract(m_root->filePath("/any.zip"), m_root->filePath("/odata/course"), program));
    QDirIterator files(m_root->path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString name = QFileInfo(files.next()).fileName();
        QVERIFY2(name != QLatin1String("escaped.db") && name != QLatin1String("ok.db"),
                 qPrintable(files.filePath()));
    }
}

void TestCourseDownload::unzipThatHangsIsStopped()
{
    // An unzip program that lists one entry and then never finishes extracting.
    const QString program = writeProgram(
        "/slow-unzip", "if [ \"$1\" = -l ]; then printf 'A\\nH\\n--\\n x\\n--\\nF\\n'; exit 0; fi\n"
                       "echo ' inflating: x'\nexec sleep 30\n");
    Unzip unzip;
    unzip.setTimeouts(5000, 300);
    QSignalSpy finished(&unzip, &Unzip::finished);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!unzip.extract(m_root->filePath(QStringLiteral("/any.zip")),
                           m_root->filePath(QStringLiteral("/target")), program));
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QVERIFY(!QFile::exists(m_root->filePath(QStringLiteral("/target/x"))));
}

QString TestCourseDownload::writeProgram(const char *name, const char *body)
{
    const QString program = m_root->filePath(QLatin1String(name));
    QFile script(program);
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    script.write(QByteArray("#!/bin/sh\n") + body);
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return program;
}

QTEST_GUILESS_MAIN(TestCourseDownload)
#include "tst_coursedownload.moc"
