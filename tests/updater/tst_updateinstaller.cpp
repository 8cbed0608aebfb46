#include "updater/updateinstaller.h"

#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Every file below folder (relative path → content); folders end with "/".
QMap<QString, QByteArray> tree(const QString &folder)
{
    QMap<QString, QByteArray> result;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = QDir(folder).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir()) {
            result.insert(relative + QLatin1Char('/'), QByteArray());
        } else {
            result.insert(relative, TestFiles::read(it.filePath()));
        }
    }
    return result;
}
} // namespace

class TestUpdateInstaller : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newVersionReplacesReadOnlyFilesAndLeavesOthers();
    void failedFileRestoresEveryReplacedFile_data();
    void failedFileRestoresEveryReplacedFile();
};

void TestUpdateInstaller::newVersionReplacesReadOnlyFilesAndLeavesOthers()
{
    QTemporaryDir source;
    QTemporaryDir program;
    QVERIFY(TestFiles::write(source.filePath("memora"), "new trainer"));
    QVERIFY(TestFiles::write(source.filePath("odata/learnskill.db"), "new tips"));
    QVERIFY(TestFiles::write(source.filePath("images/new/pic.png"), "new picture"));
    QVERIFY(TestFiles::write(source.filePath(".hidden"), "hidden"));
    QVERIFY(TestFiles::write(program.filePath("memora"), "old trainer"));
    QFile::setPermissions(program.filePath("memora"), QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(TestFiles::write(program.filePath("odata/learnskill.db"), "old tips"));
    QVERIFY(TestFiles::write(program.filePath("udata/gconfig.ini"), "settings"));

    UpdateInstaller installer;
    QSignalSpy progress(&installer, &UpdateInstaller::progress);
    QVERIFY(installer.install(source.path(), program.path()));
    QCOMPARE(installer.failedFile(), QString());
    QCOMPARE(progress.size(), installer.handledCount());
    QCOMPARE(installer.handledCount(), 7); // four files, three new or existing folders

    QMap<QString, QByteArray> expected{{".hidden", "hidden"},
                                       {"images/", ""},
                                       {"images/new/", ""},
                                       {"images/new/pic.png", "new picture"},
                                       {"memora", "new trainer"},
                                       {"odata/", ""},
                                       {"odata/learnskill.db", "new tips"},
                                       {"udata/", ""},
                                       {"udata/gconfig.ini", "settings"}};
    QCOMPARE(tree(program.path()), expected);
}

void TestUpdateInstaller::failedFileRestoresEveryReplacedFile_data()
{
    QTest::addColumn<bool>("failWhileCopying");
    QTest::newRow("copy fails before any file is replaced") << true;
    QTest::newRow("putting a file in place fails after others were replaced") << false;
}

void TestUpdateInstaller::failedFileRestoresEveryReplacedFile()
{
    QFETCH(bool, failWhileCopying);
    QTemporaryDir source;
    QTemporaryDir program;
    QVERIFY(TestFiles::write(source.filePath("a_trainer"), "new trainer"));
    QVERIFY(TestFiles::write(source.filePath("m_sub/b_data"), "new data"));
    QVERIFY(TestFiles::write(source.filePath("n_newfolder/c"), "brand new"));
    QVERIFY(TestFiles::write(program.filePath("a_trainer"), "old trainer"));
    QFile::setPermissions(program.filePath("a_trainer"), QFile::ReadOwner);
    QVERIFY(TestFiles::write(program.filePath("m_sub/b_data"), "old data"));
    QVERIFY(TestFiles::write(program.filePath("z_last"), "old last"));
    if (failWhileCopying) {
        // A file of the archive that cannot be read.
        QVERIFY(QFile::link(source.filePath("missing"), source.filePath("z_last")));
    } else {
        QVERIFY(TestFiles::write(source.filePath("z_last"), "new last"));
        // The old file cannot be moved aside: its backup name is taken by a folder.
        QVERIFY(TestFiles::write(program.filePath("z_last.mlupdate-old/keep"), "in the way"));
    }
    const QMap<QString, QByteArray> before = tree(program.path());

    UpdateInstaller installer;
    QVERIFY(!installer.install(source.path(), program.path()));
    QCOMPARE(installer.failedFile(), QDir::toNativeSeparators(program.filePath("z_last")));
    QCOMPARE(tree(program.path()), before);
}

QTEST_MAIN(TestUpdateInstaller)
#include "tst_updateinstaller.moc"
