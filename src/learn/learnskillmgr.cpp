#include "learn/learnskillmgr.h"

#include "app/apppath.h"

#include <QDebug>
#include <QFileInfo>
#include <QRandomGenerator>

const char *const LearnSkillMgr::kCreateTable = "CREATE TABLE [TSkill] ("
                                                "[id] INTEGER PRIMARY KEY,"
                                                " [info] TEXT NOT NULL);";
const char *const LearnSkillMgr::kCountTips = "select count(id) from TSkill";
const char *const LearnSkillMgr::kTip = "select info from TSkill where id = %1";

LearnSkillMgr::LearnSkillMgr(const QString &path) : m_count(0), m_current(0)
{
    const QString file = path.isEmpty() ? appPath(QStringLiteral("/odata/learnskill.db")) : path;
    if (!QFileInfo(file).isFile()) {
        qDebug() << "LearnSkillMgr::LearnSkillMgr 学习技巧库不存在" << file;
        return;
    }
    setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!open(file, QString()))
        return;
    m_count = qMax(0, rexec(QLatin1String(kCountTips)).toInt());
    if (m_count > 0)
        m_current = int(QRandomGenerator::global()->bounded(m_count)) + 1;
}

LearnSkillMgr::~LearnSkillMgr() = default;

QString LearnSkillMgr::tip(int id)
{
    if (m_count <= 0 || !isOpen())
        return QString();
    return rexec(QString::fromLatin1(kTip).arg(id)).toString();
}

QString LearnSkillMgr::currentTip()
{
    return tip(m_current);
}

QString LearnSkillMgr::nextTip()
{
    if (m_count <= 0)
        return QString();
    m_current = m_current >= m_count ? 1 : m_current + 1;
    return tip(m_current);
}

QString LearnSkillMgr::previousTip()
{
    if (m_count <= 0)
        return QString();
    m_current = m_current <= 1 ? m_count : m_current - 1;
    return tip(m_current);
}
