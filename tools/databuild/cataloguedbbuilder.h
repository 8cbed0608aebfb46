#pragma once

#include "cataloguedefinition.h"
#include "dbfilebuilder.h"

#include <QList>
#include <QString>

// A catalogue course together with the number of words its file holds.
struct CatalogueEntry
{
    CatalogueCourse course;
    int wordCount = 0;
};

// Writes the official catalogue "categorycourse.db": TCategory (id, pid, name,
// coursecount) and TCourse (id, mid, cttype, cid, name, wcount, exist). Categories are
// numbered in the order they first appear in categoryPaths (a category's parents are
// made too) and are written even when no course of theirs was built: the trainer finds
// "官方课程" and "测试课程" by name. Every course is an official one (cttype 2), exist is
// 1 for installed courses; coursecount counts the courses of the category and of all
// categories below it.
class CatalogueDBBuilder : public DBFileBuilder
{
public:
    bool build(const QString &path, const QList<QStringList> &categoryPaths,
               const QList<CatalogueEntry> &entries);
};
