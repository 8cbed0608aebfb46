#pragma once

#include "app/psqlite.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSqlQuery;

// The example-sentence dictionary "/odata/fullword.db", read only.
class FullWordDB : public psqlite
{
public:
    // The file's schema, written by the data builder.
    static const char *const kCreateTable;
    static const char *const kCreateIndex;

    FullWordDB();
    ~FullWordDB() override;
    // The example sentence of word (plain text), or the empty string. The look-up
    // statement is prepared once and reused, so an import's thousands of look-ups stay cheap.
    QString getESentence(const QString &word);
    // The example sentences of words, in the same order: for each word exactly what
    // getESentence returns. Up to kBatchSize words cost one statement (prepared once), so
    // an import looks its words up a hundred at a time.
    QStringList getESentences(const QStringList &words);

    static const int kBatchSize = 100;

    // A batch of look-ups: between the two calls the file is locked for reading once
    // instead of once per look-up (several times faster for an import's thousands).
    void beginLookups();
    void endLookups();

private:
    std::unique_ptr<QSqlQuery> m_lookup;
    std::unique_ptr<QSqlQuery> m_batchLookup;
    bool m_inBatch = false;
};

// The process-wide example-sentence dictionary. Created by main at start-up (and by the test
// fixtures) and deleted at exit; read by the word-book import. Null before start-up and
// after exit.
extern FullWordDB *g_pFullWordDB;
