#pragma once

#include "course/categorycoursedbbase.h"

#include <QString>

class CourseCategoryMgr;

// "My courses": an in-memory catalogue of the courses the user has a learning record for,
// rebuilt on construction from the "*.ldb" files in the user's folder. It always holds
// the category "我的课程" with the children "学习中.." (being learned) and "已掌握.."
// (every word known well), and one course row per learning record.
class MCategoryCourseDB : public CategoryCourseDBBase
{
public:
    static const char *const kConnectionName;
    static const char *const kCreateCategoryTable;
    static const char *const kCreateCourseTable;
    static const char *const kInsertTopCategory;
    static const char *const kInsertLearningCategory;
    static const char *const kInsertMasteredCategory;
    static const char *const kInsertCourse;

    // owner supplies the official and user catalogues, in which the names and word counts
    // of the recorded courses are looked up.
    MCategoryCourseDB(const QString &userName, CourseCategoryMgr *owner);
    ~MCategoryCourseDB() override;

    int learningCategoryId() const { return m_learningId; }
    int masteredCategoryId() const { return m_masteredId; }

private:
    void fill();

    QString m_userName;
    CourseCategoryMgr *m_owner;
    int m_topId = 0;
    int m_learningId = 0;
    int m_masteredId = 0;
};
