#pragma once

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

// The one way tests open a database file: a private connection that lives as long as the
// object, so a test reads what reached the file and leaves no connection behind.
class SqliteFile
{
public:
    explicit SqliteFile(const QString &path, bool readOnly = false)
        : m_name(QStringLiteral("test-sqlite-%1").arg(counter().fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~SqliteFile()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    QString name() const { return m_name; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }
    bool isOpen() const { return database().isOpen(); }

private:
    static QAtomicInt &counter()
    {
        static QAtomicInt value;
        return value;
    }

    QString m_name;
};

// Reads a database file read-only for a test: each row of a query as its columns joined
// with "|".
inline QStringList peekRows(const QString &file, const QString &sql)
{
    QStringList rows;
    SqliteFile db(file, true);
    if (!db.isOpen())
        return rows;
    QSqlQuery query(db.database());
    if (query.exec(sql)) {
        while (query.next()) {
            QStringList columns;
            for (int i = 0; i < query.record().count(); ++i)
                columns << query.value(i).toString();
            rows << columns.join(QLatin1Char('|'));
        }
    }
    return rows;
}

// The first column of the first row, or an empty string.
inline QString peekValue(const QString &file, const QString &sql)
{
    const QStringList rows = peekRows(file, sql);
    return rows.isEmpty() ? QString() : rows.first().section(QLatin1Char('|'), 0, 0);
}

// Runs statements on an open connection in one transaction; false if any failed (logged).
bool execOnConnection(const QString &connectionName, const QStringList &statements);
// Runs statements on the file at path in one transaction; false if any failed.
bool execOnFile(const QString &path, const QStringList &statements);
// The first column of every row of sql on the file.
QVariantList columnOfFile(const QString &path, const QString &sql);
