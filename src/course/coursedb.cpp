#include "course/coursedb.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

const char *const CourseDB::kCreateTable =
    "CREATE TABLE [TWORD] ( \t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT, \t\t[word] TEXT NOT NULL "
    "ON CONFLICT FAIL, \t\t[phonetic] TEXT, \t\t[trans] TEXT NOT NULL ON CONFLICT FAIL, "
    "\t\t[esentence] TEXT, \t\t[other] TEXT);";
const char *const CourseDB::kCreateIndex = "CREATE UNIQUE INDEX [wu] ON [TWORD] ([word]);";

CourseDB::CourseDB(const QString &path) : m_coursePath(path)
{
    if (QFileInfo::exists(path))
        open(path, QString());
    else
        qDebug() << "CourseDB::CourseDB 课程不存在" << path;
}

CourseDB::~CourseDB() = default;

void CourseDB::createTables()
{
    if (!isOpen())
        open(m_coursePath, QString());
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

bool CourseDB::insertWord(const QString &word, const QString &trans, const QString &phonetic,
                          const QString &esentence)
{
    bool ok = false;
    runBound(
        QStringLiteral("insert into tword(word, phonetic, trans, esentence) values(?, ?, ?, ?)"),
        {word, phonetic, trans, esentence}, &ok);
    return ok;
}

bool CourseDB::getWordInfoByID(WordInfo &info, int id)
{
    bool ok = false;
    QSqlQuery query = runBound(QStringLiteral("select * from tword where id = ?"), {id}, &ok);
    if (ok && query.next()) {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            info.insert(record.fieldName(i), record.value(i));
        return true;
    }
    qDebug() << "CourseDB::getWordInfoByID失败"
             << QStringLiteral("路径[%1], 单词id[%2]").arg(m_coursePath).arg(id);
    return false;
}
