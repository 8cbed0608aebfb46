#include "coursefilebuilder.h"

#include "course/coursedb.h"
#include "dbfilebuilder.h"

#include <QFile>
#include <QSqlDatabase>

namespace {

// CourseDB with the batch held in one transaction: a thousand single commits would
// each wait for the disk.
class BatchCourseDB : public CourseDB
{
public:
    using CourseDB::CourseDB;
    bool begin() { return m_database && m_database->transaction(); }
    bool commit() { return m_database && m_database->commit(); }
};

} // namespace

bool CourseFileBuilder::build(const QString &path, const QList<CourseWord> &words)
{
    m_error.clear();
    if (!DBFileBuilder::removeOldFile(path, &m_error))
        return false;
    // An empty file first, so that CourseDB opens it instead of logging a missing course.
    QFile empty(path);
    if (!empty.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("%1: cannot be created: %2").arg(path, empty.errorString());
        return false;
    }
    empty.close();
    BatchCourseDB db(path);
    db.createTables();
    if (!db.isOpen()) {
        m_error = QStringLiteral("%1: cannot be created").arg(path);
        return false;
    }
    db.begin();
    for (const CourseWord &w : words) {
        if (!db.insertWord(w.word, w.trans, w.phonetic, w.esentence)) {
            m_error = QStringLiteral("%1: word \"%2\" (line %3) was not stored")
                          .arg(path, w.word)
                          .arg(w.line);
            return false;
        }
    }
    if (!db.commit()) {
        m_error = QStringLiteral("%1: the words could not be committed").arg(path);
        return false;
    }
    const int stored = db.wordCount();
    if (stored != words.size()) {
        m_error = QStringLiteral("%1: %2 words stored instead of %3")
                      .arg(path)
                      .arg(stored)
                      .arg(words.size());
        return false;
    }
    return true;
}
