#include "course/fullworddb.h"

#include "app/apppath.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

const char *const FullWordDB::kCreateTable = "CREATE TABLE [TWORD] ("
                                             " \t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT,"
                                             " \t\t[word] TEXT NOT NULL,"
                                             " \t\t[esentence] TEXT);";
const char *const FullWordDB::kCreateIndex = "CREATE UNIQUE INDEX [wu] ON [TWORD] ([word]);";

FullWordDB *g_pFullWordDB = nullptr;

FullWordDB::FullWordDB()
{
    const QString path = appPath(QStringLiteral("/odata/fullword.db"));
    // Installation data is never written: a missing file stays missing and every
    // look-up then yields no sentence.
    if (!QFileInfo::exists(path)) {
        qDebug() << "打开数据库" << path << "失败"
                 << "文件不存在";
        return;
    }
    setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    open(path, QString());
}

FullWordDB::~FullWordDB()
{
    // The prepared statement must go before its connection does.
    m_lookup.reset();
}

QString FullWordDB::getESentence(const QString &word)
{
    if (!isOpen())
        return QString();
    if (!m_lookup) {
        auto query = std::make_unique<QSqlQuery>(*m_database);
        if (!query->prepare(QStringLiteral("select esentence from TWORD where word = ?"))) {
            qDebug() << "psqlite::rexec 1" << query->lastError().text();
            return QString();
        }
        m_lookup = std::move(query);
    }
    m_lookup->bindValue(0, word);
    QString sentence;
    if (!m_lookup->exec())
        qDebug() << "psqlite::rexec 1" << m_lookup->lastError().text();
    else if (m_lookup->next())
        sentence = m_lookup->value(0).toString();
    m_lookup->finish();
    return sentence;
}

void FullWordDB::beginLookups()
{
    if (isOpen() && !m_inBatch)
        m_inBatch = m_database->transaction();
}

void FullWordDB::endLookups()
{
    if (!m_inBatch)
        return;
    if (m_lookup)
        m_lookup->finish();
    m_database->commit();
    m_inBatch = false;
}
