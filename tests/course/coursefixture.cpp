#include "coursefixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

namespace {

int g_fixtureConnections = 0;

QString nextConnectionName()
{
    return QStringLiteral("course-fixture-%1").arg(++g_fixtureConnections);
}

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
    const QString name = nextConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            db.transaction();
            ok = body(db);
            ok = db.commit() && ok;
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

CatalogueFixture::CatalogueFixture(const QString &path) : m_connection(nextConnectionName())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open())
        return;
    QSqlQuery q(db);
    m_ok = run(q, QStringLiteral("CREATE TABLE IF NOT EXISTS [TCategory] ([id] INTEGER PRIMARY "
                                 "KEY AUTOINCREMENT, [pid] INTEGER, [name] TEXT, [coursecount] "
                                 "INTEGER)")) &&
           run(q, QStringLiteral("CREATE TABLE IF NOT EXISTS [TCourse] ([id] INTEGER PRIMARY KEY "
                                 "AUTOINCREMENT, [mid] INTEGER, [cttype] INTEGER, [cid] INTEGER, "
                                 "[name] TEXT, [wcount] INTEGER, [exist] BOOLEAN)"));
}

CatalogueFixture::~CatalogueFixture()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

int CatalogueFixture::addCategory(int pid, const QString &name, int coursecount, int id)
{
    QSqlQuery q(QSqlDatabase::database(m_connection));
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
    QSqlQuery q(QSqlDatabase::database(m_connection));
    const bool ok = run(q,
                        QStringLiteral("insert into TCourse(mid, cttype, cid, name, wcount, exist) "
                                       "values(?, ?, ?, ?, ?, ?)"),
                        {mid, cttype, cid, name, wcount, exist ? 1 : 0});
    return ok ? q.lastInsertId().toInt() : 0;
}

bool writeCourseFile(const QString &path, const QStringList &words)
{
    return withDatabase(path, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        if (!run(q, QStringLiteral("CREATE TABLE [TWORD] ( [id] INTEGER PRIMARY KEY "
                                   "AUTOINCREMENT, [word] TEXT NOT NULL ON CONFLICT FAIL, "
                                   "[phonetic] TEXT, [trans] TEXT NOT NULL ON CONFLICT FAIL, "
                                   "[esentence] TEXT, [other] TEXT)")))
            return false;
        for (const QString &entry : words) {
            const QString word = entry.section(QLatin1Char('|'), 0, 0);
            QString trans = entry.section(QLatin1Char('|'), 1);
            if (trans.isEmpty())
                trans = QStringLiteral("释义 %1").arg(word);
            if (!run(q,
                     QStringLiteral("insert into TWORD(word, phonetic, trans, esentence) "
                                    "values(?, ?, ?, ?)"),
                     {word, QStringLiteral("ph-%1").arg(word), trans,
                      QStringLiteral("A sentence with %1.").arg(word)}))
                return false;
        }
        return true;
    });
}

QStringList numberedWords(int count, const QString &prefix)
{
    QStringList words;
    words.reserve(count);
    for (int i = 1; i <= count; ++i)
        words << prefix + QString::number(i);
    return words;
}

bool writeLearnRecord(const QString &path, const QList<RecordWord> &words,
                      const QString &forgettingPoints)
{
    return withDatabase(path, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        const QStringList tables = {
            QStringLiteral("CREATE TABLE if not exists [TSOPLOG] ([ID] INTEGER PRIMARY KEY "
                           "AUTOINCREMENT, [WID] INTEGER NOT NULL ON CONFLICT FAIL, [SBTime] "
                           "DATETIME NOT NULL ON CONFLICT FAIL, [SETime] DATETIME, [SELType] "
                           "INTEGER, [CBTime] DATETIME, [CETime] DATETIME, [CType] INTEGER, "
                           "[STBTime] DATETIME, [STETime] DATETIME)"),
            QStringLiteral("CREATE TABLE if not exists [TSTUDYWORD] ([ID] INTEGER PRIMARY KEY "
                           "AUTOINCREMENT, [WID] INTEGER NOT NULL ON CONFLICT FAIL, [STATE] "
                           "INTEGER NOT NULL ON CONFLICT FAIL, [DLevel] INTEGER NOT NULL ON "
                           "CONFLICT FAIL, [Step] INTEGER NOT NULL ON CONFLICT FAIL, [Fp] INTEGER "
                           "NOT NULL ON CONFLICT FAIL, [Mark] INTEGER NOT NULL ON CONFLICT FAIL, "
                           "[times] INTEGER NOT NULL ON CONFLICT FAIL, [SELType] INTEGER, [CType] "
                           "INTEGER, [LastTime] DATETIME)"),
            QStringLiteral("CREATE UNIQUE INDEX if not exists [TSW WID Unique] ON [TSTUDYWORD] "
                           "([WID])"),
            QStringLiteral("CREATE TABLE if not exists [TUSELOG] ([ID] INTEGER PRIMARY KEY "
                           "AUTOINCREMENT, [BSTime] DATETIME NOT NULL ON CONFLICT "
                           "FAIL,[PauseTLen] INTEGER NOT NULL ON CONFLICT FAIL,[STLen] INTEGER "
                           "NOT NULL ON CONFLICT FAIL,[SNWord] INTEGER NOT NULL ON CONFLICT "
                           "FAIL,[SOWord] INTEGER NOT NULL ON CONFLICT FAIL,[KonwWellWord] "
                           "INTEGER NOT NULL ON CONFLICT FAIL)"),
            QStringLiteral("CREATE TABLE if not exists [TSETINFO] ([ItemName] TEXT NOT NULL ON "
                           "CONFLICT FAIL, [ItemValue] TEXT, CONSTRAINT [sqlite_autoindex_TSET_1] "
                           "PRIMARY KEY ([ItemName]) ON CONFLICT FAIL)")};
        for (const QString &sql : tables)
            if (!run(q, sql))
                return false;
        for (const RecordWord &w : words) {
            const QVariant last = w.lastTime.isEmpty() ? QVariant() : QVariant(w.lastTime);
            if (!run(q,
                     QStringLiteral("insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, "
                                    "times, SELType, CType, LastTime) values(?, ?, ?, ?, ?, 0, "
                                    "?, 0, 0, ?)"),
                     {w.wid, w.state, w.dlevel, w.step, w.fp, w.times, last}))
                return false;
        }
        if (!forgettingPoints.isEmpty() &&
            !run(q, QStringLiteral("insert into TSETINFO(ItemName, ItemValue) values(?, ?)"),
                 {QStringLiteral("forgottenPoint"), forgettingPoints}))
            return false;
        return true;
    });
}

QList<RecordWord> newWords(int count)
{
    QList<RecordWord> words;
    words.reserve(count);
    for (int i = 1; i <= count; ++i) {
        RecordWord w;
        w.wid = i;
        words << w;
    }
    return words;
}
