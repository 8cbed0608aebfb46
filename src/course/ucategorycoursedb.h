#pragma once

#include "course/categorycoursedbbase.h"

#include <QStringList>

// The user's own catalogue "/udata/course/categorycourse.db": imported courses and the
// categories the user made. Its top-level category 1 is "用户课程"; every category the
// user adds becomes its child. Names are stored exactly as given (quotes, percent signs
// and any script included).
//
// The catalogue is the user's own data and lies in the user data folder, where nothing is
// installed: when it is missing it is created with its tables and "用户课程" (id 1), so
// that courses can be imported from the first run on. Writes return whether the statement
// succeeded; on a catalogue that cannot be opened they change nothing and return false.
class UCategoryCourseDB : public CategoryCourseDBBase
{
public:
    static const char *const kRelativePath;

    // The word file of the user course with file id mid ("/udata/course/<mid>.db").
    static QString courseFilePath(int mid);
    static const char *const kCreateCategoryTable;
    static const char *const kCreateCourseTable;
    static const char *const kInsertUserCoursesCategory;
    static const char *const kAddCategory;
    static const char *const kSelectCategoryId;
    static const char *const kRenameCategory;
    static const char *const kDeleteCategory;
    static const char *const kSelectCourseId;
    static const char *const kAddCourse;
    static const char *const kSetCourseMid;
    static const char *const kSelectCourseMid;
    static const char *const kSetWordCount;
    static const char *const kDeleteCourse;
    static const char *const kSelectCourseNames;
    // Parent of every category the user adds: the "用户课程" category.
    static const int kUserCoursesCategoryId = 1;

    UCategoryCourseDB();
    ~UCategoryCourseDB() override;

    // Adds a category named name under "用户课程".
    bool addCategory(const QString &name);
    bool categoryExists(const QString &name);
    // Id of the category named name; 0 when there is none.
    int getCategoryId(const QString &name);
    bool renameCategory(int id, const QString &name);
    // Removes the category row only (its courses and subcategories stay).
    bool deleteCategory(int id);

    bool courseExists(const QString &name);
    // Adds an installed user course with no words yet under category cid and returns its
    // file id (equal to its row id); 0 when the row could not be added.
    int addCourse(int cid, const QString &name);
    // File id of the course named name; 0 when there is none.
    int getCourseMid(const QString &name);
    bool setWordCount(int id, int count);
    // Removes the course row only (its word file and learning records stay).
    bool deleteCourse(int id);
    // Names of the courses in category cid, in stored order.
    QStringList getCourseNames(int cid);

private:
    // Makes a new, empty catalogue at path holding only "用户课程".
    bool createCatalogue(const QString &path);
    // The two tables and the "用户课程" category, in one transaction.
    bool makeTables();
};
