#pragma once

#include "app/psqlite.h"
#include "course/learningrecordsummary.h"

#include <QList>
#include <QPointer>
#include <QString>

class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
class CategoryCourseDBBase;
class MlBaseSqlQueryModel;
class OCategoryCourseDB;
class UCategoryCourseDB;
class MCategoryCourseDB;

// The course category tree of one user: the three catalogues (my courses, user courses,
// official courses) merged into one in-memory database, annotated with the user's
// learning statistics. It is built once by the constructor and never updated in place:
// after any change to courses, categories or records the owner builds a new one, so the
// course ids and node ids it hands out are valid only while this object lives.
//
// Tables: TTreeCatepory (one row per tree node) and TTableCourseInfo (one row per node
// and course listed under it: a course appears under its own category's node, under
// every ancestor node and under the invisible root 0).
class CourseCategoryMgr : public psqlite
{
public:
    static const char *const kConnectionName;
    static const char *const kCreateCourseInfoTable;
    static const char *const kCreateTreeTable;
    static const char *const kInsertCourseInfo;
    static const char *const kInsertTreeNode;
    static const char *const kSelectNodeIds;
    static const char *const kRecountNode;
    static const char *const kMarkInstalled;
    static const char *const kSelectSpecialNode;
    static const char *const kSelectMyCourses;
    static const char *const kUpdateStatistics;
    static const char *const kSelectChildNodes;
    static const char *const kListMyCourses;
    static const char *const kListUserCourses;
    static const char *const kListOfficialCourses;
    static const char *const kSelectCourseName;
    static const char *const kSelectCourseType;
    static const char *const kSelectCourseMid;
    static const char *const kSelectNodeType;
    static const char *const kSelectNodeName;

    // Node types (catype) and course types (cttype).
    enum
    {
        MyCourses = 0,
        UserCourses = 1,
        OfficialCourses = 2
    };

    // readRecord supplies the statistics of each learning record the user's folder holds.
    CourseCategoryMgr(const QString &userName, LearningRecordReader readRecord);
    ~CourseCategoryMgr() override;

    QString userName() const { return m_userName; }

    // Fills the tree widget's invisible root with the nodes ("name(count)", item type and
    // user-role data = node id) and expands everything.
    void buildTree(QTreeWidget *tree);
    // Shows the courses of a node in the view: a new CourseSqlQueryModel owned by the view
    // replaces (and deletes) the view's previous course model. Models still shown when this
    // object is destroyed are emptied, since their rows live in its database.
    void showCourses(QTableView *view, int nodeId);

    QString courseName(int courseId);
    // 1 user course, 2 official course; 0 when there is no such course.
    int courseType(int courseId);
    // The course's file id; 0 when there is no such course.
    int courseMid(int courseId);
    // The node's catype; 0 when there is no such node.
    int nodeType(int nodeId);
    QString nodeName(int nodeId);
    // Full path of the course's word file; the program folder for an unknown course type.
    // An official course missing from the program folder is looked up in the data folder's
    // own "odata/course", where downloaded courses go.
    QString coursePath(int courseId);
    // Learning-record prefix: "o" official, "u" user, "" (logged) otherwise.
    QString getCoursePrxByid(int courseId);
    // Whether the course's word file exists and holds at least one word.
    bool isCourseAvailable(int courseId);
    // Whether the user's folder holds any learning record.
    bool hasLearnFiles();
    // Whether the word file of official course mid is installed: shipped in the program
    // folder or downloaded into the data folder.
    bool isOfficialCourseInstalled(int mid);
    // Full path of the user's learning record of the course; empty for an unknown course.
    QString learningRecordPath(int courseId);

    int userCoursesNodeId() const { return m_userCoursesNode; }
    int myCoursesNodeId() const { return m_myCoursesNode; }
    int officialCoursesNodeId() const { return m_officialCoursesNode; }
    int masteredNodeId() const { return m_masteredNode; }
    int testCoursesNodeId() const { return m_testCoursesNode; }
    int learningNodeId() const { return m_learningNode; }
    // The summary of the learning record file at path, through the reader given at
    // construction.
    LearningRecordSummary readRecord(const QString &path) const { return m_readRecord(path); }

    OCategoryCourseDB *oCategoryCourseDB() const { return m_official; }
    UCategoryCourseDB *uCategoryCourseDB() const { return m_user; }
    MCategoryCourseDB *mCategoryCourseDB() const { return m_my; }

private:
    // The user's record file of a course type and file id; empty for another type or an
    // unsafe user name.
    QString recordPath(int cttype, int mid) const;
    void merge(CategoryCourseDBBase *catalogue, int catype, int treeParent, int catalogueParent,
               bool createNodes);
    void mergeLevel(CategoryCourseDBBase *catalogue, int catype, int treeParent,
                    int catalogueParent, bool createNodes, QList<int> &path);
    void recount();
    // Sets exist = 1 for the courses of type cttype whose word file lies in folder.
    void markInstalled(int cttype);
    void findSpecialNodes();
    void loadStatistics();
    int findNode(const char *name, int catype);
    void addChildren(QTreeWidgetItem *item, int parentId);

    QString m_userName;
    OCategoryCourseDB *m_official = nullptr;
    UCategoryCourseDB *m_user = nullptr;
    MCategoryCourseDB *m_my = nullptr;
    int m_userCoursesNode = 0;
    int m_myCoursesNode = 0;
    int m_officialCoursesNode = 0;
    int m_masteredNode = 0;
    int m_testCoursesNode = 0;
    int m_learningNode = 0;
    LearningRecordReader m_readRecord;
    QList<QPointer<MlBaseSqlQueryModel>> m_models;
};

// The process-wide category tree: created, deleted and re-created by the course manager page
// after every change to courses or records (null until the page has built it). Read by the
// main window and the home page to find and open courses; valid only until the next rebuild.
extern CourseCategoryMgr *g_pCourseCategoryMgr;
