#include "updater/updateinstaller.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const char kStagedSuffix[] = ".mlupdate-new";
const char kBackupSuffix[] = ".mlupdate-old";

bool removeFile(const QString &path)
{
    if (!QFileInfo(path).isSymLink() && !QFileInfo::exists(path))
        return true;
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return QFile::remove(path);
}
} // namespace

UpdateInstaller::UpdateInstaller(QObject *parent) : QObject(parent) {}

void UpdateInstaller::step()
{
    ++m_handled;
    emit progress(m_handled);
}

bool UpdateInstaller::collect(const QString &sourceFolder, const QString &targetFolder)
{
    const QDir source(sourceFolder);
    QDirIterator it(sourceFolder,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    QStringList folders;
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = source.relativeFilePath(info.filePath());
        const QString target = QDir::toNativeSeparators(targetFolder + QLatin1Char('/') + relative);
        if (info.isDir() && !info.isSymLink()) {
            folders << target;
            continue;
        }
        Entry entry;
        entry.source = QDir::toNativeSeparators(info.filePath());
        entry.target = target;
        entry.staged = target + QLatin1String(kStagedSuffix);
        entry.backup = target + QLatin1String(kBackupSuffix);
        m_entries << entry;
    }
    // A fixed order, so that a failure always leaves the same files restored.
    std::sort(m_entries.begin(), m_entries.end(),
              [](const Entry &a, const Entry &b) { return a.target < b.target; });
    // Parents first, so that each made folder is recorded once and removed children-first.
    std::sort(folders.begin(), folders.end());
    for (const QString &folder : folders) {
        if (m_cancelled)
            return false;
        if (!QFileInfo(folder).isDir()) {
            if (!QDir().mkpath(folder)) {
                qDebug() << "UpdateInstaller: cannot make folder" << folder;
                m_failedFile = folder;
                return false;
            }
            m_madeFolders << folder;
        }
        step();
    }
    return true;
}

bool UpdateInstaller::stage(Entry &entry)
{
    removeFile(entry.staged);
    if (!QFile::copy(entry.source, entry.staged)) {
        qDebug() << "复制文件失败" << entry.source << entry.staged;
        removeFile(entry.staged);
        return false;
    }
    return true;
}

bool UpdateInstaller::swap(Entry &entry)
{
    const QFileInfo target(entry.target);
    entry.hadTarget = target.exists() || target.isSymLink();
    if (entry.hadTarget) {
        removeFile(entry.backup);
        if (!QFile::rename(entry.target, entry.backup)) {
            qDebug() << "UpdateInstaller: cannot move aside" << entry.target;
            entry.hadTarget = false;
            return false;
        }
    }
    if (!QFile::rename(entry.staged, entry.target)) {
        qDebug() << "UpdateInstaller: cannot put in place" << entry.target;
        if (entry.hadTarget)
            QFile::rename(entry.backup, entry.target);
        entry.hadTarget = false;
        return false;
    }
    entry.swapped = true;
    return true;
}

void UpdateInstaller::rollBack()
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        Entry &entry = *it;
        if (entry.swapped) {
            removeFile(entry.target);
            if (entry.hadTarget && !QFile::rename(entry.backup, entry.target))
                qDebug() << "UpdateInstaller: cannot restore" << entry.target << "from"
                         << entry.backup;
        }
        removeFile(entry.staged);
    }
    for (auto it = m_madeFolders.rbegin(); it != m_madeFolders.rend(); ++it)
        QDir().rmdir(*it);
}

bool UpdateInstaller::install(const QString &sourceFolder, const QString &targetFolder)
{
    m_entries.clear();
    m_madeFolders.clear();
    m_failedFile.clear();
    m_handled = 0;
    if (m_cancelled || !QFileInfo(sourceFolder).isDir()) {
        qDebug() << "UpdateInstaller: nothing to install from" << sourceFolder;
        return false;
    }
    if (!collect(sourceFolder, targetFolder)) {
        rollBack();
        return false;
    }
    for (Entry &entry : m_entries) {
        if (m_cancelled || !stage(entry)) {
            if (!m_cancelled)
                m_failedFile = entry.target;
            rollBack();
            return false;
        }
    }
    for (Entry &entry : m_entries) {
        if (m_cancelled || !swap(entry)) {
            if (!m_cancelled)
                m_failedFile = entry.target;
            rollBack();
            return false;
        }
        step();
    }
    for (const Entry &entry : m_entries) {
        if (entry.hadTarget && !removeFile(entry.backup))
            qDebug() << "UpdateInstaller: old file left behind" << entry.backup;
    }
    return true;
}
