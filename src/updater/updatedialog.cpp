#include "updater/updatedialog.h"

#include "app/apppath.h"
#include "course/unzip.h"
#include "update/mlfiledownload.h"
#include "updater/updateinstaller.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

UpdateDialog::UpdateDialog(QWidget *parent) : QDialog(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(QStringLiteral("下在下载"), this);
    m_status->setObjectName(QStringLiteral("lab_status"));
    m_status->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_cancelButton = new QPushButton(QStringLiteral("取消"), this);
    m_cancelButton->setObjectName(QStringLiteral("pBtn_cancel"));
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addStretch();
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_cancelButton);
    layout->addLayout(row);
    setMinimumWidth(320);
    connect(m_cancelButton, &QPushButton::clicked, this, &UpdateDialog::cancel);

    m_downloader = new MlFileDownload(this);
    m_downloader->setLogging(false);
    m_unzip = new Unzip;
    m_installer = new UpdateInstaller(this);
    connect(m_installer, &UpdateInstaller::progress, this, [this](int handled) {
        m_copied = handled;
        m_progress->setValue(handled);
    });
    ensureAppDir(QStringLiteral("/temp"));
}

UpdateDialog::~UpdateDialog()
{
    delete m_unzip;
}

QString UpdateDialog::statusText() const
{
    return m_status->text();
}

QString UpdateDialog::boxTitle() const
{
    return m_title + QStringLiteral("更新程序");
}

QString UpdateDialog::unzipProgram(const QString &programFolder)
{
    const QString local = QDir::toNativeSeparators(programFolder + QStringLiteral("/unzip"));
    if (QFileInfo(local).isExecutable())
        return local;
    const QString system = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    return system.isEmpty() ? QStringLiteral("unzip") : system;
}

bool UpdateDialog::start(const QStringList &arguments)
{
    if (arguments.size() < 5)
        return false;
    m_title = arguments.at(0);
    m_programFile = arguments.at(1);
    m_programFolder = arguments.at(2);
    m_downUrl = arguments.at(3);
    m_version = arguments.at(4);
    m_sha256 = arguments.value(5).trimmed().toLower();
    startDownload();
    return true;
}

void UpdateDialog::startDownload()
{
    setWindowTitle(boxTitle());
    m_url = m_downUrl;
    const QFileInfo archive(QUrl(m_url).path());
    m_archivePath = appPath(QStringLiteral("/temp/") + archive.fileName());
    m_unpackFolder = appPath(QStringLiteral("/temp/") + archive.completeBaseName());
    m_progress->setValue(0);
    m_stage = caDown;
    connect(m_downloader, &MlFileDownload::downloadProgress, this, &UpdateDialog::updateProgress);
    connect(m_downloader, &MlFileDownload::downloaded, this, &UpdateDialog::finished);
    m_status->setText(QStringLiteral("正在下载 ") + m_title + m_version);
    m_downloader->download(QUrl(m_url), m_archivePath);
}

void UpdateDialog::updateProgress(qint64 current, qint64 total)
{
    if (total <= 0)
        return;
    m_progress->setRange(0, int(total));
    m_progress->setValue(int(current));
}

bool UpdateDialog::archiveIsGenuine() const
{
    if (m_sha256.isEmpty())
        return true;
    QFile file(m_archivePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex()) == m_sha256;
}

void UpdateDialog::refuse(const QString &message)
{
    qDebug() << "UpdateDialog::refuse" << message;
    m_progress->setRange(0, 0);
    QMessageBox::warning(this, boxTitle(), message, QMessageBox::Yes);
    QTimer::singleShot(0, this, &UpdateDialog::cancel);
}

void UpdateDialog::finished(int result)
{
    if (m_cancelled)
        return;
    switch (m_stage) {
    case caDown:
        if (result != 0) {
            refuse(QStringLiteral("下载新版本失败, 错误代码[%1],").arg(result));
        } else if (!m_downloader->saved()) {
            refuse(QStringLiteral("无法保存下载的新版本到 %1,").arg(m_archivePath));
        } else if (!archiveIsGenuine()) {
            qDebug() << "UpdateDialog::finished"
                     << "sha256 mismatch" << m_archivePath;
            QFile::remove(m_archivePath);
            refuse(QStringLiteral("下载的新版本校验失败 (SHA-256 不符), 已拒绝安装,"));
        } else {
            qDebug() << "UpdateDialog::finished"
                     << "caDown";
            QTimer::singleShot(10, this, &UpdateDialog::extract);
        }
        break;
    case caUnzip:
        if (result != 0) {
            qDebug() << "UpdateDialog::finished"
                     << "caUnzip" << result << m_unzip->fileCount();
            if (m_unzip->fileCount() < 0) {
                qDebug() << "解压失败 unzip->fileCount()" << m_unzip->fileCount();
                m_status->setText(QStringLiteral("解压失败"));
                return;
            }
            m_progress->setRange(0, m_unzip->fileCount());
            install();
        } else {
            qDebug() << "解压超时";
            m_status->setText(QStringLiteral("解压失败"));
        }
        break;
    default:
        qDebug() << "caInstall" << result;
        break;
    }
}

void UpdateDialog::extract()
{
    if (m_cancelled)
        return;
    m_progress->setValue(0);
    m_stage = caUnzip;
    m_status->setText(QStringLiteral("正在解压") + m_archivePath);
    qDebug() << "UpdateDialog::extract" << QStringLiteral("正在解压") + m_archivePath;
    waitMs(10);
    connect(m_unzip, &Unzip::currentProgress, this, &UpdateDialog::updateProgress,
            Qt::UniqueConnection);
    connect(m_unzip, &Unzip::finished, this, &UpdateDialog::finished, Qt::UniqueConnection);
    if (!removeFolder(m_unpackFolder))
        qDebug() << "UpdateDialog::extract cannot empty" << m_unpackFolder;
    m_unzip->extract(m_archivePath, m_unpackFolder, unzipProgram(m_programFolder));
}

void UpdateDialog::install()
{
    m_stage = caInstall;
    m_status->setText(QStringLiteral("正在安装更新"));
    m_progress->setRange(0, 0);
    if (!m_installer->install(m_unpackFolder, m_programFolder)) {
        if (m_cancelled)
            return;
        const QString failed = m_installer->failedFile();
        qDebug() << "UpdateDialog::install failed" << failed;
        m_status->setText(QStringLiteral("安装更新失败"));
        runApp(QStringLiteral("安装更新失败, 无法复制文件 %1, 已恢复旧版本。是否继续运行旧版本?")
                   .arg(failed.isEmpty() ? m_unpackFolder : failed));
        return;
    }
    m_copied = m_installer->handledCount();
    m_progress->setRange(0, qMax(1, m_unzip->fileCount()));
    m_progress->setValue(qMax(1, m_unzip->fileCount()));
    m_status->setText(QStringLiteral("成功应用新版本"));
    qDebug() << "成功应用新版本" << m_copied;
    runApp(QStringLiteral("成功更新到") + m_version + QStringLiteral(", 是否启动新版本?"));
}

void UpdateDialog::cancel()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_downloader->cancel();
    m_unzip->cancel();
    m_installer->cancel();
    runApp(QStringLiteral("更新中止, 是否继续运行旧版本?"));
}

void UpdateDialog::runApp(const QString &info)
{
    qDebug() << "UpdateDialog::runApp" << info;
    QMessageBox box(QMessageBox::Information, boxTitle(), info, QMessageBox::Yes | QMessageBox::No,
                    this);
    if (box.exec() == QMessageBox::Yes) {
        const QString program =
            QDir::toNativeSeparators(m_programFolder + QLatin1Char('/') + m_programFile);
        QProcess::startDetached(program, QStringList(), m_programFolder);
    }
    close();
}

bool UpdateDialog::removeFolder(const QString &folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return true;
    bool ok = true;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            ok = removeFolder(entry.filePath()) && ok;
        } else {
            QFile::setPermissions(entry.filePath(),
                                  QFile::permissions(entry.filePath()) | QFile::WriteOwner);
            ok = QFile::remove(entry.filePath()) && ok;
        }
    }
    return QDir().rmdir(folder) && ok;
}
