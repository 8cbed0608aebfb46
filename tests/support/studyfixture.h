#pragma once

#include "testroot.h"

#include <QStringList>

class CourseCategoryMgr;
class CSpeakBase;
class QWidget;

// A program root with the global settings, an official catalogue and a 30-word course
// ("三十词课程", words "apple1".."apple30") for user "alice", and the category tree over it.
class StudyFixture
{
public:
    static const char *const kCourseName;
    static const int kWords = 30;

    StudyFixture();
    ~StudyFixture();

    TestRoot &root() { return m_root; }
    CourseCategoryMgr *tree() { return m_tree; }
    // The tree's course id of the 30-word course, and of a listed course without a file.
    int courseId() const { return m_courseId; }
    int missingCourseId() const { return m_missingId; }
    // The learning record of the 30-word course.
    QString recordPath() const;
    // The first column of every row of sql on the record file.
    QVariantList column(const QString &sql) const;
    // Runs the statements on the record file; false if any failed.
    bool exec(const QStringList &statements) const;
    void setAdvancedMode(bool advanced);

private:
    TestRoot m_root;
    CourseCategoryMgr *m_tree = nullptr;
    int m_courseId = 0;
    int m_missingId = 0;
};
