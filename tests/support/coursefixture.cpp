#include "coursefixture.h"

#include "course/coursedb.h"
#include "course/ucategorycoursedb.h"
#include "learn/learncoursedbbase.h"
#include "sqlitefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

namespace {

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values = {})
{
    if (!query.prepare(sql)) {
        qWarning() << "fixture prepare failed" << sql << query.lastError().text();
        return false;
    }
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec()) {
        qWarning() << "fixture exec failed" << sql << query.lastError().text();
        return false;
    }
    return true;
}

// Runs body on a fresh connection to path and removes the connection afterwards.
template <typename Body> bool withDatabase(const QString &path, Body body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    SqliteFile file(path);
    QSqlDatabase db = file.database();
    if (!db.isOpen())
        return false;
    db.transaction();
    const bool ok = body(db);
    return db.commit() && ok;
}

} // namespace

CatalogueFixture::CatalogueFixture(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_file = std::make_unique<SqliteFile>(path);
    QSqlDatabase db = m_file->database();
    if (!db.isOpen())
        return;
    QSqlQuery q(db);
    // An existing catalogue (an installed one) is added to as it is.
    const QStringList tables = db.tables();
    m_ok = (tables.contains(QStringLiteral("TCategory")) ||
            run(q, QString::fromUtf8(UCategoryCourseDB::kCreateCategoryTable))) &&
           (tables.contains(QStringLiteral("TCourse")) ||
            run(q, QString::fromUtf8(UCategoryCourseDB::kCreateCourseTable)));
}

CatalogueFixture::~CatalogueFixture() = default;

QString CatalogueFixture::connectionName() const
{
    return m_file->name();
}

int CatalogueFixture::addCategory(int pid, const QString &name, int coursecount, int id)
{
    QSqlQuery q(m_file->database());
    const bool ok =
        id > 0 ? run(q,
                     QStringLiteral("insert into TCategory(id, pid, name, coursecount) values(?, "
                                    "?, ?, ?)"),
                     {id, pid, name, coursecount})
               : run(q,
                     QStringLiteral("insert into TCategory(pid, name, coursecount) values(?, "
                                    "?, ?)"),
                     {pid, name, coursecount});
    return ok ? q.lastInsertId().toInt() : 0;
}

int CatalogueFixture::addCourse(int mid, int cttype, int cid, const QString &name, int wcount,
                                bool exist)
{
    QSqlQuery q(m_file->database());
    const bool ok = run(q,
                        QStringLiteral("insert into TCourse(mid, cttype, cid, name, wcount, exist) "
                                       "values(?, ?, ?, ?, ?, ?)"),
                        {mid, cttype, cid, name, wcount, exist ? 1 : 0});
    return ok ? q.lastInsertId().toInt() : 0;
}

bool writeCourseFile(const QString &path, const QStringList &words)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    CourseDB course(path);
    course.createTables();
    TransactionGuard transaction(course);
    bool ok = course.isOpen();
    for (const QString &entry : words) {
        const QString word = entry.section(QLatin1Char('|'), 0, 0);
        QString trans = entry.section(QLatin1Char('|'), 1);
        if (trans.isEmpty())
            trans = QStringLiteral("释义 %1").arg(word);
        ok = course.insertWord(word, trans, QStringLiteral("ph-%1").arg(word),
                               QStringLiteral("A sentence with %1.").arg(word)) &&
             ok;
    }
    return transaction.commit() && ok;
}

QStringList numberedWords(int count, const QString &prefix)
{
    QStringList words;
    words.reserve(count);
    for (int i = 1; i <= count; ++i)
        words << prefix + QString::number(i);
    return words;
}

bool writeLearnRecord(const QString &path, const QList<StudyWordRow> &words,
                      const QString &forgettingPoints)
{
    return withDatabase(path, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        const char *const tables[] = {
            LearnCourseDBBase::kCreateSopLog, LearnCourseDBBase::kCreateStudyWord,
            LearnCourseDBBase::kCreateWidIndex, LearnCourseDBBase::kCreateUseLog,
            LearnCourseDBBase::kCreateSetInfo};
        for (const char *sql : tables)
            if (!run(q, QString::fromUtf8(sql)))
                return false;
        for (const StudyWordRow &w : words) {
            const QVariant last = w.lastTime.isEmpty() ? QVariant() : QVariant(w.lastTime);
            if (!run(q,
                     QStringLiteral("insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, "
                                    "times, SELType, CType, LastTime) values(?, ?, ?, ?, ?, 0, "
                                    "?, 0, 0, ?)"),
                     {w.wid, w.state, w.dLevel, w.step, w.fp, w.times, last}))
                return false;
        }
        if (!forgettingPoints.isEmpty() &&
            !run(q, QStringLiteral("insert into TSETINFO(ItemName, ItemValue) values(?, ?)"),
                 {QStringLiteral("forgottenPoint"), forgettingPoints}))
            return false;
        return true;
    });
}

QList<StudyWordRow> newWords(int count)
{
    QList<StudyWordRow> words;
    words.reserve(count);
    for (int i = 1; i <= count; ++i) {
        StudyWordRow w;
        w.wid = i;
        words << w;
    }
    return words;
}
