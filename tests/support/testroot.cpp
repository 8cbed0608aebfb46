#include "testroot.h"

#include <QDir>
#include <QFile>

TestRoot::TestRoot()
    : m_previousRoot(qgetenv("MEMORA_ROOT")),
      m_hadPreviousRoot(qEnvironmentVariableIsSet("MEMORA_ROOT"))
{
    qputenv("MEMORA_ROOT", m_dir.path().toUtf8());
}

TestRoot::~TestRoot()
{
    if (m_hadPreviousRoot)
        qputenv("MEMORA_ROOT", m_previousRoot);
    else
        qunsetenv("MEMORA_ROOT");
}

QString TestRoot::filePath(const QString &relative) const
{
    return m_dir.path() + relative;
}

bool TestRoot::stageInstallData(const QString &folder)
{
    const QString source = buildBinDir() + QLatin1Char('/') + folder;
    if (!QFileInfo::exists(source))
        return false;
    return QFile::link(source, m_dir.path() + QLatin1Char('/') + folder);
}

QString TestRoot::buildBinDir()
{
    const QString fromEnv = qEnvironmentVariable("MEMORA_BIN_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(MEMORA_BUILD_BIN_DIR) : fromEnv;
}

QString TestRoot::sourceDir()
{
    return QStringLiteral(MEMORA_SOURCE_DIR);
}
