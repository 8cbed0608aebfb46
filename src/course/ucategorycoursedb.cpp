#include "course/ucategorycoursedb.h"

#include "app/apppath.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

const char *const UCategoryCourseDB::kRelativePath = "/udata/course/categorycourse.db";
const char *const UCategoryCourseDB::kCreateCategoryTable =
    "CREATE TABLE [TCategory] ("
    "[id] INTEGER PRIMARY KEY AUTOINCREMENT,"
    " [pid] INTEGER,"
    " [name] TEXT,"
    " [coursecount] INTEGER);";
const char *const UCategoryCourseDB::kCreateCourseTable = "CREATE TABLE [TCourse] ("
                                                          "[id] INTEGER PRIMARY KEY AUTOINCREMENT,"
                                                          " [mid] INTEGER,"
                                                          " [cttype] INTEGER,"
                                                          " [cid] INTEGER,"
                                                          " [name] TEXT,"
                                                          " [wcount] INTEGER,"
                                                          " [exist] BOOLEAN DEFAULT 0);";
const char *const UCategoryCourseDB::kInsertUserCoursesCategory =
    "insert into TCategory(id, pid, name, coursecount) values(1, 0, '用户课程', 0)";
const char *const UCategoryCourseDB::kAddCategory =
    "insert into TCategory(pid, name) values(%1, ?)";
const char *const UCategoryCourseDB::kSelectCategoryId = "select id from TCategory where name = ?";
const char *const UCategoryCourseDB::kRenameCategory =
    "update TCategory set name = ? where id = %1";
const char *const UCategoryCourseDB::kDeleteCategory = "DELETE FROM TCategory WHERE id = %1";
const char *const UCategoryCourseDB::kSelectCourseId = "select id from TCourse where name = ?";
const char *const UCategoryCourseDB::kAddCourse =
    "insert into TCourse(cttype, cid, name, wcount,exist) values(%1, %2, ?, 0, 1)";
const char *const UCategoryCourseDB::kSetCourseMid = "update TCourse set mid = %1 where id = %2";
const char *const UCategoryCourseDB::kSelectCourseMid = "select mid from TCourse where name = ?";
const char *const UCategoryCourseDB::kSetWordCount =
    "update TCourse set wcount = '%1' where id = %2";
const char *const UCategoryCourseDB::kDeleteCourse = "DELETE FROM TCourse WHERE id = %1";
const char *const UCategoryCourseDB::kSelectCourseNames = "select name from TCourse where cid = %1";

QString UCategoryCourseDB::courseFilePath(int mid)
{
    return appPath(QStringLiteral("/udata/course/%1.db").arg(mid));
}

UCategoryCourseDB::UCategoryCourseDB()
{
    const QString relative = QString::fromLatin1(kRelativePath);
    const QString path = appPath(relative);
    openCatalogue(relative, false);
    if (!isOpen() && !QFileInfo::exists(path)) {
        createCatalogue(path);
    } else if (isOpen() &&
               rexec(QStringLiteral("select count(*) from sqlite_master")).toInt() == 0) {
        // An empty database (a 0-byte file) holds no catalogue yet: make it in place, or
        // every import would fail on the missing tables.
        qDebug() << "UCategoryCourseDB: 用户课程目录是空的, 重建" << path;
        if (!makeTables()) {
            close();
            qDebug() << "UCategoryCourseDB: 无法重建用户课程目录" << path;
        }
    } else if (isOpen() && rexec(QStringLiteral("select count(*) from sqlite_master where type = "
                                                "'table' and name in ('TCategory', 'TCourse')"))
                                   .toInt() != 2) {
        // Some other data: leave the file as it is.
        qDebug() << "UCategoryCourseDB: 用户课程目录不是课程目录, 不使用" << path;
        close();
    }
}

bool UCategoryCourseDB::makeTables()
{
    TransactionGuard transaction(*this);
    const bool made = transaction.isActive() && exec(QLatin1String(kCreateCategoryTable)) &&
                      exec(QLatin1String(kCreateCourseTable)) &&
                      exec(QString::fromUtf8(kInsertUserCoursesCategory));
    return made && transaction.commit();
}

bool UCategoryCourseDB::createCatalogue(const QString &path)
{
    ensureAppDir(QStringLiteral("/udata/course"));
    if (!open(path, QString()))
        return false;
    if (makeTables()) {
        qDebug() << "UCategoryCourseDB: 新建用户课程目录" << path;
        return true;
    }
    // Leave no half-made catalogue behind: the next start tries again.
    close();
    QFile::remove(path);
    qDebug() << "UCategoryCourseDB: 无法新建用户课程目录" << path;
    return false;
}

UCategoryCourseDB::~UCategoryCourseDB() = default;

bool UCategoryCourseDB::addCategory(const QString &name)
{
    if (!isOpen())
        return false;
    return execBound(QString::fromLatin1(kAddCategory).arg(kUserCoursesCategoryId), {name});
}

bool UCategoryCourseDB::categoryExists(const QString &name)
{
    return getCategoryId(name) != 0;
}

int UCategoryCourseDB::getCategoryId(const QString &name)
{
    if (!isOpen())
        return 0;
    return rexecBound(QString::fromLatin1(kSelectCategoryId), {name}).toInt();
}

bool UCategoryCourseDB::renameCategory(int id, const QString &name)
{
    if (!isOpen())
        return false;
    return execBound(QString::fromLatin1(kRenameCategory).arg(id), {name});
}

bool UCategoryCourseDB::deleteCategory(int id)
{
    if (!isOpen())
        return false;
    return exec(QString::fromLatin1(kDeleteCategory).arg(id));
}

bool UCategoryCourseDB::courseExists(const QString &name)
{
    if (!isOpen())
        return false;
    return rexecBound(QString::fromLatin1(kSelectCourseId), {name}).toInt() != 0;
}

int UCategoryCourseDB::addCourse(int cid, const QString &name)
{
    if (!isOpen())
        return 0;
    // The row and its file id are written together, so no row is left without a mid.
    TransactionGuard transaction(*this);
    if (!transaction.isActive() ||
        !execBound(QString::fromLatin1(kAddCourse).arg(1).arg(cid), {name}))
        return 0;
    const int id = lastInsertRowId();
    if (id <= 0 || !exec(QString::fromLatin1(kSetCourseMid).arg(id).arg(id))) {
        qDebug() << "UCategoryCourseDB::addCourse failed" << name;
        return 0;
    }
    return transaction.commit() ? id : 0;
}

int UCategoryCourseDB::getCourseMid(const QString &name)
{
    if (!isOpen())
        return 0;
    return rexecBound(QString::fromLatin1(kSelectCourseMid), {name}).toInt();
}

bool UCategoryCourseDB::setWordCount(int id, int count)
{
    if (!isOpen())
        return false;
    return exec(QString::fromLatin1(kSetWordCount).arg(count).arg(id));
}

bool UCategoryCourseDB::deleteCourse(int id)
{
    if (!isOpen())
        return false;
    return exec(QString::fromLatin1(kDeleteCourse).arg(id));
}

QStringList UCategoryCourseDB::getCourseNames(int cid)
{
    QStringList names;
    if (!isOpen())
        return names;
    bool ok = false;
    QSqlQuery query = runBound(QString::fromLatin1(kSelectCourseNames).arg(cid), {}, &ok);
    while (ok && query.next())
        names << query.value(0).toString();
    return names;
}
