#include "update/updatemgr.h"

#include "app/apppath.h"
#include "app/product.h"
#include "app/remoteservices.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QXmlStreamReader>

namespace {
const char kUpdaterName[] = "/MlUpdate";
const char kUpdaterCopyName[] = "/TMlUpdate";
const char kTrainerFileName[] = "memora";
} // namespace

UpdateMgr::UpdateMgr(QObject *parent) : QObject(parent)
{
    connect(&m_downloader, &MlFileDownload::downloaded, this, &UpdateMgr::downloaded);
    connect(&m_downloader, &MlFileDownload::downloadProgress, this, &UpdateMgr::downloadProgress);
}

bool UpdateMgr::canSelfUpdate()
{
    QTemporaryFile probe(programFolder() + QStringLiteral("/.memora-update-test-XXXXXX"));
    return probe.open();
}

QString UpdateMgr::packageManagerText()
{
    return QStringLiteral("本程序由系统的软件包管理器安装，请用软件包管理器安装新版本。");
}

QString UpdateMgr::packageManagerButtonText()
{
    return QStringLiteral("由软件包管理器安装");
}

QString UpdateMgr::versionFilePath()
{
    if (canSelfUpdate())
        return appPath(QStringLiteral("/verinfo.xml"));
    return QDir::toNativeSeparators(dataFolder() + QStringLiteral("/verinfo.xml"));
}

void UpdateMgr::check()
{
    m_downloader.download(RemoteServices::versionFileUrl(), versionFilePath());
}

void UpdateMgr::downloadProgress(qint64, qint64) {}

int UpdateMgr::compareWithProgram(const QString &version)
{
    const QStringList parts = version.trimmed().split(QLatin1Char('.'));
    if (parts.size() < 4)
        return -1;
    const int own[4] = {Product::kVersionMajor, Product::kVersionMinor, Product::kVersionPatch,
                        Product::kVersionBuild};
    for (int i = 0; i < 4; ++i) {
        if (parts.at(i).toInt() > own[i])
            return 1;
    }
    return 0;
}

void UpdateMgr::downloaded(int error)
{
    qDebug() << "UpdateMgr::downloaded" << error;
    if (error != 0) {
        qDebug() << "UpdateMgr::downloaded faild";
        emit checkResult(false);
        return;
    }
    if (!m_downloader.saved()) {
        // An older copy of the file may still lie there; it says nothing about today.
        qDebug() << "UpdateMgr::downloaded" << m_downloader.filePath() << "保存失败";
        emit checkResult(false);
        return;
    }
    parse(m_downloader.filePath());
    const int newer = compareWithProgram(m_verNumber);
    if (newer < 0)
        return;
    emit checkResult(newer == 1);
}

void UpdateMgr::parse(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "UpdateMgr::parse error 1" << filePath;
        return;
    }
    // The checksum belongs to one archive; a file without it must not inherit an old one.
    m_sha256.clear();
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement()) {
        while (xml.readNextStartElement()) {
            const QStringView name = xml.name();
            if (name == u"vernumber")
                m_verNumber = xml.readElementText();
            else if (name == u"downurl")
                m_downUrl = xml.readElementText();
            else if (name == u"updateNotes")
                m_updateNotes = xml.readElementText();
            else if (name == u"sha256")
                m_sha256 = xml.readElementText().trimmed();
            else
                xml.skipCurrentElement();
        }
    }
    file.close();
    qDebug() << "UpdateMgr::parse" << m_verNumber << m_downUrl << m_updateNotes;
}

bool UpdateMgr::applyNewVer()
{
    const QString source = appPath(QLatin1String(kUpdaterName));
    if (!QFileInfo::exists(source)) {
        qDebug() << "UpdateMgr::applyNewVer" << source << "不存在";
        return false;
    }
    ensureAppDir(QStringLiteral("/temp"));
    const QString target = appPath(QLatin1String(kUpdaterCopyName));
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        if (!QFile::remove(target)) {
            qDebug() << "UpdateMgr::applyNewVer remove" << target << "faild";
            return false;
        }
    }
    if (!QFile::copy(source, target)) {
        qDebug() << "UpdateMgr::applyNewVer 2" << source << "复制文件失败" << target;
        return false;
    }
    QStringList arguments{Product::displayName(), QLatin1String(kTrainerFileName),
                          appPath(QString()), m_downUrl, m_verNumber};
    if (!m_sha256.isEmpty())
        arguments << m_sha256;
    QProcess::startDetached(target, arguments, appPath(QString()));
    return true;
}
