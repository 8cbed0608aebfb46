#include "learnerroot.h"
#include "learn/learningrecordreader.h"

#include "app/settings.h"
#include "app/startup.h"
#include "course/coursecategorymgr.h"
#include "learn/learnmgr.h"
#include "processobjects.h"
#include "user/usermgr.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

LearnerRoot::~LearnerRoot()
{
    if (m_globals)
        ProcessObjects::destroy();
}

bool LearnerRoot::setUp(bool logIn)
{
    if (!m_root.stageInstallData(QStringLiteral("odata")) ||
        !m_root.stageInstallData(QStringLiteral("images")))
        return false;
    QDir().mkpath(m_root.filePath(QStringLiteral("/udata")));
    ProcessObjects::create();
    m_globals = true;
    if (logIn) {
        GlobalSettings::setValue(g_pSettings, QStringLiteral("Common/AutoUpdate"), false);
        GlobalSettings::setValue(g_pSettings, QStringLiteral("Common/SendStatistics"), false);
        g_pUserMgr->logInSystemUser(QStringLiteral("alice"));
    }
    return true;
}

int LearnerRoot::courseId(const QString &name)
{
    QSqlQuery query(QSqlDatabase::database(QLatin1String(CourseCategoryMgr::kConnectionName)));
    query.prepare(QStringLiteral("select id from TTableCourseInfo where name = ? limit 1"));
    query.addBindValue(name);
    return query.exec() && query.next() ? query.value(0).toInt() : 0;
}

QString LearnerRoot::studyOnce(const QString &name)
{
    CourseCategoryMgr tree(QStringLiteral("alice"), readLearningRecord);
    const int id = courseId(name);
    if (id <= 0)
        return QString();
    {
        LearnMgr session(QStringLiteral("alice"), id, &tree);
        if (session.nextWord() <= 0)
            return QString();
    }
    return tree.learningRecordPath(id);
}
