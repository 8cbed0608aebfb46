#include "app/psqlite.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString uniqueConnectionName(const QString &wanted)
{
    if (!QSqlDatabase::contains(wanted))
        return wanted;
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1#%2").arg(wanted).arg(n);
        if (!QSqlDatabase::contains(candidate))
            return candidate;
    }
}

void logQueryFailure(const char *tag, const QString &sql, const QSqlError &error)
{
    qDebug() << tag << sql << error.text() << error.nativeErrorCode() << int(error.type());
}

} // namespace

psqlite::psqlite() : m_database(new QSqlDatabase) {}

psqlite::~psqlite()
{
    if (m_database)
        close();
}

bool psqlite::open(const QString &path, const QString &name)
{
    if (!m_database)
        m_database = new QSqlDatabase;
    const QString wanted = name.isEmpty() ? path : name;
    // Re-opening an object that is still open first releases its old connection.
    if (m_database->isValid()) {
        close();
        m_database = new QSqlDatabase;
    }
    m_name = uniqueConnectionName(wanted);
    m_path = path;
    *m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_database->setDatabaseName(path);
    if (!m_connectOptions.isEmpty())
        m_database->setConnectOptions(m_connectOptions);
    if (m_database->open()) {
        // A file that is not a database opens fine and fails on first use; find out now.
        QSqlQuery probe(*m_database);
        if (path == QLatin1String(":memory:") ||
            probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            return true;
        qDebug() << "打开数据库" << path << "失败" << probe.lastError().text();
        probe.finish();
        probe = QSqlQuery();
        // Closed, so that isOpen() says so and later statements are not even tried.
        m_database->close();
        return false;
    }
    qDebug() << "打开数据库" << path << "失败" << m_database->lastError().text();
    return false;
}

bool psqlite::isOpen() const
{
    return m_database && m_database->isOpen();
}

bool psqlite::transaction()
{
    if (!isOpen())
        return false;
    if (m_database->transaction())
        return true;
    qDebug() << "psqlite::transaction 无法开始事务" << m_path << m_database->lastError().text();
    return false;
}

bool psqlite::commit()
{
    if (!isOpen())
        return false;
    if (m_database->commit())
        return true;
    qDebug() << "psqlite::commit 提交失败" << m_path << m_database->lastError().text();
    m_database->rollback();
    return false;
}

void psqlite::rollback()
{
    if (isOpen() && !m_database->rollback())
        qDebug() << "psqlite::rollback" << m_path << m_database->lastError().text();
}

bool psqlite::exec(const QString &sql)
{
    if (!isOpen())
        return false;
    QSqlQuery query(*m_database);
    if (query.exec(sql))
        return true;
    logQueryFailure("psqlite::exec", sql, query.lastError());
    return false;
}

QVariant psqlite::rexec(const QString &sql)
{
    return rexec(sql, QString());
}

QVariant psqlite::rexec(const QString &sql, const QString &column)
{
    return rexecBound(sql, {}, column);
}

int psqlite::lastInsertRowId()
{
    return rexec(QStringLiteral("SELECT last_insert_rowid();")).toInt();
}

bool psqlite::close()
{
    if (!m_database) {
        qDebug() << "重复卸载..";
        return false;
    }
    m_database->close();
    delete m_database;
    m_database = nullptr;
    if (!m_name.isEmpty())
        QSqlDatabase::removeDatabase(m_name);
    return true;
}

QSqlQuery psqlite::runBound(const QString &sql, const QVariantList &values, bool *ok)
{
    if (!isOpen()) {
        if (ok)
            *ok = false;
        return QSqlQuery();
    }
    QSqlQuery query(*m_database);
    bool done = false;
    if (values.isEmpty()) {
        done = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (const QVariant &value : values) {
            // A null QString would bind as SQL NULL; texts are stored as '' instead.
            if (value.typeId() == QMetaType::QString && value.toString().isNull())
                query.addBindValue(QString(QLatin1String("")));
            else
                query.addBindValue(value);
        }
        done = query.exec();
    }
    if (ok)
        *ok = done;
    return query;
}

bool psqlite::execBound(const QString &sql, const QVariantList &values)
{
    bool ok = false;
    QSqlQuery query = runBound(sql, values, &ok);
    if (!ok && isOpen())
        logQueryFailure("psqlite::execBound", sql, query.lastError());
    return ok;
}

QVariant psqlite::rexecBound(const QString &sql, const QVariantList &values, const QString &column)
{
    bool ok = false;
    QSqlQuery query = runBound(sql, values, &ok);
    if (ok && query.next())
        return column.isEmpty() ? query.value(0) : query.value(column);
    const QSqlError error = query.lastError();
    if (isOpen() && error.type() != QSqlError::NoError)
        logQueryFailure("psqlite::rexec 1", sql, error);
    return QVariant(QString());
}

QList<QVariantMap> psqlite::selectRows(const QString &sql, const QVariantList &values)
{
    QList<QVariantMap> rows;
    bool ok = false;
    QSqlQuery query = runBound(sql, values, &ok);
    if (!ok) {
        if (isOpen())
            logQueryFailure("psqlite::selectRows", sql, query.lastError());
        return rows;
    }
    while (query.next()) {
        const QSqlRecord record = query.record();
        QVariantMap row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), record.value(i));
        rows << row;
    }
    return rows;
}
