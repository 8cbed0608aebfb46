#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

// Reads a database file read-only for a test: each row of a query as its columns joined
// with "|". The connection is gone again when the call returns.
inline QStringList peekRows(const QString &file, const QString &sql)
{
    QStringList rows;
    const QString name = QStringLiteral("peek:") + file;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql)) {
                while (query.next()) {
                    QStringList columns;
                    for (int i = 0; i < query.record().count(); ++i)
                        columns << query.value(i).toString();
                    rows << columns.join(QLatin1Char('|'));
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// The first column of the first row, or an empty string.
inline QString peekValue(const QString &file, const QString &sql)
{
    const QStringList rows = peekRows(file, sql);
    return rows.isEmpty() ? QString() : rows.first().section(QLatin1Char('|'), 0, 0);
}
