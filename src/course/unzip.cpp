#include "course/unzip.h"

#include "app/apppath.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Header (3 lines), footer (2 lines) and the empty part after the last line feed.
const int kListingFrame = 6;

// The entry names of an Info-ZIP listing: the lines between the two dashed rules, from
// the column where the header's "Name" begins.
QStringList entryNames(const QString &listing)
{
    const QStringList lines = listing.split(QLatin1Char('\n'));
    QStringList names;
    int nameColumn = -1;
    bool inEntries = false;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (nameColumn < 0) {
            nameColumn = line.indexOf(QLatin1String("Name"));
            if (nameColumn >= 0 && !line.contains(QLatin1String("Length")))
                nameColumn = -1;
            continue;
        }
        if (line.startsWith(QLatin1String("---------"))) {
            if (inEntries)
                break;
            inEntries = true;
            continue;
        }
        if (inEntries)
            names << line.mid(nameColumn);
    }
    return names;
}

bool leavesFolder(const QString &entry)
{
    if (entry.startsWith(QLatin1Char('/')) || entry.startsWith(QLatin1Char('\\')) ||
        (entry.size() > 1 && entry.at(1) == QLatin1Char(':')))
        return true;
    const QStringList parts = entry.split(QRegularExpression(QStringLiteral("[/\\\\]")));
    return parts.contains(QLatin1String(".."));
}

} // namespace

Unzip::Unzip(QObject *parent) : QObject(parent) {}

Unzip::~Unzip()
{
    delete m_list;
    delete m_extract;
}

QString Unzip::defaultProgram()
{
    const QString own = appPath(QStringLiteral("/unzip"));
    if (QFileInfo(own).isExecutable())
        return own;
    return QStandardPaths::findExecutable(QStringLiteral("unzip"));
}

void Unzip::setTimeouts(int listMs, int extractMs)
{
    m_listTimeoutMs = listMs;
    m_extractTimeoutMs = extractMs;
}

bool Unzip::waitFor(QProcess *process, int ms)
{
    if (process->state() == QProcess::NotRunning)
        return !m_cancelled && process->error() != QProcess::FailedToStart;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    timer.start(ms);
    if (process->state() != QProcess::NotRunning)
        loop.exec();
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(1000);
        return false;
    }
    return !m_cancelled && process->exitStatus() == QProcess::NormalExit;
}

int Unzip::countFiles(const QString &archive, const QString &program)
{
    delete m_list;
    m_list = new QProcess;
    m_list->start(program, {QStringLiteral("-l"), archive});
    const bool ended = waitFor(m_list, m_listTimeoutMs);
    const QString output = QString::fromLocal8Bit(m_list->readAllStandardOutput());
    m_listOk = ended && m_list->exitCode() == 0;
    m_entries = entryNames(output);
    m_fileCount = int(output.split(QLatin1Char('\n')).size()) - kListingFrame;
    if (!m_listOk)
        qDebug() << "Unzip::countFiles 列表失败" << archive << m_list->errorString()
                 << QString::fromLocal8Bit(m_list->readAllStandardError()).trimmed();
    return m_fileCount;
}

bool Unzip::entriesAreSafe() const
{
    for (const QString &entry : m_entries) {
        if (leavesFolder(entry)) {
            qDebug() << "Unzip::extract 拒绝越出目标目录的文件" << entry;
            return false;
        }
    }
    return true;
}

bool Unzip::finish(bool ok)
{
    emit finished(ok ? 1 : 0);
    return ok;
}

bool Unzip::extract(const QString &archive, const QString &folder, const QString &program)
{
    m_cancelled = false;
    if (m_fileCount == -1)
        countFiles(archive, program);
    m_current = 0;
    qDebug() << "Unzip::extract" << archive << folder << program;
    if (m_cancelled || !m_listOk || !entriesAreSafe())
        return finish(false);

    ensureAppDir(QStringLiteral("/temp"));
    QTemporaryDir staging(appPath(QStringLiteral("/temp/unzip-XXXXXX")));
    if (!staging.isValid()) {
        qDebug() << "Unzip::extract 无法创建临时目录" << staging.errorString();
        return finish(false);
    }

    delete m_extract;
    m_extract = new QProcess(this);
    connect(m_extract, &QProcess::readyReadStandardOutput, this, &Unzip::readyReadStandardOutput);
    m_extract->start(program, {QStringLiteral("-x"), QStringLiteral("-n"), archive,
                               QStringLiteral("-d"), staging.path()});
    qDebug() << "unzip output" << QString::fromLocal8Bit(m_extract->readAllStandardOutput());
    const bool ended = waitFor(m_extract, m_extractTimeoutMs);
    // Whatever is still unread belongs to the progress too.
    if (m_extract->bytesAvailable() > 0)
        readyReadStandardOutput();
    qDebug() << "run state" << m_extract->state() << "run error" << m_extract->errorString()
             << "exit status" << m_extract->exitStatus() << m_extract->exitCode();
    disconnect(m_extract, &QProcess::readyReadStandardOutput, this,
               &Unzip::readyReadStandardOutput);
    const bool extracted = ended && m_extract->exitCode() == 0;
    if (!extracted)
        qDebug() << "Unzip::extract 解压失败" << archive
                 << QString::fromLocal8Bit(m_extract->readAllStandardError()).trimmed();
    return finish(extracted && moveFiles(staging.path(), folder));
}

bool Unzip::moveFiles(const QString &from, const QString &to)
{
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    bool ok = true;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        if (QFileInfo::exists(target)) {
            qDebug() << "Unzip::extract 文件已存在，不覆盖" << target;
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::rename(path, target)) {
            qDebug() << "Unzip::extract 无法移动" << path << target;
            ok = false;
        }
    }
    return ok;
}

void Unzip::readyReadStandardOutput()
{
    if (!m_extract)
        return;
    const QString text = QString::fromLocal8Bit(m_extract->readAllStandardOutput());
    const int count = int(text.count(QLatin1String("ing:")));
    m_current += count;
    waitMs(1);
    emit currentProgress(m_current, m_fileCount);
}

void Unzip::cancel()
{
    m_cancelled = true;
    if (m_list)
        m_list->kill();
    if (m_extract)
        m_extract->kill();
}
