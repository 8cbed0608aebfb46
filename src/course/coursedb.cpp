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

namespace {

// A null text would be stored as NULL; the columns hold '' instead.
QString columnText(const QString &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

} // namespace

CourseDB::~CourseDB()
{
    resetStatements();
}

void CourseDB::resetStatements()
{
    // The prepared statements must go before their connection does.
    m_insert.reset();
    m_batchInserts.clear();
    m_wordsAmong.reset();
    m_select.reset();
}

void CourseDB::createTables()
{
    openForCreate();
    TransactionGuard transaction(*this);
    exec(QLatin1String(kCreateTable));
    exec(QLatin1String(kCreateIndex));
    transaction.commit();
}

void CourseDB::openForCreate()
{
    if (!isOpen()) {
        resetStatements();
        open(m_coursePath, QString());
    }
}

bool CourseDB::beginWithTables()
{
    openForCreate();
    if (!transaction())
        return false;
    if (exec(QLatin1String(kCreateTable)) && exec(QLatin1String(kCreateIndex)))
        return true;
    rollback();
    return false;
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
    m_insert->bindValue(0, columnText(word));
    m_insert->bindValue(1, columnText(phonetic));
    m_insert->bindValue(2, columnText(trans));
    m_insert->bindValue(3, columnText(esentence));
    return m_insert->exec();
}

QSqlQuery *CourseDB::batchInsert(int count)
{
    std::unique_ptr<QSqlQuery> &query = m_batchInserts[count];
    if (!query) {
        QString sql = QStringLiteral("insert into tword(word, phonetic, trans, esentence) values");
        for (int k = 0; k < count; ++k)
            sql += k ? QLatin1String(", (?, ?, ?, ?)") : QLatin1String("(?, ?, ?, ?)");
        auto prepared = std::make_unique<QSqlQuery>(*m_database);
        if (!prepared->prepare(sql)) {
            qDebug() << "CourseDB::insertWords" << prepared->lastError().text();
            m_batchInserts.erase(count);
            return nullptr;
        }
        query = std::move(prepared);
    }
    return query.get();
}

void CourseDB::insertWords(const QList<Word> &words)
{
    if (!isOpen())
        return;
    for (qsizetype from = 0; from < words.size(); from += kBatchSize) {
        const int count = int(qMin<qsizetype>(kBatchSize, words.size() - from));
        // A single word gains nothing from the multi-row statement.
        QSqlQuery *query = count > 1 ? batchInsert(count) : nullptr;
        if (query) {
            for (int k = 0; k < count; ++k) {
                const Word &w = words.at(from + k);
                query->bindValue(4 * k, columnText(w.word));
                query->bindValue(4 * k + 1, columnText(w.phonetic));
                query->bindValue(4 * k + 2, columnText(w.trans));
                query->bindValue(4 * k + 3, columnText(w.esentence));
            }
            // The unique index aborts the whole statement on a word already stored, and
            // the statement's rows are undone; one by one, each such word is skipped.
            if (query->exec())
                continue;
        }
        for (int k = 0; k < count; ++k) {
            const Word &w = words.at(from + k);
            insertWord(w.word, w.trans, w.phonetic, w.esentence);
        }
    }
}

QSet<QString> CourseDB::wordsAmong(const QStringList &words)
{
    QSet<QString> known;
    if (!isOpen())
        return known;
    if (!m_wordsAmong) {
        QString sql = QStringLiteral("select word from tword where word in (");
        for (int k = 0; k < kBatchSize; ++k)
            sql += k ? QLatin1String(", ?") : QLatin1String("?");
        sql += QLatin1Char(')');
        auto query = std::make_unique<QSqlQuery>(*m_database);
        query->setForwardOnly(true);
        if (!query->prepare(sql)) {
            qDebug() << "CourseDB::wordsAmong" << query->lastError().text();
            return known;
        }
        m_wordsAmong = std::move(query);
    }
    for (qsizetype from = 0; from < words.size(); from += kBatchSize) {
        const qsizetype count = qMin<qsizetype>(kBatchSize, words.size() - from);
        // Unused places hold NULL, which equals no word.
        for (int k = 0; k < kBatchSize; ++k)
            m_wordsAmong->bindValue(k, k < count ? QVariant(words.at(from + k)) : QVariant());
        if (!m_wordsAmong->exec()) {
            qDebug() << "CourseDB::wordsAmong" << m_wordsAmong->lastError().text();
            continue;
        }
        while (m_wordsAmong->next())
            known.insert(m_wordsAmong->value(0).toString());
        m_wordsAmong->finish();
    }
    return known;
}

void CourseDB::closeFile()
{
    resetStatements();
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
