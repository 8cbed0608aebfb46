#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class SqliteFile;

// Builders for the files the course library reads: catalogues, course word files and
// learning records, written straight with SQL so that tests control every value.

// A catalogue file with TCategory and TCourse as installed with the program (the file
// catalogues carry id and exist beside the shared columns).
class CatalogueFixture
{
public:
    // path: full path of the file; it is created (with its folder) if missing.
    explicit CatalogueFixture(const QString &path);
    ~CatalogueFixture();

    // Adds a category; id 0 lets the table choose. Returns the category id.
    int addCategory(int pid, const QString &name, int coursecount = 0, int id = 0);
    // Adds a course row. Returns its row id.
    int addCourse(int mid, int cttype, int cid, const QString &name, int wcount, bool exist);

    bool isValid() const { return m_ok; }
    QString connectionName() const;

private:
    std::unique_ptr<SqliteFile> m_file;
    bool m_ok = false;
};

// Writes a course word file with the given words ("word|trans" or plain words); returns
// whether it worked. An empty list gives a course without words.
bool writeCourseFile(const QString &path, const QStringList &words);
// Words "w1", "w2", ... "wN".
QStringList numberedWords(int count, const QString &prefix = QStringLiteral("w"));

// One TSTUDYWORD row of a learning record.
struct RecordWord
{
    int wid = 0;
    int state = 0;
    int dlevel = 0;
    int step = 0;
    int times = 0;
    int fp = 0;
    QString lastTime;
};

// Writes a learning record file with the four tables and the given word rows; a
// non-empty forgettingPoints text is stored as the course's "forgottenPoint" setting.
bool writeLearnRecord(const QString &path, const QList<RecordWord> &words,
                      const QString &forgettingPoints = QString());
// count new words with ids 1..count.
QList<RecordWord> newWords(int count);
