#include "learn/learncoursedbmemory.h"

#include <QDebug>

const char *const LearnCourseDBMemory::kCreateDueIndex =
    "CREATE INDEX if not exists [TSW Due] ON [TSTUDYWORD] ([Fp], [LastTime]) WHERE STATE = 1";
const char *const LearnCourseDBMemory::kCreateNewIndex =
    "CREATE INDEX if not exists [TSW New] ON [TSTUDYWORD] ([STATE]) WHERE STATE = 0";

LearnCourseDBMemory::LearnCourseDBMemory(const QString &connectionName)
{
    if (!open(QStringLiteral(":memory:"), connectionName))
        qDebug() << "LearnCourseDBMemory::LearnCourseDBMemory 无法打开内存数据库" << connectionName;
    createTables();
}

LearnCourseDBMemory::~LearnCourseDBMemory() = default;

int LearnCourseDBMemory::copyFrom(LearnCourseDBBase &source)
{
    const int copied = copyStudyWordsFrom(source);
    // Built after the bulk insert: one sort instead of 20,000 index updates.
    exec(QLatin1String(kCreateDueIndex));
    exec(QLatin1String(kCreateNewIndex));
    return copied;
}
