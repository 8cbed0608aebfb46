#include "app/apppath.h"
#include "app/globals.h"
#include "app/settings.h"
#include "course/ocoursedownmgr.h"
#include "fakehttpserver.h"
#include "messageboxcloser.h"
#include "testroot.h"
#include "ui/memora_mainwindow_progressdialog.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

class TestProgressDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void downloadResult_data();
    void downloadResult();
    void cancelStopsTheDownload();

private:
    TestRoot *m_root = nullptr;
    FakeHttpServer *m_server = nullptr;
};

namespace {
// A course archive made by the real zip: 9.db with an empty TWORD table.
QByteArray courseArchive(const QString &folder)
{
    QDir().mkpath(folder);
    QFile course(folder + QStringLiteral("/9.db"));
    if (!course.open(QIODevice::WriteOnly))
        return QByteArray();
    course.write("placeholder course file");
    course.close();
    QProcess zip;
    zip.setWorkingDirectory(folder);
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-q"), QStringLiteral("9.zip"), QStringLiteral("9.db")});
    if (!zip.waitForFinished(10000) || zip.exitCode() != 0)
        return QByteArray();
    QFile archive(folder + QStringLiteral("/9.zip"));
    return archive.open(QIODevice::ReadOnly) ? archive.readAll() : QByteArray();
}
} // namespace

void TestProgressDialog::init()
{
    m_root = new TestRoot;
    ensureAppDir(QStringLiteral("/udata"));
    g_pSettings = GlobalSettings::create();
    m_server = new FakeHttpServer;
    QVERIFY(m_server->start());
    GlobalSettings::setValue(QStringLiteral("Remote/DownloadHost"), m_server->baseUrl());
}

void TestProgressDialog::cleanup()
{
    delete m_server;
    delete g_pSettings;
    g_pSettings = nullptr;
    delete m_root;
}

void TestProgressDialog::downloadResult_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("result");
    QTest::newRow("installed") << 200 << int(FakeHttpServer::Mode::Normal) << QString()
                               << int(QDialog::Accepted);
    QTest::newRow("404") << 404 << int(FakeHttpServer::Mode::Normal) << "未知网络错误，请联系我们！"
                         << int(QDialog::Rejected);
    QTest::newRow("500") << 500 << int(FakeHttpServer::Mode::Normal) << "未知网络错误，请联系我们！"
                         << int(QDialog::Rejected);
    QTest::newRow("dropped") << 200 << int(FakeHttpServer::Mode::Drop)
                             << "官方服务器被关闭，请稍后重试 或 联系我们！"
                             << int(QDialog::Rejected);
}

void TestProgressDialog::downloadResult()
{
    QFETCH(int, status);
    QFETCH(int, mode);
    QFETCH(QString, message);
    QFETCH(int, result);
    FakeHttpServer::Reply reply;
    reply.status = status;
    reply.mode = FakeHttpServer::Mode(mode);
    reply.body = courseArchive(m_root->filePath(QStringLiteral("/made")));
    QVERIFY(!reply.body.isEmpty());
    m_server->setReply(QStringLiteral("/002/ocourse/9.zip"), reply);

    MessageBoxCloser closer;
    Memora_MainWindow_ProgressDialog dialog(9, QStringLiteral("四级词汇"));
    QCOMPARE(dialog.findChild<QLabel *>("lab_courseNam")->text(),
             QStringLiteral("下载 四级词汇 词库："));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(finished.wait(10000));
    QCOMPARE(dialog.result(), result);
    QCOMPARE(closer.texts, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(OCourseDownMgr::isDownloaded(9), result == QDialog::Accepted);
}

void TestProgressDialog::cancelStopsTheDownload()
{
    FakeHttpServer::Reply reply;
    reply.body = courseArchive(m_root->filePath(QStringLiteral("/made")));
    reply.mode = FakeHttpServer::Mode::Slow;
    reply.delayMs = 3000;
    m_server->setReply(QStringLiteral("/002/ocourse/9.zip"), reply);
    QSignalSpy requested(m_server, &FakeHttpServer::requestReceived);
    MessageBoxCloser closer;
    Memora_MainWindow_ProgressDialog dialog(9, QStringLiteral("四级词汇"));
    dialog.show();
    QVERIFY(requested.wait(5000));
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_Cancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(appPath(QStringLiteral("/temp/9.zip"))));
    QCOMPARE(closer.texts, QStringList{QStringLiteral("您放弃下载课本……")});
}

QTEST_MAIN(TestProgressDialog)
#include "tst_progressdialog.moc"
