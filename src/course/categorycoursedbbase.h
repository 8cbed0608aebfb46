#pragma once

#include "app/psqlite.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// Common part of the three course catalogues (official, user, my courses): tables
// TCategory and TCourse. The category tree reads their rows through this interface.
class CategoryCourseDBBase : public psqlite
{
public:
    static const char *const kSelectCourseName;
    static const char *const kSelectWordCount;
    static const char *const kSelectCoursesOfCategory;
    static const char *const kSelectChildCategories;

    CategoryCourseDBBase();
    ~CategoryCourseDBBase() override;

    // Name of the course with file id mid; empty when there is none.
    QString getCourseName(int mid);
    // Word count of the course with file id mid; 0 when there is none.
    int getWordCount(int mid);

    // Every TCourse row (all columns) whose category is cid, in stored order.
    QList<QVariantMap> courseRows(int cid);
    // Every TCategory row (all columns) whose parent is pid, in stored order.
    QList<QVariantMap> categoryRows(int pid);

protected:
    // Opens the catalogue file at the program-relative path when it exists; a missing
    // file is logged and leaves the catalogue empty (queries yield empty results).
    void openCatalogue(const QString &relativePath, bool readOnly);
};
