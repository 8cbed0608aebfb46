#pragma once

#include "app/psqlite.h"
#include "course/wordinfo.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class QSqlQuery;

// One course's word file: table TWORD with one row per English word.
// Words are passed as plain text: quotes need no doubling, they are bound values.
class CourseDB : public psqlite
{
public:
    // One word as insertWords stores it.
    struct Word
    {
        QString word;
        QString trans;
        QString phonetic;
        QString esentence;
    };

    // Most words one multi-row insert or one look-up of wordsAmong handles.
    static const int kBatchSize = 100;

    static const char *const kCreateTable;
    static const char *const kCreateIndex;
    static const char *const kSelectWordIds;

    // path: full native path of the course file. An existing file is opened; a missing
    // one is only logged, and the object can still create it with createTables.
    explicit CourseDB(const QString &path);
    ~CourseDB() override;

    QString path() const { return m_coursePath; }
    // Creates the file with TWORD and its unique index on word.
    void createTables();
    // As createTables, but the transaction that creates the tables stays open: the
    // caller's commit stores the tables and its words with one write to disk, a rollback
    // leaves an empty file. False (nothing open) when the tables could not be created.
    bool beginWithTables();
    int wordCount();
    bool hasWords();
    // The word ids in the course's own order (ascending id); ids that are not positive are
    // skipped with a log line. Empty when the file is not open.
    QList<int> wordIds();
    // Stores one word; a word already in the course is skipped (the first one wins).
    // The statement is prepared on first use and kept, so a batch of inserts inside one
    // transaction costs one prepare.
    bool insertWord(const QString &word, const QString &trans, const QString &phonetic,
                    const QString &esentence);
    // Stores the words in order, exactly as insertWord would one by one: rows, ids and the
    // skipped words (already in the course, or earlier in the list) are the same. Up to
    // kBatchSize words go in as one statement; a statement that hits a word already
    // there changes nothing, and its words are then stored one by one.
    void insertWords(const QList<Word> &words);
    // The words of the list that the course already has (at most kBatchSize words a
    // statement).
    QSet<QString> wordsAmong(const QStringList &words);
    // Fills info with the row's columns (existing keys overwritten); false if no such id.
    bool getWordInfoByID(WordInfo &info, int id);

    // Closes the file (a later createTables opens it again).
    void closeFile();

private:
    // Opens the file (creating it) unless it is open.
    void openForCreate();
    void resetStatements();
    // The multi-row insert of count words, prepared on first use.
    QSqlQuery *batchInsert(int count);

    QString m_coursePath;
    std::unique_ptr<QSqlQuery> m_insert;
    std::map<int, std::unique_ptr<QSqlQuery>> m_batchInserts;
    std::unique_ptr<QSqlQuery> m_wordsAmong;
    // The word look-up of the drill, prepared once per connection.
    std::unique_ptr<QSqlQuery> m_select;
};
