#include "updater/updateinstaller.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(content);
}

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
            QFile file(it.filePath());
            file.open(QIODevice::ReadOnly);
            result.insert(relative, file.readAll());
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
    writeFile(source.filePath("memora"), "new trainer");
    writeFile(source.filePath("odata/learnskill.db"), "new tips");
    writeFile(source.filePath("images/new/pic.png"), "new picture");
    writeFile(source.filePath(".hidden"), "hidden");
    writeFile(program.filePath("memora"), "old trainer");
    QFile::setPermissions(program.filePath("memora"), QFile::ReadOwner | QFile::ExeOwner);
    writeFile(program.filePath("odata/learnskill.db"), "old tips");
    writeFile(program.filePath("udata/gconfig.ini"), "settings");

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
    writeFile(source.filePath("a_trainer"), "new trainer");
    writeFile(source.filePath("m_sub/b_data"), "new data");
    writeFile(source.filePath("n_newfolder/c"), "brand new");
    writeFile(program.filePath("a_trainer"), "old trainer");
    QFile::setPermissions(program.filePath("a_trainer"), QFile::ReadOwner);
    writeFile(program.filePath("m_sub/b_data"), "old data");
    writeFile(program.filePath("z_last"), "old last");
    if (failWhileCopying) {
        // A file of the archive that cannot be read.
        QVERIFY(QFile::link(source.filePath("missing"), source.filePath("z_last")));
    } else {
        writeFile(source.filePath("z_last"), "new last");
        // The old file cannot be moved aside: its backup name is taken by a folder.
        writeFile(program.filePath("z_last.mlupdate-old/keep"), "in the way");
    }
    const QMap<QString, QByteArray> before = tree(program.path());

    UpdateInstaller installer;
    QVERIFY(!installer.install(source.path(), program.path()));
    QCOMPARE(installer.failedFile(), QDir::toNativeSeparators(program.filePath("z_last")));
    QCOMPARE(tree(program.path()), before);
}

QTEST_MAIN(TestUpdateInstaller)
#include "tst_updateinstaller.moc"
