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
    // The prepared statements must go before their connection does.
    m_lookup.reset();
    m_batchLookup.reset();
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

QStringList FullWordDB::getESentences(const QStringList &words)
{
    QStringList sentences;
    sentences.reserve(words.size());
    for (qsizetype i = 0; i < words.size(); ++i)
        sentences << QString();
    if (!isOpen())
        return sentences;
    if (!m_batchLookup) {
        // The words are the rows of a numbered VALUES list joined on TWORD: the index of
        // word finds each one, the number says which word a row belongs to, and the
        // comparison uses the word column's own collation, as the single look-up does.
        QString sql = QStringLiteral("select v.column1, t.esentence from (values ");
        for (int k = 0; k < kBatchSize; ++k)
            sql += QStringLiteral("%1(%2, ?)").arg(k ? QStringLiteral(", ") : QString()).arg(k);
        sql += QStringLiteral(") as v join TWORD as t on t.word = v.column2");
        auto query = std::make_unique<QSqlQuery>(*m_database);
        query->setForwardOnly(true);
        if (!query->prepare(sql)) {
            qDebug() << "FullWordDB::getESentences" << query->lastError().text();
            return sentences;
        }
        m_batchLookup = std::move(query);
    }
    QList<bool> found(words.size(), false);
    for (qsizetype from = 0; from < words.size(); from += kBatchSize) {
        const qsizetype count = qMin<qsizetype>(kBatchSize, words.size() - from);
        // Unused places hold NULL, which equals no word.
        for (int k = 0; k < kBatchSize; ++k)
            m_batchLookup->bindValue(k, k < count ? QVariant(words.at(from + k)) : QVariant());
        if (!m_batchLookup->exec()) {
            qDebug() << "FullWordDB::getESentences" << m_batchLookup->lastError().text();
            continue;
        }
        // The first row of a word is the one the single look-up returns.
        while (m_batchLookup->next()) {
            const qsizetype at = from + m_batchLookup->value(0).toInt();
            if (at >= from && at < from + count && !found.at(at)) {
                found[at] = true;
                sentences[at] = m_batchLookup->value(1).toString();
            }
        }
        m_batchLookup->finish();
    }
    return sentences;
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
    if (m_batchLookup)
        m_batchLookup->finish();
    m_database->commit();
    m_inBatch = false;
}
