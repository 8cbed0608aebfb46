#include "app/apppath.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

#include <cstdio>

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

bool folderIsWritable(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.memora-write-test-XXXXXX"));
    return probe.open();
}

} // namespace

QString programFolder()
{
    const QString root = qEnvironmentVariable("MEMORA_ROOT");
    if (!root.isEmpty())
        return QDir::cleanPath(root);
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString dataFolder()
{
    const QString program = programFolder();
    // The answer depends only on the program folder; probe the file system once per folder.
    static QString cachedFor;
    static QString cachedResult;
    if (program == cachedFor && !cachedResult.isEmpty())
        return cachedResult;
    QString result = program;
    if (!folderIsWritable(program)) {
        QString xdg = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (xdg.isEmpty())
            xdg = QDir::homePath() + QStringLiteral("/.local/share");
        result = xdg + QStringLiteral("/memora");
        QDir().mkpath(result);
    }
    cachedFor = program;
    cachedResult = result;
    return result;
}

QString appPath(const QString &relativePath)
{
    const QString base = isUserDataPath(relativePath) ? dataFolder() : programFolder();
    return QDir::toNativeSeparators(base + relativePath);
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
