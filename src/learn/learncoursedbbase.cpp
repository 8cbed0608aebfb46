#include "learn/learncoursedbbase.h"

#include "app/clock.h"
#include "learn/learncodes.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

const char *const LearnCourseDBBase::kCreateSopLog = "CREATE TABLE if not exists [TSOPLOG] ("
                                                     "[ID] INTEGER PRIMARY KEY AUTOINCREMENT,"
                                                     " [WID] INTEGER NOT NULL ON CONFLICT FAIL,"
                                                     " [SBTime] DATETIME NOT NULL ON CONFLICT FAIL,"
                                                     " [SETime] DATETIME,"
                                                     " [SELType] INTEGER,"
                                                     " [CBTime] DATETIME,"
                                                     " [CETime] DATETIME,"
                                                     " [CType] INTEGER,"
                                                     " [STBTime] DATETIME,"
                                                     " [STETime] DATETIME); ";
const char *const LearnCourseDBBase::kCreateStudyWord =
    "CREATE TABLE if not exists [TSTUDYWORD] ("
    "[ID] INTEGER PRIMARY KEY AUTOINCREMENT,"
    " [WID] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [STATE] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [DLevel] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [Step] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [Fp] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [Mark] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [times] INTEGER NOT NULL ON CONFLICT FAIL,"
    " [SELType] INTEGER,"
    " [CType] INTEGER,"
    " [LastTime] DATETIME);";
const char *const LearnCourseDBBase::kCreateWidIndex =
    "CREATE UNIQUE INDEX if not exists [TSW WID Unique] ON [TSTUDYWORD] ([WID]);";
const char *const LearnCourseDBBase::kCreateUseLog =
    "CREATE TABLE if not exists [TUSELOG] ("
    "[ID] INTEGER PRIMARY KEY AUTOINCREMENT,"
    " [BSTime] DATETIME NOT NULL ON CONFLICT FAIL,"
    "[PauseTLen] INTEGER NOT NULL ON CONFLICT FAIL,"
    "[STLen] INTEGER NOT NULL ON CONFLICT FAIL,"
    "[SNWord] INTEGER NOT NULL ON CONFLICT FAIL,"
    "[SOWord] INTEGER NOT NULL ON CONFLICT FAIL,"
    "[KonwWellWord] INTEGER NOT NULL ON CONFLICT FAIL);";
const char *const LearnCourseDBBase::kCreateSetInfo =
    "CREATE TABLE [TSETINFO] ("
    "  \t\t[ItemName] TEXT NOT NULL ON CONFLICT FAIL,"
    " \t\t[ItemValue] TEXT,"
    " \t\tCONSTRAINT [sqlite_autoindex_TSET_1] PRIMARY KEY ([ItemName]) ON CONFLICT FAIL);";

const char *const LearnCourseDBBase::kFillWord =
    "insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times) values(%1, 0, 0, 0, 0, 0, "
    "0)";
const char *const LearnCourseDBBase::kSelectStudyWords = "select * from TSTUDYWORD";
// LastTime comes from the copied file: all values are bound.
const char *const LearnCourseDBBase::kCopyWord =
    "insert into TSTUDYWORD(WID, STATE, DLevel, Step, Fp, Mark, times, SELType, CType, LastTime) "
    "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

const char *const LearnCourseDBBase::kTotalWords = "select count(wid) from TSTUDYWORD";
const char *const LearnCourseDBBase::kFirstNewWord =
    "select wid from TSTUDYWORD where STATE = 0 LIMIT 1";
const char *const LearnCourseDBBase::kNextDueWord =
    "SELECT wid from tstudyword where (julianday(?) - julianday(lasttime)) * "
    "86400.0 > fp and state = 1 order by fp, lasttime LIMIT 1";
const char *const LearnCourseDBBase::kCountInState =
    "SELECT count(wid) from TSTUDYWORD where state = %1";
const char *const LearnCourseDBBase::kWordRecord = "select * from TSTUDYWORD where WID = %1";
// Session starts are local times: compare with today's local date, not SQLite's UTC date().
const char *const LearnCourseDBBase::kTodayNewWords =
    "SELECT sum(SNWord) from TUSELOG where date(BSTime) = '%1'";
const char *const LearnCourseDBBase::kTotalStudySeconds = "select sum(STLen) from TUSELOG";
const char *const LearnCourseDBBase::kSumSteps =
    "select sum(Step) from TSTUDYWORD where step <= %1 and state = %2";
const char *const LearnCourseDBBase::kSumAllSteps = "select sum(step) from TSTUDYWORD";
const char *const LearnCourseDBBase::kSumTimes = "select sum(times) from TSTUDYWORD";
const char *const LearnCourseDBBase::kSumDLevel = "SELECT sum(DLevel) from TSTUDYWORD";

const char *const LearnCourseDBBase::kHasSetting =
    "select ItemName from TSETINFO where ItemName = ?";
const char *const LearnCourseDBBase::kSetting = "select ItemValue from TSETINFO where ItemName = ?";
const char *const LearnCourseDBBase::kUpdateSetting =
    "update TSETINFO set ItemValue = ? where ItemName = ?";
const char *const LearnCourseDBBase::kInsertSetting =
    "insert into TSETINFO(ItemName, ItemValue) values(?, ?)";

const char *const LearnCourseDBBase::kSetState = "update TSTUDYWORD set STATE = %1 where WID = %2";
const char *const LearnCourseDBBase::kSetStep = "update TSTUDYWORD set step = %1 where WID = %2";
const char *const LearnCourseDBBase::kSetFp = "update TSTUDYWORD set fp = %1 where WID = %2";
const char *const LearnCourseDBBase::kSetDLevel =
    "update TSTUDYWORD set DLevel = %1 where WID = %2";
const char *const LearnCourseDBBase::kSetTimes = "update TSTUDYWORD set times = %1 where WID = %2";
const char *const LearnCourseDBBase::kTouchLastTime =
    "update TSTUDYWORD set LastTime = '%1' where WID = %2";
const char *const LearnCourseDBBase::kRestoreWord =
    "update TSTUDYWORD set STATE = %1, DLevel = %2, Step = %3, Fp = %4, times = %5, "
    "LastTime = %6 where WID = %7";
const char *const LearnCourseDBBase::kAddUseLog =
    "insert into TUSELOG(BSTime, STLen, PauseTLen, SNWord, SOWord, KonwWellWord) values('%1', "
    "%2, %3, %4, %5, %6)";
const char *const LearnCourseDBBase::kUpdateUseLog =
    "update TUSELOG set STLen = %1, PauseTLen = %2, SNWord = %3, SOWord = %4, KonwWellWord = %5 "
    "where ID = %6";

namespace {

// LastTime goes into the journalled text as a quoted literal; prepared, it is bound.
const char *const kTouchLastTimeBound = "update TSTUDYWORD set LastTime = ? where WID = ?";

} // namespace

LearnCourseDBBase::LearnCourseDBBase() = default;

// The prepared statements go first (members before the base), while the connection lives.
LearnCourseDBBase::~LearnCourseDBBase() = default;

bool LearnCourseDBBase::close()
{
    for (std::unique_ptr<QSqlQuery> &query : m_prepared)
        query.reset();
    return psqlite::close();
}

QSqlQuery *LearnCourseDBBase::prepared(PreparedStatement which)
{
    std::unique_ptr<QSqlQuery> &query = m_prepared[which];
    if (query)
        return query.get();
    if (!isOpen())
        return nullptr;
    // The same texts as the journalled and plain statements, with "?" for each value.
    const QString bound = QStringLiteral("?");
    QString sql;
    switch (which) {
    case SetStateStatement:
        sql = QString::fromLatin1(kSetState).arg(bound, bound);
        break;
    case SetStepStatement:
        sql = QString::fromLatin1(kSetStep).arg(bound, bound);
        break;
    case SetFpStatement:
        sql = QString::fromLatin1(kSetFp).arg(bound, bound);
        break;
    case SetDLevelStatement:
        sql = QString::fromLatin1(kSetDLevel).arg(bound, bound);
        break;
    case SetTimesStatement:
        sql = QString::fromLatin1(kSetTimes).arg(bound, bound);
        break;
    case TouchLastTimeStatement:
        sql = QLatin1String(kTouchLastTimeBound);
        break;
    case WordRecordStatement:
        sql = QString::fromLatin1(kWordRecord).arg(bound);
        break;
    case FirstNewWordStatement:
        sql = QLatin1String(kFirstNewWord);
        break;
    case CountInStateStatement:
        sql = QString::fromLatin1(kCountInState).arg(bound);
        break;
    case TotalWordsStatement:
        sql = QLatin1String(kTotalWords);
        break;
    case PreparedStatementCount:
        return nullptr;
    }
    auto made = std::make_unique<QSqlQuery>(*m_database);
    made->setForwardOnly(true);
    if (!made->prepare(sql)) {
        // Tried again at the next use: a record repaired meanwhile then works.
        qDebug() << "LearnCourseDBBase::prepared" << sql << made->lastError().text();
        return nullptr;
    }
    query = std::move(made);
    return query.get();
}

QVariant LearnCourseDBBase::preparedValue(PreparedStatement which, const QVariant &value)
{
    QSqlQuery *query = prepared(which);
    if (!query)
        return QVariant(QString());
    if (value.isValid())
        query->bindValue(0, value);
    QVariant result = QVariant(QString());
    if (query->exec()) {
        if (query->next())
            result = query->value(0);
    } else {
        qDebug() << "LearnCourseDBBase::preparedValue" << query->lastQuery() << value
                 << query->lastError().text();
    }
    query->finish();
    return result;
}

void LearnCourseDBBase::createTables()
{
    if (!m_database)
        return;
    if (!m_database->transaction()) {
        qDebug() << "LearnCourseDBBase::createTables 无法开始事务" << m_path
                 << m_database->lastError().text();
        return;
    }
    createTablesNow();
    if (!m_database->commit()) {
        qDebug() << "LearnCourseDBBase::createTables 提交失败" << m_path
                 << m_database->lastError().text();
        m_database->rollback();
    }
}

void LearnCourseDBBase::createTablesNow()
{
    exec(QLatin1String(kCreateSopLog));
    exec(QLatin1String(kCreateStudyWord));
    exec(QLatin1String(kCreateWidIndex));
    exec(QLatin1String(kCreateUseLog));
    // The settings table has no "if not exists": a record that has it keeps it.
    if (rexec(QStringLiteral("select count(*) from sqlite_master where type = 'table' and "
                             "name = 'TSETINFO'"))
            .toInt() == 0)
        exec(QLatin1String(kCreateSetInfo));
}

int LearnCourseDBBase::fillFromCourse(const QList<int> &wordIds)
{
    if (!m_database)
        return 0;
    if (!m_database->transaction()) {
        qDebug() << "LearnCourseDBBase::fillFromCourse 无法开始事务" << m_path
                 << m_database->lastError().text();
        return 0;
    }
    const int added = fillNow(wordIds);
    if (m_database->commit())
        return added;
    qDebug() << "LearnCourseDBBase::fillFromCourse 提交失败" << m_path
             << m_database->lastError().text();
    m_database->rollback();
    return 0;
}

int LearnCourseDBBase::createAndFill(const QList<int> &wordIds)
{
    if (!m_database || !m_database->isOpen())
        return -1;
    if (!m_database->transaction()) {
        qDebug() << "LearnCourseDBBase::createAndFill 无法开始事务" << m_path
                 << m_database->lastError().text();
        return -1;
    }
    createTablesNow();
    const int added = fillNow(wordIds);
    if (m_database->commit())
        return added;
    qDebug() << "LearnCourseDBBase::createAndFill 提交失败" << m_path
             << m_database->lastError().text();
    m_database->rollback();
    return -1;
}

int LearnCourseDBBase::fillNow(const QList<int> &ids)
{
    if (!m_database)
        return 0;
    int added = 0;
    // The statement prepared once, the word id bound for each row.
    QSqlQuery insert(*m_database);
    if (insert.prepare(QString::fromLatin1(kFillWord).arg(QLatin1Char('?')))) {
        for (int id : ids) {
            insert.bindValue(0, id);
            if (insert.exec())
                ++added;
            else
                qDebug() << "LearnCourseDBBase::fillFromCourse" << id << insert.lastError().text();
        }
    } else {
        qDebug() << "LearnCourseDBBase::fillFromCourse" << insert.lastError().text();
    }
    insert.finish();
    return added;
}

bool LearnCourseDBBase::writeBatch(const QStringList &statements, const UseLogRow *log,
                                   int *logRowId, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!m_database || !m_database->isOpen())
        return fail(QStringLiteral("学习记录未打开 %1").arg(m_path));
    if (!m_database->transaction())
        return fail(
            QStringLiteral("无法开始事务 %1: %2").arg(m_path, m_database->lastError().text()));
    QSqlQuery query(*m_database);
    QString why;
    for (const QString &sql : statements) {
        if (!query.exec(sql)) {
            why = QStringLiteral("%1: %2").arg(sql, query.lastError().text());
            break;
        }
    }
    int rowId = logRowId ? *logRowId : 0;
    if (why.isEmpty() && log) {
        const QString sql = rowId > 0 ? QString::fromLatin1(kUpdateUseLog)
                                            .arg(log->lengthSec)
                                            .arg(log->pauseSec)
                                            .arg(log->newWords)
                                            .arg(log->dueWords)
                                            .arg(log->knownWords)
                                            .arg(rowId)
                                      : QString::fromLatin1(kAddUseLog)
                                            .arg(Clock::format(log->start.toLocalTime()))
                                            .arg(log->lengthSec)
                                            .arg(log->pauseSec)
                                            .arg(log->newWords)
                                            .arg(log->dueWords)
                                            .arg(log->knownWords);
        if (!query.exec(sql))
            why = QStringLiteral("%1: %2").arg(sql, query.lastError().text());
        else if (rowId <= 0)
            rowId = query.lastInsertId().toInt();
    }
    query.finish();
    if (why.isEmpty() && !m_database->commit())
        why = QStringLiteral("提交失败 %1: %2").arg(m_path, m_database->lastError().text());
    if (!why.isEmpty()) {
        m_database->rollback();
        return fail(why);
    }
    if (logRowId)
        *logRowId = rowId;
    return true;
}

bool LearnCourseDBBase::replay(const QStringList &statements)
{
    if (!m_database || !m_database->isOpen())
        return false;
    if (!m_database->transaction()) {
        qDebug() << "LearnCourseDBBase::replay 无法开始事务" << m_path
                 << m_database->lastError().text();
        return false;
    }
    QSqlQuery query(*m_database);
    bool allRan = true;
    for (const QString &sql : statements) {
        if (!query.exec(sql)) {
            qDebug() << "LearnCourseDBBase::replay" << sql << query.lastError().text();
            allRan = false;
        }
    }
    query.finish();
    if (m_database->commit())
        return allRan;
    qDebug() << "LearnCourseDBBase::replay 提交失败" << m_path << m_database->lastError().text();
    m_database->rollback();
    return false;
}

int LearnCourseDBBase::totalWords()
{
    return preparedValue(TotalWordsStatement).toInt();
}

int LearnCourseDBBase::firstNewWord()
{
    return preparedValue(FirstNewWordStatement).toInt();
}

int LearnCourseDBBase::nextDueWord()
{
    return rexecBound(QLatin1String(kNextDueWord), {Clock::nowText()}, QStringLiteral("wid"))
        .toInt();
}

int LearnCourseDBBase::countInState(int state)
{
    return preparedValue(CountInStateStatement, state).toInt();
}

bool LearnCourseDBBase::allKnown()
{
    return countInState(LearnCode::Known) == totalWords();
}

bool LearnCourseDBBase::noneStarted()
{
    return countInState(LearnCode::New) == totalWords();
}

QSqlRecord LearnCourseDBBase::wordRecord(int wid)
{
    QSqlQuery *query = prepared(WordRecordStatement);
    if (!query)
        return QSqlRecord();
    query->bindValue(0, wid);
    QSqlRecord row;
    if (!query->exec())
        qDebug() << "LearnCourseDBBase::wordRecord" << wid << query->lastError().text();
    else if (query->next())
        row = query->record();
    query->finish();
    return row;
}

uint LearnCourseDBBase::unsignedValue(const QString &sql)
{
    return rexec(sql).toUInt();
}

uint LearnCourseDBBase::todayNewWords()
{
    const QString today = Clock::now().date().toString(QStringLiteral("yyyy-MM-dd"));
    return unsignedValue(QString::fromLatin1(kTodayNewWords).arg(today));
}

uint LearnCourseDBBase::totalStudySeconds()
{
    return unsignedValue(QLatin1String(kTotalStudySeconds));
}

uint LearnCourseDBBase::sumSteps(int maxStep, int state)
{
    return unsignedValue(QString::fromLatin1(kSumSteps).arg(maxStep).arg(state));
}

float LearnCourseDBBase::stepsPerGrading()
{
    const double steps = rexec(QLatin1String(kSumAllSteps)).toDouble();
    const double times = rexec(QLatin1String(kSumTimes)).toDouble();
    return times == 0 ? 0.0f : float(steps / times);
}

float LearnCourseDBBase::averageDLevel()
{
    const double levels = rexec(QLatin1String(kSumDLevel)).toDouble();
    const int total = totalWords();
    return total == 0 ? 0.0f : float(levels / total);
}

float LearnCourseDBBase::studyProgress(int points)
{
    const double steps = sumSteps(points, LearnCode::Learning);
    const int total = totalWords();
    const int known = countInState(LearnCode::Known);
    if (total <= 0 || points <= 0)
        return 0.0f;
    return float(100.0 * (steps + double(points) * known) / (double(points) * total));
}

bool LearnCourseDBBase::hasSetting(const QString &name)
{
    bool ok = false;
    QSqlQuery query = runBound(QLatin1String(kHasSetting), {name}, &ok);
    return ok && query.next();
}

QVariant LearnCourseDBBase::setting(const QString &name, const QVariant &defaultValue)
{
    bool ok = false;
    QSqlQuery query = runBound(QLatin1String(kSetting), {name}, &ok);
    if (ok && query.next())
        return QVariant(query.value(0).toString());
    if (!ok && m_database)
        qDebug() << "LearnCourseDBBase::setting" << name << query.lastError().text();
    return defaultValue;
}

bool LearnCourseDBBase::setSetting(const QString &name, const QVariant &value)
{
    const QString text = value.toString();
    if (hasSetting(name))
        return execBound(QLatin1String(kUpdateSetting), {text, name});
    return execBound(QLatin1String(kInsertSetting), {name, text});
}

void LearnCourseDBBase::journalled(const QString &sql)
{
    m_journal << sql;
    exec(sql);
}

void LearnCourseDBBase::journalled(const QString &sql, PreparedStatement which,
                                   const QVariant &first, const QVariant &second)
{
    m_journal << sql;
    QSqlQuery *query = prepared(which);
    if (!query) {
        // Not preparable (a damaged record): the text runs and logs as any statement.
        exec(sql);
        return;
    }
    query->bindValue(0, first);
    query->bindValue(1, second);
    if (!query->exec())
        qDebug() << "psqlite::exec" << sql << query->lastError().text();
    query->finish();
}

void LearnCourseDBBase::setState(int wid, int state)
{
    journalled(QString::fromLatin1(kSetState).arg(state).arg(wid), SetStateStatement, state, wid);
}

void LearnCourseDBBase::setStep(int wid, int step)
{
    journalled(QString::fromLatin1(kSetStep).arg(step).arg(wid), SetStepStatement, step, wid);
}

void LearnCourseDBBase::setFp(int wid, int seconds)
{
    journalled(QString::fromLatin1(kSetFp).arg(seconds).arg(wid), SetFpStatement, seconds, wid);
}

void LearnCourseDBBase::setDLevel(int wid, int level)
{
    journalled(QString::fromLatin1(kSetDLevel).arg(level).arg(wid), SetDLevelStatement, level, wid);
}

void LearnCourseDBBase::setTimes(int wid, int times)
{
    journalled(QString::fromLatin1(kSetTimes).arg(times).arg(wid), SetTimesStatement, times, wid);
}

void LearnCourseDBBase::touchLastTime(int wid)
{
    const QString now = Clock::nowText();
    journalled(QString::fromLatin1(kTouchLastTime).arg(now).arg(wid), TouchLastTimeStatement, now,
               wid);
}

void LearnCourseDBBase::restoreWord(const QSqlRecord &row, bool journal)
{
    const int wid = row.value(QStringLiteral("WID")).toInt();
    if (wid <= 0)
        return;
    // The statement is journalled as text: the stored time goes in as an SQL literal with
    // its quotes doubled, so that no stored text can change the statement.
    const QString stored = row.value(QStringLiteral("LastTime")).toString();
    const QString lastTime = stored.isEmpty() ? QStringLiteral("NULL")
                                              : QStringLiteral("'%1'").arg(QString(stored).replace(
                                                    QLatin1Char('\''), QStringLiteral("''")));
    const auto number = [&row](const char *column) {
        return QString::number(row.value(QLatin1String(column)).toInt());
    };
    // One pass of arg: a stored text holding "%7" cannot take the place of another value.
    const QString sql = QString::fromLatin1(kRestoreWord)
                            .arg(number("STATE"), number("DLevel"), number("Step"), number("Fp"),
                                 number("times"), lastTime, QString::number(wid));
    if (journal)
        journalled(sql);
    else
        exec(sql);
}

void LearnCourseDBBase::truncateJournal(int size)
{
    if (size >= 0 && size < m_journal.size())
        m_journal.erase(m_journal.begin() + size, m_journal.end());
}

void LearnCourseDBBase::addUseLog(const QDateTime &start, int lengthSec, int newWords, int dueWords,
                                  int knownWords, int pauseSec)
{
    journalled(QString::fromLatin1(kAddUseLog)
                   .arg(Clock::format(start.toLocalTime()))
                   .arg(lengthSec)
                   .arg(pauseSec)
                   .arg(newWords)
                   .arg(dueWords)
                   .arg(knownWords));
}

QString LearnCourseDBBase::pragmaValue(const QString &pragma)
{
    return rexec(QStringLiteral("PRAGMA ") + pragma).toString();
}

void LearnCourseDBBase::beginSessionWrites()
{
    if (!isOpen())
        return;
    // Another connection on the file would make the switch wait for it; don't wait.
    const QString busy = pragmaValue(QStringLiteral("busy_timeout"));
    exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    pragmaValue(QStringLiteral("journal_mode = WAL"));
    exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    // A checkpoint waits for the disk; the session's end folds the WAL in once instead.
    exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0"));
    // The first commit into a new WAL waits for the disk: make it now, at the session's
    // start, by rewriting the unchanged user version, not at the first write-back.
    if (pragmaValue(QStringLiteral("journal_mode")) == QLatin1String("wal")) {
        const int version = pragmaValue(QStringLiteral("user_version")).toInt();
        exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
    }
    exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busy.toInt()));
}

void LearnCourseDBBase::endSessionWrites()
{
    if (!isOpen())
        return;
    const QString busy = pragmaValue(QStringLiteral("busy_timeout"));
    exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    exec(QStringLiteral("PRAGMA synchronous = FULL"));
    exec(QStringLiteral("PRAGMA wal_autocheckpoint = 1000"));
    pragmaValue(QStringLiteral("journal_mode = DELETE"));
    exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busy.toInt()));
}

int LearnCourseDBBase::copyStudyWordsFrom(LearnCourseDBBase &source)
{
    if (!m_database || !source.m_database || !source.m_database->isOpen())
        return 0;
    QSqlQuery select(*source.m_database);
    select.setForwardOnly(true);
    if (!select.exec(QLatin1String(kSelectStudyWords))) {
        qDebug() << "LearnCourseDBBase::copyFrom" << source.m_path << select.lastError().text();
        return 0;
    }
    static const char *const kColumns[] = {"WID",  "STATE", "DLevel",  "Step",  "Fp",
                                           "Mark", "times", "SELType", "CType", "LastTime"};
    const QSqlRecord columns = select.record();
    int at[10];
    for (int i = 0; i < 10; ++i)
        at[i] = columns.indexOf(QLatin1String(kColumns[i]));

    int copied = 0;
    transaction();
    QSqlQuery insert(*m_database);
    if (!insert.prepare(QLatin1String(kCopyWord))) {
        qDebug() << "LearnCourseDBBase::copyFrom" << insert.lastError().text();
        m_database->rollback();
        return 0;
    }
    while (select.next()) {
        // Numbers: NULL (or a missing column) becomes 0; LastTime: NULL becomes "".
        for (int i = 0; i < 9; ++i)
            insert.bindValue(i, at[i] < 0 ? 0 : select.value(at[i]).toLongLong());
        QString lastTime = at[9] < 0 ? QString() : select.value(at[9]).toString();
        if (lastTime.isNull())
            lastTime = QStringLiteral("");
        insert.bindValue(9, lastTime);
        if (insert.exec())
            ++copied;
        else
            qDebug() << "LearnCourseDBBase::copyFrom" << insert.lastError().text();
    }
    commit();
    return copied;
}
