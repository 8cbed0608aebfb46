#include "app/settings.h"
#include "app/startup.h"
#include "fakehttpserver.h"
#include "processobjects.h"
#include "testfiles.h"
#include "testroot.h"
#include "ui/memora_mainwindows.h"
#include "update/memora_mainwindow_bubbletooltip.h"
#include "user/usermgr.h"

#include <QCryptographicHash>
#include <QFile>
#include <QPushButton>
#include <QtTest>

// A learner logs in while the server holds a newer version, accepts the offer, and the
// updater installs it and starts the new trainer.
class TestUpdateOffer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acceptedOfferInstallsAndRestarts();
};

void TestUpdateOffer::acceptedOfferInstallsAndRestarts()
{
    const QByteArray archive = TestFiles::zip({{"memora", "#!/bin/sh\necho \"new $#\" > started\n"},
                                               {"notes/whatsnew.txt", "new version"}});
    QVERIFY(!archive.isEmpty());

    TestRoot root;
    QVERIFY(QFile::copy(QStringLiteral(ANSWERING_UPDATER), root.filePath("/MlUpdate")));
    QVERIFY(TestFiles::write(root.filePath("/memora"), "#!/bin/sh\necho old > started\n"));

    FakeHttpServer server;
    QVERIFY(server.start());
    server.setReply("/002/update/update.zip", 200, archive);
    server.setReply(
        "/002/verinfo.xml", 200,
        QStringLiteral("<verinfo><vernumber>0.3.0.0</vernumber><downurl>%1</downurl>"
                       "<updateNotes>新版本说明</updateNotes><sha256>%2</sha256></verinfo>")
            .arg(server.baseUrl() + "/002/update/update.zip",
                 QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex())
            .toUtf8());

    ProcessObjects::create();
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Common/SendStatistics"), false);
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/DownloadHost"), server.baseUrl());
    g_pUserMgr->logInSystemUser(QStringLiteral("alice"));

    // The learner accepts the notifier as soon as it shows.
    QString offered;
    QTimer learner;
    connect(&learner, &QTimer::timeout, [&] {
        auto *tip =
            qobject_cast<Memora_MainWindow_BubbleTooltip *>(QApplication::activeModalWidget());
        if (!tip)
            return;
        offered = tip->message();
        tip->findChild<QPushButton *>("pBtn_update")->click();
    });
    learner.start(5);
    {
        Memora_MainWindows window;
        window.logIn(QStringLiteral("alice"), QDateTime::currentDateTime());
        QTRY_COMPARE_WITH_TIMEOUT(TestFiles::read(root.filePath("/started")), QByteArray("new 0\n"),
                                  60000);
    }
    QCOMPARE(offered, QStringLiteral("新版本说明"));
    QCOMPARE(TestFiles::read(root.filePath("/notes/whatsnew.txt")), QByteArray("new version"));
    QCOMPARE(server.requestCount("/002/update/update.zip"), 1);
    ProcessObjects::destroy();
}

QTEST_MAIN(TestUpdateOffer)
#include "tst_updateoffer.moc"
