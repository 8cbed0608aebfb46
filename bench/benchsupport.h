#pragma once

// Small pieces every benchmark program shares: printing a figure, a median, the process's
// CPU time, and running statements straight on an SQLite file.

#include "course/coursedb.h"

#include <QDir>
#include <QFileInfo>
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

// CPU time of the calling thread in ns: the measured work without the time other programs on
// a busy machine take from it.
inline qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// A course word file at path with words "word1".."wordN" (ids 1..N) and Chinese texts.
inline void makeNumberedCourse(const QString &path, int words)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    CourseDB course(path);
    course.createTables();
    course.exec(QStringLiteral("BEGIN"));
    for (int i = 1; i <= words; ++i)
        course.insertWord(QStringLiteral("word%1").arg(i), QStringLiteral("释义%1").arg(i),
                          QString(), QString());
    course.exec(QStringLiteral("COMMIT"));
}
