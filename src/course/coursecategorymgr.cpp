#include "course/coursecategorymgr.h"

#include "app/apppath.h"
#include "app/userfolder.h"
#include "course/coursedb.h"
#include "course/courseheadercaptions.h"
#include "course/coursesqlquerymodel.h"
#include "course/mcategorycoursedb.h"
#include "course/ocategorycoursedb.h"
#include "course/ucategorycoursedb.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSet>
#include <QSqlQuery>
#include <QTableView>
#include <QTreeWidget>

CourseCategoryMgr *g_pCourseCategoryMgr = nullptr;

const char *const CourseCategoryMgr::kConnectionName = "CourseCategoryMgrDB";
const char *const CourseCategoryMgr::kCreateCourseInfoTable =
    " \t\tCREATE TABLE [TTableCourseInfo] ("
    "\t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT,"
    " \t\t[cid] INTEGER,"
    " \t\t[cttype] INTEGER,"
    " \t\t[mid] INTEGER,"
    " \t\t[name] TEXT,"
    " \t\t[exist] BOOLEAN DEFAULT 0,"
    " \t\t[wcount] INTEGER,"
    " \t\t[swcount] INTEGER,"
    " \t\t[level] INTEGER,"
    " \t\t[ffactor] INTEGER,"
    " \t\t[lpercent] INTEGER,"
    " \t\t[mwcount] INTEGER,"
    " \t\t[sltime] DATETIME,"
    " \t\t[fftime] DATETIME,"
    " \t\t[lltime] DATETIME,"
    " \t\t[ltcount] INTEGER,"
    " \t\t[lltcount] INTEGER);\t";
const char *const CourseCategoryMgr::kCreateTreeTable =
    " \t\t\tCREATE TABLE [TTreeCatepory] ("
    "\t\t\t[id] INTEGER PRIMARY KEY AUTOINCREMENT,"
    " \t\t\t[pid] INTEGER,"
    " \t\t\t[catype] INTEGER,"
    " \t\t\t[name] TEXT,"
    " \t\t\t[coursecount] INTEGER); \t\t\t   ";
// Catalogue values (names, numbers read from the catalogue files) are bound.
const char *const CourseCategoryMgr::kInsertCourseInfo =
    "insert into TTableCourseInfo(cid, cttype, mid, name, exist, wcount) values(%1, ?, ?, ?, ?, "
    "?);";
const char *const CourseCategoryMgr::kInsertTreeNode =
    "insert into TTreeCatepory(pid, catype, name, coursecount) values(%1, %2, ?, ?);";
const char *const CourseCategoryMgr::kSelectNodeIds = "select id from TTreeCatepory";
// Counts the distinct course names listed under a node. (Counting "id" here would name the
// outer node's id inside the aggregate, which SQLite rejects as a misuse of count().)
const char *const CourseCategoryMgr::kRecountNode =
    "update TTreeCatepory set coursecount = (select count(*) from (select distinct name from "
    "TTableCourseInfo where cid = %1)) where id = %2";
const char *const CourseCategoryMgr::kMarkInstalled =
    "update TTableCourseInfo set exist = 1 where mid = %1 and cttype = %2";
const char *const CourseCategoryMgr::kSelectSpecialNode =
    "select id from TTreeCatepory where name = ? and catype = %1";
const char *const CourseCategoryMgr::kSelectMyCourses =
    "select * from TTableCourseInfo where cid = %1";
const char *const CourseCategoryMgr::kUpdateStatistics =
    "update TTableCourseInfo set level = %1, ffactor = %2, lpercent = %3, mwcount = %4, swcount "
    "= %5 where cttype = %6 and mid = %7";
const char *const CourseCategoryMgr::kSelectChildNodes =
    "select * from TTreeCatepory where pid = %1";
const char *const CourseCategoryMgr::kListMyCourses =
    "select distinct id, name, mid, wcount, mwcount, swcount, cttype, level, ffactor, lpercent, "
    "sltime, fftime, lltime, ltcount, lltcount from TTableCourseInfo where cid = %1";
const char *const CourseCategoryMgr::kListUserCourses =
    "select distinct id, name, mid, wcount from TTableCourseInfo where cid = %1 ";
const char *const CourseCategoryMgr::kListOfficialCourses =
    "select id, name, mid, wcount, exist from TTableCourseInfo where cid = %1 group by mid ";
const char *const CourseCategoryMgr::kSelectCourseName =
    "select name from TTableCourseInfo where id=%1";
const char *const CourseCategoryMgr::kSelectCourseType =
    "select cttype from TTableCourseInfo where id = %1";
const char *const CourseCategoryMgr::kSelectCourseMid =
    "select mid from TTableCourseInfo where id = %1";
const char *const CourseCategoryMgr::kSelectNodeType =
    "select catype from TTreeCatepory where id = %1";
const char *const CourseCategoryMgr::kSelectNodeName =
    "select name from TTreeCatepory where id = %1";

namespace {

// Special node names; translated with the context "CourseCategoryMgr".
const char *const kUserCoursesName = QT_TRANSLATE_NOOP("CourseCategoryMgr", "用户课程");
const char *const kMyCoursesName = QT_TRANSLATE_NOOP("CourseCategoryMgr", "我的课程");
const char *const kOfficialCoursesName = QT_TRANSLATE_NOOP("CourseCategoryMgr", "官方课程");
const char *const kMasteredName = QT_TRANSLATE_NOOP("CourseCategoryMgr", "已掌握..");
const char *const kTestCoursesName = QT_TRANSLATE_NOOP("CourseCategoryMgr", "测试课程");
const char *const kLearningName = QT_TRANSLATE_NOOP("CourseCategoryMgr", "学习中..");

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

CourseCategoryMgr::CourseCategoryMgr(const QString &userName, LearningRecordReader readRecord)
    : m_userName(userName), m_readRecord(std::move(readRecord))
{
    const QString folder = userFolderPath(m_userName);
    if (!folder.isEmpty())
        QDir().mkpath(folder);

    open(QStringLiteral(":memory:"), QLatin1String(kConnectionName));
    exec(QLatin1String(kCreateCourseInfoTable));
    exec(QLatin1String(kCreateTreeTable));

    m_official = new OCategoryCourseDB;
    m_user = new UCategoryCourseDB;
    m_my = new MCategoryCourseDB(m_userName, this);

    merge(m_my, MyCourses, 0, 0, true);
    merge(m_user, UserCourses, 0, 0, true);
    merge(m_official, OfficialCourses, 0, 0, true);
    recount();
    markInstalled(OfficialCourses);
    findSpecialNodes();
    loadStatistics();
}

CourseCategoryMgr::~CourseCategoryMgr()
{
    for (const QPointer<MlBaseSqlQueryModel> &model : qAsConst(m_models))
        if (model)
            model->clear();
    delete m_my;
    delete m_user;
    delete m_official;
    close();
}

void CourseCategoryMgr::merge(CategoryCourseDBBase *catalogue, int catype, int treeParent,
                              int catalogueParent, bool createNodes)
{
    QList<int> path;
    mergeLevel(catalogue, catype, treeParent, catalogueParent, createNodes, path);
}

void CourseCategoryMgr::mergeLevel(CategoryCourseDBBase *catalogue, int catype, int treeParent,
                                   int catalogueParent, bool createNodes, QList<int> &path)
{
    // A malformed catalogue may hold a category loop (a category that is its own
    // ancestor); following it would never end, so a category already on the path is left.
    if (path.contains(catalogueParent)) {
        qDebug() << "CourseCategoryMgr::merge category loop at" << catalogueParent;
        return;
    }
    path.append(catalogueParent);

    const QList<QVariantMap> courses = catalogue->courseRows(catalogueParent);
    if (!courses.isEmpty()) {
        transaction();
        const QString insert = QString::fromLatin1(kInsertCourseInfo).arg(treeParent);
        for (const QVariantMap &row : courses) {
            const QVariant exist =
                row.contains(QStringLiteral("exist")) ? row.value("exist") : QVariant(0);
            execBound(insert, {row.value("cttype"), row.value("mid"), row.value("name"), exist,
                               row.value("wcount")});
        }
        commit();
    }

    const QList<QVariantMap> categories = catalogue->categoryRows(catalogueParent);
    for (const QVariantMap &category : categories) {
        const int categoryId = category.value("id").toInt();
        mergeLevel(catalogue, catype, treeParent, categoryId, false, path);
        if (!createNodes || path.contains(categoryId))
            continue;
        if (!execBound(QString::fromLatin1(kInsertTreeNode).arg(treeParent).arg(catype),
                       {category.value("name"), category.value("coursecount")}))
            continue;
        const int nodeId = lastInsertRowId();
        mergeLevel(catalogue, catype, nodeId, categoryId, true, path);
    }
    path.removeLast();
}

void CourseCategoryMgr::recount()
{
    QList<int> nodes;
    QSqlQuery query(*m_database);
    if (query.exec(QLatin1String(kSelectNodeIds)))
        while (query.next())
            nodes << query.value(0).toInt();
    query.finish();
    transaction();
    for (int node : nodes)
        exec(QString::fromLatin1(kRecountNode).arg(node).arg(node));
    commit();
}

void CourseCategoryMgr::markInstalled(int cttype)
{
    QStringList files;
    if (cttype == OfficialCourses) {
        // Shipped courses lie in the program folder, downloaded ones in the data folder's own
        // "odata/course" (the same folder when the program folder holds the user data).
        const QString shipped = programFolder() + QStringLiteral("/odata/course");
        const QString downloaded = dataFolder() + QStringLiteral("/odata/course");
        files = listFiles(shipped, QStringLiteral("*.db"));
        if (QDir(downloaded) != QDir(shipped))
            files += listFiles(downloaded, QStringLiteral("*.db"));
    } else {
        files = listFiles(appPath(QStringLiteral("/udata/course")), QStringLiteral("*.db"));
    }
    transaction();
    for (const QString &file : files) {
        // Only course word files are named after a plain decimal file id.
        const QString base = QFileInfo(file).completeBaseName();
        bool isNumber = false;
        const int mid = base.toInt(&isNumber);
        if (!isNumber || QString::number(mid) != base)
            continue;
        exec(QString::fromLatin1(kMarkInstalled).arg(mid).arg(cttype));
    }
    commit();
}

int CourseCategoryMgr::findNode(const char *name, int catype)
{
    const QString translated = QCoreApplication::translate("CourseCategoryMgr", name);
    return rexecBound(QString::fromLatin1(kSelectSpecialNode).arg(catype), {translated}).toInt();
}

void CourseCategoryMgr::findSpecialNodes()
{
    m_userCoursesNode = findNode(kUserCoursesName, UserCourses);
    m_myCoursesNode = findNode(kMyCoursesName, MyCourses);
    m_officialCoursesNode = findNode(kOfficialCoursesName, OfficialCourses);
    m_masteredNode = findNode(kMasteredName, MyCourses);
    m_learningNode = findNode(kLearningName, MyCourses);
    m_testCoursesNode = findNode(kTestCoursesName, OfficialCourses);
}

void CourseCategoryMgr::loadStatistics()
{
    // Without the my-courses node, cid 0 would select every course of the root.
    if (m_myCoursesNode == 0)
        return;
    const QList<QVariantMap> rows =
        selectRows(QString::fromLatin1(kSelectMyCourses).arg(m_myCoursesNode));
    QSet<QPair<int, int>> done;
    transaction();
    for (const QVariantMap &row : rows) {
        const int cttype = row.value("cttype").toInt();
        const int mid = row.value("mid").toInt();
        if (done.contains({cttype, mid}))
            continue;
        done.insert({cttype, mid});
        const QString path = recordPath(cttype, mid);
        // Only records that exist are read (opening a missing one would create it).
        if (path.isEmpty() || !QFileInfo(path).isFile())
            continue;
        const LearningRecordSummary record = m_readRecord(path);
        exec(QString::fromLatin1(kUpdateStatistics)
                 .arg(number(record.averageDLevel), number(record.stepsPerGrading),
                      number(record.studyProgress))
                 .arg(record.knownCount)
                 .arg(record.learningCount)
                 .arg(cttype)
                 .arg(mid));
    }
    commit();
}

void CourseCategoryMgr::buildTree(QTreeWidget *tree)
{
    if (!tree)
        return;
    addChildren(tree->invisibleRootItem(), 0);
    tree->expandAll();
}

void CourseCategoryMgr::addChildren(QTreeWidgetItem *item, int parentId)
{
    const QList<QVariantMap> nodes =
        selectRows(QString::fromLatin1(kSelectChildNodes).arg(parentId));
    for (const QVariantMap &node : nodes) {
        const int nodeId = node.value("id").toInt();
        const QString text = QStringLiteral("%1(%2)").arg(node.value("name").toString(),
                                                          node.value("coursecount").toString());
        auto *child = new QTreeWidgetItem(QStringList{text}, nodeId);
        child->setData(0, Qt::UserRole, nodeId);
        item->addChild(child);
        addChildren(child, nodeId);
    }
}

void CourseCategoryMgr::showCourses(QTableView *view, int nodeId)
{
    if (!view)
        return;
    const int catype = nodeType(nodeId);
    const char *sql = nullptr;
    QList<int> hidden;
    switch (catype) {
    case MyCourses:
        sql = kListMyCourses;
        hidden = {10, 11, 12, 13, 14, 0, 2};
        break;
    case UserCourses:
        sql = kListUserCourses;
        hidden = {0, 2};
        break;
    case OfficialCourses:
        sql = kListOfficialCourses;
        hidden = {0, 2};
        break;
    default:
        break;
    }

    if (sql) {
        auto *model = new CourseSqlQueryModel(view);
        model->setQuery(QString::fromLatin1(sql).arg(nodeId), *m_database);
        m_models.removeAll(nullptr);
        m_models.append(model);
        // The view owns its course models: the one replaced here (and its selection
        // model) would otherwise pile up with every node the user clicks.
        QAbstractItemModel *oldModel = view->model();
        QItemSelectionModel *oldSelection = view->selectionModel();
        view->setModel(model);
        if (oldSelection && oldSelection->model() == oldModel)
            delete oldSelection;
        if (oldModel && oldModel->parent() == view && qobject_cast<MlBaseSqlQueryModel *>(oldModel))
            delete oldModel;
        applyCourseHeaderCaptions(model);
    }

    if (QAbstractItemModel *model = view->model())
        for (int column = 0; column < model->columnCount(); ++column)
            view->setColumnHidden(column, false);
    for (int column : hidden)
        view->setColumnHidden(column, true);
    view->setShowGrid(false);
    view->resizeColumnToContents(1);
}

QString CourseCategoryMgr::courseName(int courseId)
{
    return rexec(QString::fromLatin1(kSelectCourseName).arg(courseId), QStringLiteral("name"))
        .toString();
}

int CourseCategoryMgr::courseType(int courseId)
{
    return rexec(QString::fromLatin1(kSelectCourseType).arg(courseId)).toInt();
}

int CourseCategoryMgr::courseMid(int courseId)
{
    return rexec(QString::fromLatin1(kSelectCourseMid).arg(courseId)).toInt();
}

int CourseCategoryMgr::nodeType(int nodeId)
{
    return rexec(QString::fromLatin1(kSelectNodeType).arg(nodeId)).toInt();
}

QString CourseCategoryMgr::nodeName(int nodeId)
{
    return rexec(QString::fromLatin1(kSelectNodeName).arg(nodeId)).toString();
}

QString CourseCategoryMgr::coursePath(int courseId)
{
    const int type = courseType(courseId);
    const int mid = courseMid(courseId);
    if (type == OfficialCourses)
        return appPath(QStringLiteral("/odata/course/%1.db").arg(mid));
    if (type == UserCourses)
        return UCategoryCourseDB::courseFilePath(mid);
    return appPath(QString());
}

QString CourseCategoryMgr::getCoursePrxByid(int courseId)
{
    const int type = courseType(courseId);
    if (type == OfficialCourses)
        return QStringLiteral("o");
    if (type == UserCourses)
        return QStringLiteral("u");
    qDebug() << "CourseCategoryMgr::getCoursePrxByid faild" << courseId << courseMid(courseId)
             << type;
    return QString();
}

bool CourseCategoryMgr::isCourseAvailable(int courseId)
{
    const QString path = coursePath(courseId);
    qDebug() << "CourseCategoryMgr::isCourseAvailable" << path;
    const int type = courseType(courseId);
    // An unknown course type has no word file (its "path" is the program folder).
    if (type != OfficialCourses && type != UserCourses)
        return false;
    CourseDB course(path);
    return course.hasWords();
}

bool CourseCategoryMgr::hasLearnFiles()
{
    const QString folder = userFolderPath(m_userName);
    if (folder.isEmpty())
        return false;
    for (const QString &file : listFiles(folder, QStringLiteral("*.ldb")))
        if (QFileInfo(file).isFile())
            return true;
    return false;
}

bool CourseCategoryMgr::isOfficialCourseInstalled(int mid)
{
    const QString file = QStringLiteral("/odata/course/%1.db").arg(mid);
    return QFileInfo::exists(appPath(file)) || QFileInfo::exists(dataFolder() + file);
}

QString CourseCategoryMgr::recordPath(int cttype, int mid) const
{
    const QString prefix = cttype == OfficialCourses ? QStringLiteral("o")
                           : cttype == UserCourses   ? QStringLiteral("u")
                                                     : QString();
    if (prefix.isEmpty())
        return QString();
    return userFilePath(m_userName, prefix + QString::number(mid) + QStringLiteral(".ldb"));
}

QString CourseCategoryMgr::learningRecordPath(int courseId)
{
    return recordPath(courseType(courseId), courseMid(courseId));
}
