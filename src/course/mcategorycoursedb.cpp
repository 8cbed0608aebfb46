#include "course/mcategorycoursedb.h"

#include "app/apppath.h"
#include "app/userfolder.h"
#include "course/coursecategorymgr.h"
#include "course/ocategorycoursedb.h"
#include "course/ucategorycoursedb.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlQuery>

const char *const MCategoryCourseDB::kConnectionName = "MCategoryCourseDB";
const char *const MCategoryCourseDB::kCreateCategoryTable =
    " \t\t\t   CREATE TABLE [TCategory] ("
    " \t\t\t   [id] INTEGER PRIMARY KEY AUTOINCREMENT,"
    " \t\t\t   [pid] INTEGER,"
    " \t\t\t   [name] TEXT,"
    " \t\t\t   [coursecount] INTEGER); \t\t\t   ";
const char *const MCategoryCourseDB::kCreateCourseTable = " \t\t\t   CREATE TABLE [TCourse] ("
                                                          " \t\t\t   [mid] INTEGER,"
                                                          " \t\t\t   [cttype] INTEGER,"
                                                          " \t\t\t   [cid] INTEGER,"
                                                          " \t\t\t   [name] TEXT,"
                                                          " \t\t\t   [wcount] INTEGER);\t\t\t   ";
const char *const MCategoryCourseDB::kInsertTopCategory =
    "insert into TCategory(pid, name) values(0, '我的课程')";
const char *const MCategoryCourseDB::kInsertLearningCategory =
    "insert into TCategory(pid, name) values(%1, '学习中..')";
const char *const MCategoryCourseDB::kInsertMasteredCategory =
    "insert into TCategory(pid, name) values(%1, '已掌握..')";
const char *const MCategoryCourseDB::kInsertCourse =
    "insert into TCourse(mid, cttype, cid, name, wcount) values(%1, %2, %3, ?, %4)";

MCategoryCourseDB::MCategoryCourseDB(const QString &userName, CourseCategoryMgr *owner)
    : m_userName(userName), m_owner(owner)
{
    open(QStringLiteral(":memory:"), QLatin1String(kConnectionName));
    exec(QString::fromUtf8(kCreateCategoryTable));
    exec(QString::fromUtf8(kCreateCourseTable));
    fill();
}

MCategoryCourseDB::~MCategoryCourseDB() = default;

void MCategoryCourseDB::fill()
{
    QSqlQuery top(*m_database);
    if (top.exec(QString::fromUtf8(kInsertTopCategory)))
        m_topId = top.lastInsertId().toInt();
    exec(QString::fromUtf8(kInsertLearningCategory).arg(m_topId));
    m_learningId = lastInsertRowId();
    exec(QString::fromUtf8(kInsertMasteredCategory).arg(m_topId));
    m_masteredId = lastInsertRowId();

    const QString folder = userFolderPath(m_userName);
    const QStringList files =
        folder.isEmpty() ? QStringList() : listFiles(folder, QStringLiteral("*.ldb"));
    transaction();
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (!info.isFile())
            continue;
        const QString base = info.fileName().section(QLatin1Char('.'), 0, 0);
        // Records are named after the course type ("u" user, "o" official) and file id;
        // anything else in the folder is no course record.
        const QChar kind = base.isEmpty() ? QChar() : base.at(0);
        if (kind != QLatin1Char('u') && kind != QLatin1Char('o')) {
            qDebug() << "MCategoryCourseDB: skipping" << info.fileName();
            continue;
        }
        bool isNumber = false;
        int mid = base.mid(1).toInt(&isNumber);
        if (!isNumber)
            mid = 0;
        const int cttype = kind == QLatin1Char('u') ? 1 : 2;
        CategoryCourseDBBase *catalogue = nullptr;
        if (m_owner)
            catalogue = cttype == 1
                            ? static_cast<CategoryCourseDBBase *>(m_owner->uCategoryCourseDB())
                            : static_cast<CategoryCourseDBBase *>(m_owner->oCategoryCourseDB());
        const QString name = catalogue ? catalogue->getCourseName(mid) : QString();
        const int wcount = catalogue ? catalogue->getWordCount(mid) : 0;

        // A record without words counts as mastered.
        const bool mastered = m_owner && m_owner->readRecord(file).allKnown;
        const int cid = mastered ? m_masteredId : m_learningId;
        execBound(QString::fromUtf8(kInsertCourse).arg(mid).arg(cttype).arg(cid).arg(wcount),
                  {name});
    }
    commit();
}
