#include "app/apppath.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QMutex>
#include <QTemporaryFile>
#include <QTimer>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool isUserDataPath(const QString &rel)
{
    static const char *const kUserRoots[] = {"/udata", "/cache", "/temp"};
    for (const char *root : kUserRoots) {
        const QString r = QLatin1String(root);
        if (rel == r || rel.startsWith(r + QLatin1Char('/')) ||
            rel.startsWith(r + QLatin1Char('\\')))
            return true;
    }
    return false;
}

bool isOfficialCourseFile(const QString &rel)
{
    static const QString kCourses = QStringLiteral("/odata/course/");
    return rel.size() > kCourses.size() && rel.startsWith(kCourses);
}

QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

bool permissionBitsGrantWrite(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    if (st.st_uid == ::geteuid())
        return st.st_mode & S_IWUSR;
    bool inGroup = st.st_gid == ::getegid();
    if (!inGroup) {
        gid_t groups[256];
        const int count = ::getgroups(256, groups);
        for (int i = 0; i < count && !inGroup; ++i)
            inGroup = groups[i] == st.st_gid;
    }
    return st.st_mode & (inGroup ? S_IWGRP : S_IWOTH);
#else
    return QFileInfo(folder).isWritable();
#endif
}

// The data folder outside a portable set-up: $XDG_DATA_HOME/memora, by default
// ~/.local/share/memora.
QString xdgDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/memora"));
}

bool copyTreeWithoutOverwriting(const QString &from, const QString &to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    const QFileInfoList entries =
        source.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (QFileInfo::exists(target))
            return false;
        const bool ok = entry.isDir() && !entry.isSymLink()
                            ? copyTreeWithoutOverwriting(entry.filePath(), target)
                            : QFile::copy(entry.filePath(), target);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

QString programFolder()
{
    const QString root = qEnvironmentVariable("MEMORA_ROOT");
    if (!root.isEmpty())
        return QDir::cleanPath(root);
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString &folder)
{
    programFolderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

bool isPortableSetup(const QString &programFolder)
{
    return QFileInfo(programFolder + QStringLiteral("/portable")).isFile();
}

bool folderIsWritableByUser(const QString &folder)
{
    if (!permissionBitsGrantWrite(folder))
        return false;
    // Bits can grant what the file system refuses (a read-only mount).
    QTemporaryFile probe(folder + QStringLiteral("/.memora-write-test-XXXXXX"));
    return probe.open();
}

bool programFolderIsWritable()
{
    return folderIsWritableByUser(programFolder());
}

QString dataFolder()
{
    const QString root = qEnvironmentVariable("MEMORA_ROOT");
    if (!root.isEmpty())
        return QDir::cleanPath(root);
    const QString program = programFolder();
    const QString xdg = xdgDataFolder();
    // The portable check probes the file system: do it once per program and XDG folder. The
    // log handler asks from whichever thread logs, hence the lock.
    static QBasicMutex lock;
    static QString cachedKey;
    static QString cachedResult;
    const QMutexLocker locker(&lock);
    const QString key = program + QLatin1Char('\n') + xdg;
    if (key == cachedKey)
        return cachedResult;
    cachedResult = isPortableSetup(program) && folderIsWritableByUser(program) ? program : xdg;
    cachedKey = key;
    return cachedResult;
}

bool moveOldUserData(const QString &programFolder, const QString &dataFolder)
{
    const QString from = QDir::cleanPath(programFolder + QStringLiteral("/udata"));
    const QString to = QDir::cleanPath(dataFolder + QStringLiteral("/udata"));
    if (from == to || !QFileInfo(from).isDir() || QFileInfo::exists(to))
        return false;
    QDir().mkpath(dataFolder);
    if (QDir().rename(from, to)) {
        qDebug() << "apppath: 旧的用户数据已移到数据文件夹" << from << "->" << to;
        return true;
    }
    // Another file system, or a program folder that cannot be changed: copy into a staging
    // folder (ours alone, so a leftover from an interrupted copy is discarded) and give it
    // the name udata only once every file is there.
    const QString staging = to + QStringLiteral(".moving");
    QDir(staging).removeRecursively();
    if (!copyTreeWithoutOverwriting(from, staging) || !QDir().rename(staging, to)) {
        QDir(staging).removeRecursively();
        qDebug() << "apppath: 旧的用户数据无法移到数据文件夹, 保留在原处" << from;
        return false;
    }
    const bool removed = QDir(from).removeRecursively();
    qDebug() << "apppath: 旧的用户数据已复制到数据文件夹" << from << "->" << to
             << (removed ? "原文件夹已删除" : "原文件夹无法删除, 保留");
    return true;
}

QString appPath(const QString &relativePath)
{
    if (isUserDataPath(relativePath))
        return QDir::toNativeSeparators(dataFolder() + relativePath);
    const QString installed = programFolder() + relativePath;
    if (isOfficialCourseFile(relativePath) && !QFileInfo::exists(installed)) {
        const QString downloaded = dataFolder() + relativePath;
        if (QFileInfo::exists(downloaded))
            return QDir::toNativeSeparators(downloaded);
    }
    return QDir::toNativeSeparators(installed);
}

bool ensureAppDir(const QString &relativePath)
{
    const QString path = appPath(relativePath);
    QDir dir(path);
    if (dir.exists())
        return true;
    return dir.mkpath(path);
}

QString appRelativePath(const QString &relativePath)
{
    return QDir::current().relativeFilePath(appPath(relativePath));
}

QStringList listFiles(const QString &folder, const QString &nameFilter)
{
    QDir dir(folder);
    const QStringList names =
        dir.entryList(QStringList{nameFilter}, QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    QStringList result;
    result.reserve(names.size());
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')) && !base.endsWith(QDir::separator()))
        base += QLatin1Char('/');
    for (const QString &name : names)
        result << QDir::toNativeSeparators(base + name);
    return result;
}

void waitMs(int ms)
{
    // An event loop sleeps until an event or the timer comes; polling would spin.
    QEventLoop loop;
    QTimer::singleShot(qMax(0, ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool saveDeviceToFile(const QString &fileName, QIODevice *device)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "Could not open %s for writing: %s\n", qPrintable(fileName),
                     qPrintable(file.errorString()));
        return false;
    }
    if (!device)
        return false;
    while (!device->atEnd() || device->bytesAvailable() > 0) {
        const QByteArray chunk = device->read(64 * 1024);
        if (chunk.isEmpty())
            break;
        if (file.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

QString logFilePath()
{
    QString programName = QStringLiteral("memora");
    if (QCoreApplication::instance())
        programName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QDir::toNativeSeparators(dataFolder() + QLatin1Char('/') + programName +
                                    QStringLiteral(".log"));
}
