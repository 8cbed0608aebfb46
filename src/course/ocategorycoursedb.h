#pragma once

#include "course/categorycoursedbbase.h"

// The official course catalogue "/odata/course/categorycourse.db", installed with the
// program and only ever read. Its top-level categories include "官方课程" and "测试课程".
class OCategoryCourseDB : public CategoryCourseDBBase
{
public:
    static const char *const kRelativePath;

    OCategoryCourseDB();
    ~OCategoryCourseDB() override;
};
