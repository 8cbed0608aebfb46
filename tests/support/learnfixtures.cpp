#include "learnfixtures.h"

#include "coursefixture.h"
#include "sqlitefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace LearnFixtures {

namespace {

StudyWordRow rowOf(const QSqlQuery &query)
{
    StudyWordRow row;
    row.wid = query.value(QStringLiteral("WID")).toInt();
    row.state = query.value(QStringLiteral("STATE")).toInt();
    row.dLevel = query.value(QStringLiteral("DLevel")).toInt();
    row.step = query.value(QStringLiteral("Step")).toInt();
    row.fp = query.value(QStringLiteral("Fp")).toInt();
    row.mark = query.value(QStringLiteral("Mark")).toInt();
    row.times = query.value(QStringLiteral("times")).toInt();
    const QVariant last = query.value(QStringLiteral("LastTime"));
    row.lastTime = last.isNull() ? QString() : last.toString();
    return row;
}

} // namespace

QString describe(const StudyWordRow &row)
{
    return QStringLiteral("WID %1 STATE %2 DLevel %3 Step %4 Fp %5 Mark %6 times %7 LastTime '%8'")
        .arg(row.wid)
        .arg(row.state)
        .arg(row.dLevel)
        .arg(row.step)
        .arg(row.fp)
        .arg(row.mark)
        .arg(row.times)
        .arg(row.lastTime.isNull() ? QStringLiteral("NULL") : row.lastTime);
}

bool makeCourse(const QString &path, int count)
{
    return writeCourseFile(path, numberedWords(count, QStringLiteral("word")));
}

QMap<int, StudyWordRow> rowsOfConnection(const QString &connectionName)
{
    QMap<int, StudyWordRow> rows;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select * from TSTUDYWORD")))
        return rows;
    while (query.next()) {
        const StudyWordRow row = rowOf(query);
        rows.insert(row.wid, row);
    }
    return rows;
}

QMap<int, StudyWordRow> rowsOfFile(const QString &path)
{
    SqliteFile connection(path);
    return rowsOfConnection(connection.name());
}

QString localText(qint64 secondsFromNow)
{
    return QDateTime::currentDateTime()
        .addSecs(secondsFromNow)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

bool sameRows(const QMap<int, StudyWordRow> &a, const QMap<int, StudyWordRow> &b, QString *why)
{
    if (a.keys() != b.keys()) {
        *why = QStringLiteral("different word ids: %1 vs %2 rows").arg(a.size()).arg(b.size());
        return false;
    }
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const StudyWordRow &other = b.value(it.key());
        if (it.value() != other) {
            *why = describe(it.value()) + QStringLiteral(" <> ") + describe(other);
            return false;
        }
    }
    return true;
}

QList<int> fillOrder(const QString &recordPath)
{
    QList<int> ids;
    for (const QVariant &v :
         columnOfFile(recordPath, QStringLiteral("select WID from TSTUDYWORD order by ID")))
        ids << v.toInt();
    return ids;
}

QString insertUseLog(const QString &start, int newWords, int oldWords)
{
    return QStringLiteral("insert into TUSELOG(BSTime, STLen, PauseTLen, SNWord, SOWord, "
                          "KonwWellWord) values('%1', 60, 0, %2, %3, 0)")
        .arg(start)
        .arg(newWords)
        .arg(oldWords);
}

} // namespace LearnFixtures
