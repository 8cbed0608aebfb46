#pragma once

// Small pieces every benchmark program shares: printing a figure, a median, the process's
// CPU time, and running statements straight on an SQLite file.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <ctime>

// One "BENCH <name> <value> <unit>" line.
inline void printBench(const char *name, double value, const char *unit, int decimals = 1)
{
    std::printf("BENCH %s %.*f %s\n", name, decimals, value, unit);
    std::fflush(stdout);
}

inline double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values.at(values.size() / 2);
}

// CPU time of this process in ms: on a busy machine the wall time mostly measures the
// other processes.
inline double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Runs statements on the file in one transaction through a connection of its own; false if
// any failed.
inline bool runOnFile(const QString &path, const QStringList &statements)
{
    const QString name = QStringLiteral("bench-direct");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        QSqlQuery query(db);
        for (const QString &sql : statements)
            ok = query.exec(sql) && ok;
        query.finish();
        ok = db.commit() && ok;
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
