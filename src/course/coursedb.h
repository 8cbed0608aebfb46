#pragma once

#include "app/psqlite.h"
#include "course/wordinfo.h"

#include <QList>
#include <QString>

#include <memory>

class QSqlQuery;

// One course's word file: table TWORD with one row per English word.
// Words are passed as plain text: quotes need no doubling, they are bound values.
class CourseDB : public psqlite
{
public:
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
    // Fills info with the row's columns (existing keys overwritten); false if no such id.
    bool getWordInfoByID(WordInfo &info, int id);

    // Closes the file (a later createTables opens it again).
    void closeFile();

private:
    QString m_coursePath;
    std::unique_ptr<QSqlQuery> m_insert;
    // The word look-up of the drill, prepared once per connection.
    std::unique_ptr<QSqlQuery> m_select;
};
