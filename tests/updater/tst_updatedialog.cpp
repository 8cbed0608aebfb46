#include "fakehttpserver.h"
#include "modalanswer.h"
#include "testfiles.h"
#include "testroot.h"
#include "updater/updatedialog.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

namespace {
const char kArchivePath[] = "/002/update/update.zip";

} // namespace

// The updater's questions and what each answer starts, with a learner answering them.
class TestUpdateDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestUpdateDialog::answers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("blockInstall");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("started"); // what the started trainer wrote, empty if none

    const QString success = QStringLiteral("成功更新到0.3.0.0, 是否启动新版本?");
    const QString oldVersion = QStringLiteral("更新中止, 是否继续运行旧版本?");
    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    QTest::newRow("success, yes starts the new trainer")
        << 200 << false << yes << QStringList{success} << QByteArray("new\n");
    QTest::newRow("success, no starts nothing")
        << 200 << false << no << QStringList{success} << QByteArray();
    QTest::newRow("download error, yes starts the old trainer")
        << 404 << false << yes << QStringList{"下载新版本失败, 错误代码[203],", oldVersion}
        << QByteArray("old\n");
    QTest::newRow("file that cannot be installed: old version kept and offered")
        << 200 << true << yes
        << QStringList{"安装更新失败, 无法复制文件 %1, 已恢复旧版本。是否继续运行旧版本?"}
        << QByteArray("old\n");
}

void TestUpdateDialog::answers()
{
    QFETCH(int, status);
    QFETCH(bool, blockInstall);
    QFETCH(int, button);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, started);

    const QByteArray archive = TestFiles::zip(
        {{"memora", "#!/bin/sh\necho new > started\n"}, {"odata/learnskill.db", "new tips"}});
    QVERIFY(!archive.isEmpty());

    TestRoot root;
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setReply(QLatin1String(kArchivePath), status, archive);
    QVERIFY(TestFiles::write(root.filePath("/memora"), "#!/bin/sh\necho old > started\n"));
    QVERIFY(TestFiles::write(root.filePath("/odata/learnskill.db"), "old tips"));
    const QString blocked = QDir::toNativeSeparators(root.filePath("/odata/learnskill.db"));
    if (blockInstall) // the old file cannot be moved aside: its backup name is a folder
        QVERIFY(TestFiles::write(blocked + ".mlupdate-old/keep", "in the way"));
    texts.replaceInStrings(QStringLiteral("%1"), blocked);

    ModalAnswer answer{QMessageBox::StandardButton(button)};
    {
        UpdateDialog dialog;
        QVERIFY(dialog.start(
            {"Memora 背单词", "memora", root.path(), server.baseUrl() + kArchivePath, "0.3.0.0"}));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Memora 背单词更新程序"));
        QCOMPARE(dialog.statusText(), QStringLiteral("正在下载 Memora 背单词0.3.0.0"));
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 30000);
    }
    QCOMPARE(answer.texts(), texts);
    const bool installed = texts.first().startsWith(QStringLiteral("成功"));
    QCOMPARE(TestFiles::read(root.filePath("/odata/learnskill.db")),
             QByteArray(installed ? "new tips" : "old tips"));
    if (started.isEmpty()) {
        QTest::qWait(50);
        QVERIFY(!QFile::exists(root.filePath("/started")));
    } else {
        QTRY_COMPARE(TestFiles::read(root.filePath("/started")), started);
    }
}

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
