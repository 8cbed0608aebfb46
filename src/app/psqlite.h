#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Base of every database class: one named QSQLITE connection.
//
// A failed open leaves the object closed: isOpen() is false and every statement fails at
// once without a further log line.
//
// Statement texts are complete SQL. Values that come from users or files never go into
// the text: subclasses pass them to the *Bound operations, which prepare the statement
// and bind the values in order ("?" placeholders).
class psqlite
{
public:
    psqlite();
    virtual ~psqlite();

    psqlite(const psqlite &) = delete;
    psqlite &operator=(const psqlite &) = delete;

    // Opens path (a file or ":memory:") under the connection name (the path when empty).
    // A name already registered by another live object gets a "#n" suffix, so two objects
    // on one file never share (or close) each other's connection.
    bool open(const QString &path, const QString &name);
    // Runs the statement. Returns whether it succeeded; a failure is logged.
    bool exec(const QString &sql);
    // Column 0 (or the named column) of the first row; the empty string when there is none.
    QVariant rexec(const QString &sql);
    QVariant rexec(const QString &sql, const QString &column);
    int lastInsertRowId();
    // Closes and unregisters the connection; a second close logs "重复卸载.." and fails.
    bool close();

    // False after a failed open: the object then runs no statements and logs nothing more
    // (the failed open logged one line).
    bool isOpen() const;

    // Transactions on this connection; each failure is logged. commit rolls back when it
    // fails and returns false.
    bool transaction();
    bool commit();
    void rollback();
    QString databasePath() const { return m_path; }
    QString connectionName() const { return m_name; }

protected:
    // Prepares sql, binds values in order and runs it. Failures are logged with tag.
    bool execBound(const QString &sql, const QVariantList &values);
    // As rexec, with bound values: the first row's column 0 (or named column), else "".
    QVariant rexecBound(const QString &sql, const QVariantList &values,
                        const QString &column = QString());
    // Every row of the result as a map from column name to value.
    QList<QVariantMap> selectRows(const QString &sql, const QVariantList &values = {});
    // A query prepared on this connection with the values bound, already executed.
    // ok receives whether preparing and running succeeded (failures are logged).
    QSqlQuery runBound(const QString &sql, const QVariantList &values, bool *ok = nullptr);

    // QSQLITE connect options used by the next open (for example "QSQLITE_OPEN_READONLY").
    void setConnectOptions(const QString &options) { m_connectOptions = options; }

    QSqlDatabase *m_database;
    QString m_path;
    QString m_name;
    QString m_connectOptions;
};

// Rolls back the transaction it began unless commit() was called and succeeded.
class TransactionGuard
{
public:
    explicit TransactionGuard(psqlite &db) : m_db(db), m_active(db.transaction()) {}
    ~TransactionGuard()
    {
        if (m_active)
            m_db.rollback();
    }
    TransactionGuard(const TransactionGuard &) = delete;
    TransactionGuard &operator=(const TransactionGuard &) = delete;

    // Whether the transaction began.
    bool isActive() const { return m_active; }
    // Commits; false (rolled back) when the transaction never began or did not commit.
    bool commit()
    {
        if (!m_active)
            return false;
        m_active = false;
        return m_db.commit();
    }

private:
    psqlite &m_db;
    bool m_active;
};
