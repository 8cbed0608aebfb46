#include "course/ocategorycoursedb.h"

const char *const OCategoryCourseDB::kRelativePath = "/odata/course/categorycourse.db";

OCategoryCourseDB::OCategoryCourseDB()
{
    openCatalogue(QString::fromLatin1(kRelativePath), true);
}

OCategoryCourseDB::~OCategoryCourseDB() = default;
