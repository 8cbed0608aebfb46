#pragma once

#include "learn/studywordrow.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class SqliteFile;

// Builders for the files the course library reads: catalogues, course word files and
// learning records, made with the product's own schemas so that tests control every value.

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

// Writes a learning record file with the four tables and the given word rows; a
// non-empty forgettingPoints text is stored as the course's "forgottenPoint" setting.
bool writeLearnRecord(const QString &path, const QList<StudyWordRow> &words,
                      const QString &forgettingPoints = QString());
// count new words with ids 1..count.
QList<StudyWordRow> newWords(int count);
