#include "learn/learncoursedbmemory.h"

#include "app/clock.h"

#include <QDebug>
#include <QSqlError>

const char *const LearnCourseDBMemory::kCreateDueIndex =
    "CREATE INDEX if not exists [TSW Due] ON [TSTUDYWORD] ([Fp], [LastTime]) WHERE STATE = 1";
const char *const LearnCourseDBMemory::kCreateDueAtIndex =
    "CREATE INDEX if not exists [TSW Due At] ON [TSTUDYWORD] ([Fp], julianday([LastTime])) "
    "WHERE STATE = 1";
const char *const LearnCourseDBMemory::kCreateNewIndex =
    "CREATE INDEX if not exists [TSW New] ON [TSTUDYWORD] ([STATE]) WHERE STATE = 0";
const char *const LearnCourseDBMemory::kFirstFp = "SELECT min(fp) FROM tstudyword WHERE state = 1";
const char *const LearnCourseDBMemory::kNextFp =
    "SELECT fp FROM tstudyword WHERE state = 1 AND fp > ? ORDER BY fp LIMIT 1";
const char *const LearnCourseDBMemory::kGroupHasDueWord =
    "SELECT (julianday(?) - julianday(lasttime)) * 86400.0 > fp FROM "
    "tstudyword WHERE state = 1 AND fp = ? AND julianday(lasttime) IS NOT NULL ORDER BY "
    "julianday(lasttime) LIMIT 1";
const char *const LearnCourseDBMemory::kDueWordOfGroup =
    "SELECT wid FROM tstudyword WHERE (julianday(?) - julianday(lasttime)) * "
    "86400.0 > fp AND state = 1 AND fp = ? ORDER BY lasttime LIMIT 1";

LearnCourseDBMemory::LearnCourseDBMemory(const QString &connectionName)
{
    if (!open(QStringLiteral(":memory:"), connectionName))
        qDebug() << "LearnCourseDBMemory::LearnCourseDBMemory 无法打开内存数据库" << connectionName;
    createTables();
}

LearnCourseDBMemory::~LearnCourseDBMemory() = default;

int LearnCourseDBMemory::copyFrom(LearnCourseDBBase &source)
{
    const int copied = copyStudyWordsFrom(source);
    // Built after the bulk insert: one sort instead of 20,000 index updates.
    exec(QLatin1String(kCreateDueIndex));
    exec(QLatin1String(kCreateDueAtIndex));
    exec(QLatin1String(kCreateNewIndex));
    return copied;
}

bool LearnCourseDBMemory::prepareDrawQueries()
{
    if (m_firstFp)
        return true;
    if (!m_database || !m_database->isOpen())
        return false;
    auto prepared = [this](const char *sql) {
        auto query = std::make_unique<QSqlQuery>(*m_database);
        if (!query->prepare(QLatin1String(sql))) {
            qDebug() << "LearnCourseDBMemory::nextDueWord" << sql << query->lastError().text();
            query.reset();
        }
        return query;
    };
    m_firstFp = prepared(kFirstFp);
    m_probe = prepared(kGroupHasDueWord);
    m_pick = prepared(kDueWordOfGroup);
    m_nextFp = prepared(kNextFp);
    if (m_firstFp && m_probe && m_pick && m_nextFp)
        return true;
    m_firstFp.reset();
    return false;
}

int LearnCourseDBMemory::nextDueWord()
{
    if (!prepareDrawQueries())
        return LearnCourseDBBase::nextDueWord();
    if (!m_firstFp->exec())
        return LearnCourseDBBase::nextDueWord();
    const QString now = Clock::nowText();
    const bool any = m_firstFp->next() && !m_firstFp->value(0).isNull();
    QVariant fp = any ? m_firstFp->value(0) : QVariant();
    m_firstFp->finish();
    for (int groups = 0; any && groups < kMaxFpGroups; ++groups) {
        m_probe->bindValue(0, now);
        m_probe->bindValue(1, fp);
        if (!m_probe->exec())
            return LearnCourseDBBase::nextDueWord();
        const bool groupDue = m_probe->next() && m_probe->value(0).toInt() == 1;
        m_probe->finish();
        if (groupDue) {
            m_pick->bindValue(0, now);
            m_pick->bindValue(1, fp);
            if (!m_pick->exec())
                return LearnCourseDBBase::nextDueWord();
            const int wid = m_pick->next() ? m_pick->value(0).toInt() : 0;
            m_pick->finish();
            if (wid != 0)
                return wid;
        }
        m_nextFp->bindValue(0, fp);
        if (!m_nextFp->exec())
            return LearnCourseDBBase::nextDueWord();
        const bool more = m_nextFp->next();
        fp = more ? m_nextFp->value(0) : QVariant();
        m_nextFp->finish();
        if (!more)
            return 0;
    }
    return any ? LearnCourseDBBase::nextDueWord() : 0;
}
