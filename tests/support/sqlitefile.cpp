#include "sqlitefile.h"

#include <QSqlError>

bool execOnConnection(const QString &connectionName, const QStringList &statements)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isOpen())
        return false;
    bool ok = db.transaction();
    QSqlQuery query(db);
    for (const QString &sql : statements) {
        if (!query.exec(sql)) {
            qWarning("execOnConnection: %s: %s", qPrintable(sql),
                     qPrintable(query.lastError().text()));
            ok = false;
        }
    }
    query.finish();
    return db.commit() && ok;
}

bool execOnFile(const QString &path, const QStringList &statements)
{
    SqliteFile connection(path);
    return execOnConnection(connection.name(), statements);
}

QVariantList columnOfFile(const QString &path, const QString &sql)
{
    SqliteFile connection(path);
    QVariantList values;
    QSqlQuery query(QSqlDatabase::database(connection.name(), false));
    if (query.exec(sql)) {
        while (query.next())
            values << query.value(0);
    }
    return values;
}
