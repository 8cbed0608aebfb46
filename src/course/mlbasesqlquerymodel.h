#pragma once

#include <QSqlDatabase>
#include <QSqlQueryModel>
#include <QString>

// A read-only SQL query model that can sort: it keeps its query text and connection and,
// when the view asks to sort, runs the query again followed by an ORDER BY clause.
class MlBaseSqlQueryModel : public QSqlQueryModel
{
    Q_OBJECT

public:
    explicit MlBaseSqlQueryModel(QObject *parent = nullptr);

    // Remembers the (unsorted) query and the connection, then runs the query.
    void setQuery(const QString &query, const QSqlDatabase &db);
    // Runs the stored query ordered by the field of that column ("desc" when descending).
    // Sorting again starts from the stored query, so clauses never stack. A column
    // outside the model's record leaves the rows as they are.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The "id" field of the row: the course id in the category tree.
    int courseIdAt(int row) const;
    // Empties the model and lets go of its connection (which may then be closed).
    void clear() override;

    QString queryText() const { return m_queryText; }

private:
    QString m_queryText;
    QSqlDatabase m_db;
};
