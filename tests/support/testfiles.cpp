#include "testfiles.h"

#include "app/apppath.h"
#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace TestFiles {

bool write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        return false;
    file.close();
    if (content.startsWith("#!"))
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    return true;
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray zip(const QMap<QString, QByteArray> &files)
{
    QTemporaryDir packing;
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (!write(packing.filePath(it.key()), it.value()))
            return QByteArray();
    }
    QProcess zip;
    zip.setWorkingDirectory(packing.path());
    zip.start(QStringLiteral("zip"), QStringList{"-q", "-r", "archive.zip"} + files.keys());
    if (!zip.waitForFinished(30000) || zip.exitCode() != 0)
        return QByteArray();
    return read(packing.filePath(QStringLiteral("archive.zip")));
}

QByteArray courseArchive(int mid, const QByteArray &courseFile)
{
    return zip({{QStringLiteral("%1.db").arg(mid), courseFile}});
}

CourseServer::CourseServer() : server(std::make_unique<FakeHttpServer>())
{
    ensureAppDir(QStringLiteral("/udata"));
    g_pSettings = GlobalSettings::create();
}

CourseServer::~CourseServer()
{
    server.reset();
    delete g_pSettings;
    g_pSettings = nullptr;
}

bool CourseServer::start()
{
    if (!server->start())
        return false;
    GlobalSettings::setValue(g_pSettings, QStringLiteral("Remote/DownloadHost"), server->baseUrl());
    return true;
}

} // namespace TestFiles
