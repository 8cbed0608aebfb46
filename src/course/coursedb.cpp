#include "course/coursedb.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

const char *const CourseDB::kCreateTable = "CREATE TABLE [TWORD] ("
                                           " \t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT,"
                                           " \t\t[word] TEXT NOT NULL ON CONFLICT FAIL,"
                                           " \t\t[phonetic] TEXT,"
                                           " \t\t[trans] TEXT NOT NULL ON CONFLICT FAIL,"
                                           " \t\t[esentence] TEXT,"
                                           " \t\t[other] TEXT);";
const char *const CourseDB::kCreateIndex = "CREATE UNIQUE INDEX [wu] ON [TWORD] ([word]);";
// In the course's own order: a plain scan reads the ids through the word index, alphabetically.
const char *const CourseDB::kSelectWordIds = "select ID from tword order by ID";

CourseDB::CourseDB(const QString &path) : m_coursePath(path)
{
    if (QFileInfo::exists(path))
        open(path, QString());
    else
        qDebug() << "CourseDB::CourseDB 课程不存在" << path;
}

CourseDB::~CourseDB()
{
    // The prepared statements must go before their connection does.
    m_insert.reset();
    m_select.reset();
}

void CourseDB::createTables()
{
    if (!isOpen()) {
        m_insert.reset();
        m_select.reset();
        open(m_coursePath, QString());
    }
    TransactionGuard transaction(*this);
    exec(QLatin1String(kCreateTable));
    exec(QLatin1String(kCreateIndex));
    transaction.commit();
}

int CourseDB::wordCount()
{
    return rexec(QStringLiteral("select count(*) from tword")).toInt();
}

bool CourseDB::hasWords()
{
    return rexec(QStringLiteral("select count(id) from tword")).toBool();
}

QList<int> CourseDB::wordIds()
{
    QList<int> ids;
    if (!isOpen()) {
        qDebug() << "CourseDB::wordIds 课程未打开" << m_coursePath;
        return ids;
    }
    QSqlQuery query(QSqlDatabase::database(connectionName(), false));
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String(kSelectWordIds))) {
        qDebug() << "CourseDB::wordIds" << m_coursePath << query.lastError().text();
        return ids;
    }
    while (query.next()) {
        bool ok = false;
        const int id = query.value(0).toInt(&ok);
        if (ok && id > 0)
            ids << id;
        else
            qDebug() << "CourseDB::wordIds 跳过无效单词id" << query.value(0).toString();
    }
    return ids;
}

bool CourseDB::insertWord(const QString &word, const QString &trans, const QString &phonetic,
                          const QString &esentence)
{
    if (!isOpen())
        return false;
    if (!m_insert) {
        auto query = std::make_unique<QSqlQuery>(*m_database);
        if (!query->prepare(QStringLiteral(
                "insert into tword(word, phonetic, trans, esentence) values(?, ?, ?, ?)"))) {
            qDebug() << "CourseDB::insertWord" << query->lastError().text();
            return false;
        }
        m_insert = std::move(query);
    }
    // A null text would be stored as NULL; the columns hold '' instead.
    auto text = [](const QString &value) {
        return value.isNull() ? QString(QLatin1String("")) : value;
    };
    m_insert->bindValue(0, text(word));
    m_insert->bindValue(1, text(phonetic));
    m_insert->bindValue(2, text(trans));
    m_insert->bindValue(3, text(esentence));
    return m_insert->exec();
}

void CourseDB::closeFile()
{
    m_insert.reset();
    m_select.reset();
    if (isOpen())
        close();
}

bool CourseDB::getWordInfoByID(WordInfo &info, int id)
{
    if (isOpen() && !m_select) {
        auto query = std::make_unique<QSqlQuery>(*m_database);
        if (query->prepare(QStringLiteral("select * from tword where id = ?")))
            m_select = std::move(query);
        else
            qDebug() << "CourseDB::getWordInfoByID" << query->lastError().text();
    }
    if (m_select) {
        m_select->bindValue(0, id);
        if (m_select->exec() && m_select->next()) {
            const QSqlRecord record = m_select->record();
            for (int i = 0; i < record.count(); ++i)
                info.insert(record.fieldName(i), record.value(i));
            m_select->finish();
            return true;
        }
        m_select->finish();
    }
    qDebug() << "CourseDB::getWordInfoByID失败"
             << QStringLiteral("路径[%1], 单词id[%2]").arg(m_coursePath).arg(id);
    return false;
}
