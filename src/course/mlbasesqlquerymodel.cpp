#include "course/mlbasesqlquerymodel.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlRecord>

MlBaseSqlQueryModel::MlBaseSqlQueryModel(QObject *parent) : QSqlQueryModel(parent) {}

void MlBaseSqlQueryModel::setQuery(const QString &query, const QSqlDatabase &db)
{
    m_queryText = query;
    m_db = db;
    QSqlQueryModel::setQuery(query, db);
    if (lastError().isValid())
        qDebug() << "MlBaseSqlQueryModel::setQuery" << query << lastError().text();
}

void MlBaseSqlQueryModel::sort(int column, Qt::SortOrder order)
{
    const QString field = record().fieldName(column);
    if (field.isEmpty() || m_queryText.isEmpty())
        return;
    const QString sorted =
        QStringLiteral("%1 order by %2 %3")
            .arg(m_queryText, field,
                 order == Qt::DescendingOrder ? QStringLiteral("desc") : QString());
    QSqlQueryModel::setQuery(sorted, m_db);
    if (lastError().isValid())
        qDebug() << "MlBaseSqlQueryModel::sort" << sorted << lastError().text();
}

int MlBaseSqlQueryModel::courseIdAt(int row) const
{
    return record(row).value(QStringLiteral("id")).toInt();
}

void MlBaseSqlQueryModel::clear()
{
    QSqlQueryModel::clear();
    m_queryText.clear();
    m_db = QSqlDatabase();
}
