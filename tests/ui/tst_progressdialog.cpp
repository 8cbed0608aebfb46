#include "app/apppath.h"
#include "course/ocoursedownmgr.h"
#include "fakehttpserver.h"
#include "modalanswer.h"
#include "testfiles.h"
#include "testroot.h"
#include "ui/memora_mainwindow_progressdialog.h"

#include <QFile>
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
    std::unique_ptr<TestFiles::CourseServer> m_course;
};

void TestProgressDialog::init()
{
    m_course = std::make_unique<TestFiles::CourseServer>();
    QVERIFY(m_course->start());
}

void TestProgressDialog::cleanup()
{
    m_course.reset();
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
    reply.body = TestFiles::courseArchive(9, "placeholder course file");
    QVERIFY(!reply.body.isEmpty());
    m_course->server->setReply(QStringLiteral("/002/ocourse/9.zip"), reply);

    ModalAnswer closer;
    Memora_MainWindow_ProgressDialog dialog(9, QStringLiteral("四级词汇"));
    QCOMPARE(dialog.findChild<QLabel *>("lab_courseNam")->text(),
             QStringLiteral("下载 四级词汇 词库："));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(finished.wait(10000));
    QCOMPARE(dialog.result(), result);
    QCOMPARE(closer.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(OCourseDownMgr::isDownloaded(9), result == QDialog::Accepted);
}

void TestProgressDialog::cancelStopsTheDownload()
{
    FakeHttpServer::Reply reply;
    reply.body = TestFiles::courseArchive(9, "placeholder course file");
    reply.mode = FakeHttpServer::Mode::Slow;
    reply.delayMs = 3000;
    m_course->server->setReply(QStringLiteral("/002/ocourse/9.zip"), reply);
    QSignalSpy requested(m_course->server.get(), &FakeHttpServer::requestReceived);
    ModalAnswer closer;
    Memora_MainWindow_ProgressDialog dialog(9, QStringLiteral("四级词汇"));
    dialog.show();
    QVERIFY(requested.wait(5000));
    QTest::mouseClick(dialog.findChild<QPushButton *>("pBtn_Cancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(appPath(QStringLiteral("/temp/9.zip"))));
    QCOMPARE(closer.texts(), QStringList{QStringLiteral("您放弃下载课本……")});
}

QTEST_MAIN(TestProgressDialog)
#include "tst_progressdialog.moc"
