#include "fullworddbbuilder.h"

#include "course/fullworddb.h"

#include <QSqlQuery>

bool FullWordDBBuilder::build(const QString &path, const QMap<QString, QString> &sentences)
{
    if (!createFile(path))
        return false;
    bool ok = m_database->transaction();
    ok = exec(QLatin1String(FullWordDB::kCreateTable)) && ok;
    {
        QSqlQuery insert(*m_database);
        ok =
            insert.prepare(QStringLiteral("insert into TWORD(word, esentence) values(?, ?)")) && ok;
        for (auto it = sentences.cbegin(); ok && it != sentences.cend(); ++it) {
            insert.addBindValue(it.key());
            insert.addBindValue(it.value());
            if (!insert.exec()) {
                m_error = QStringLiteral("%1: \"%2\" was not stored").arg(path, it.key());
                ok = false;
            }
        }
    }
    // The index is built once, after the rows: faster than keeping it up to date.
    ok = exec(QLatin1String(FullWordDB::kCreateIndex)) && ok;
    ok = m_database->commit() && ok;
    close();
    if (!ok && m_error.isEmpty())
        m_error = QStringLiteral("%1: writing the dictionary failed").arg(path);
    return ok;
}
