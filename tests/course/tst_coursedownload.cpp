#include "app/apppath.h"
#include "course/coursedb.h"
#include "course/ocoursedownmgr.h"
#include "course/unzip.h"
#include "coursefixture.h"
#include "fakehttpserver.h"
#include "testfiles.h"
#include "testroot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
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
    void cancelRemovesPartialArchive();
    void unzipCountsAndReportsEntries();
    void unzipRefusesEntriesLeavingTheFolder();
    void unzipThatHangsIsStopped();

private:
    QByteArray courseArchive(int mid, int words);
    // A shell script standing in for the unzip program.
    QString writeProgram(const char *name, const char *body);

    std::unique_ptr<TestFiles::CourseServer> m_course;
    TestRoot *m_root = nullptr;
    FakeHttpServer *m_server = nullptr;
};

void TestCourseDownload::init()
{
    m_course = std::make_unique<TestFiles::CourseServer>();
    QVERIFY(m_course->start());
    m_root = &m_course->root;
    m_server = m_course->server.get();
}

void TestCourseDownload::cleanup()
{
    m_course.reset();
}

QByteArray TestCourseDownload::courseArchive(int mid, int words)
{
    const QString course = m_root->filePath(QStringLiteral("/made/%1.db").arg(mid));
    QFile::remove(course);
    if (!writeCourseFile(course, numberedWords(words)))
        return QByteArray();
    return TestFiles::courseArchive(mid, TestFiles::read(course));
}

void TestCourseDownload::downloadOutcome_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("validArchive");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("installedWords"); // words of a course already on disk, 0 if none
    const int normal = int(FakeHttpServer::Mode::Normal);
    QTest::newRow("installed") << 200 << normal << true << 0 << 0;
    QTest::newRow("already installed course is kept") << 200 << normal << true << 0 << 1;
    QTest::newRow("404") << 404 << normal << true << int(QNetworkReply::ContentNotFoundError) << 0;
    QTest::newRow("500") << 500 << normal << true << int(QNetworkReply::InternalServerError) << 0;
    QTest::newRow("dropped") << 200 << int(FakeHttpServer::Mode::Drop) << true
                             << int(QNetworkReply::RemoteHostClosedError) << 0;
    QTest::newRow("truncated") << 200 << int(FakeHttpServer::Mode::Truncated) << true
                               << int(QNetworkReply::RemoteHostClosedError) << 0;
    QTest::newRow("not an archive") << 200 << normal << false << OCourseDownMgr::UnpackError << 0;
}

void TestCourseDownload::downloadOutcome()
{
    QFETCH(int, status);
    QFETCH(int, mode);
    QFETCH(bool, validArchive);
    QFETCH(int, code);
    QFETCH(int, installedWords);
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.mode = FakeHttpServer::Mode(mode);
    reply.body = validArchive ? courseArchive(7, 3) : QByteArray(4096, 'x');
    QVERIFY(!reply.body.isEmpty());
    m_server->setReply(QStringLiteral("/002/ocourse/7.zip"), reply);
    const QString course = OCourseDownMgr::downloadFolder() + QStringLiteral("/7.db");
    QVERIFY(course.startsWith(dataFolder()));
    if (installedWords > 0)
        QVERIFY(writeCourseFile(course, numberedWords(installedWords)));

    OCourseDownMgr mgr;
    QSignalSpy finished(&mgr, &OCourseDownMgr::finished);
    QCOMPARE(OCourseDownMgr::isDownloaded(7), installedWords > 0);
    mgr.download(7);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), code);
    QCOMPARE(OCourseDownMgr::isDownloaded(7), code == 0);
    if (code == 0) {
        CourseDB db(course);
        QCOMPARE(db.wordCount(), installedWords > 0 ? installedWords : 3);
    } else {
        QVERIFY(!QFile::exists(course));
    }
    // A failed transfer leaves no archive to unpack later.
    if (code > 0)
        QVERIFY(!QFile::exists(appPath(QStringLiteral("/temp/7.zip"))));
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
    const QString archive = m_root->filePath(QStringLiteral("/made/out.zip"));
    QVERIFY(TestFiles::write(
        archive,
        TestFiles::zip({{"a.db", "a.db"}, {"b.txt", "b.txt"}, {"sub/c.txt", "sub/c.txt"}})));
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
    QCOMPARE(TestFiles::read(target + QStringLiteral("/sub/c.txt")), QByteArray("sub/c.txt"));
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
    return TestFiles::write(program, QByteArray("#!/bin/sh\n") + body) ? program : QString();
}

QTEST_GUILESS_MAIN(TestCourseDownload)
#include "tst_coursedownload.moc"
