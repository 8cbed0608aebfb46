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
    mgr.download(7);
    QVERIFY(requested.wait(5000));
    QVERIFY(QFile::exists(appPath(QStringLiteral("/temp/7.zip"))));
    mgr.cancel();
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
    const QString archive = m_root->filePath(QStringLiteral("/evil.zip"));
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"),
                                             QStringLiteral("import zipfile,sys\n"
                                                            "z=zipfile.ZipFile(sys.argv[1],'w')\n"
                                                            "z.writestr('ok.db','fine')\n"
                                                            "z.writestr('../escaped.db','bad')\n"
                                                            "z.close()"),
                                             archive});
    QVERIFY(python.waitForFinished(10000));
    QCOMPARE(python.exitCode(), 0);
    const QString target = m_root->filePath(QStringLiteral("/odata/course"));
    Unzip unzip;
    QVERIFY(!unzip.extract(archive, target, Unzip::defaultProgram()));
    QVERIFY(!QFile::exists(m_root->filePath(QStringLiteral("/odata/escaped.db"))));
    QVERIFY(!QFile::exists(target + QStringLiteral("/escaped.db")));
    QVERIFY(!QFile::exists(target + QStringLiteral("/ok.db")));
}

void TestCourseDownload::unzipThatHangsIsStopped()
{
    // An unzip program that lists one entry and then never finishes extracting.
    const QString program = m_root->filePath(QStringLiteral("/slow-unzip"));
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nif [ \"$1\" = -l ]; then printf 'A\\nH\\n--\\n x\\n--\\nF\\n'; "
                 "exit 0; fi\necho ' inflating: x'\nexec sleep 30\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
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

QTEST_MAIN(TestCourseDownload)
#include "tst_coursedownload.moc"
