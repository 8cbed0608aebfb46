#include "learn/learncoursedb.h"

#include "learn/learncodes.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

LearnCourseDB::LearnCourseDB(const QString &path, CourseWordIds wordIds)
    : m_recordPath(path), m_created(false)
{
    const QFileInfo info(path);
    // A 0-byte file holds no record (SQLite reads it as an empty database): make it anew,
    // but only with the course's words at hand. A reader without the course (report,
    // course lists) leaves it as it is, so that the next study still fills it.
    const bool empty = info.exists() && info.size() == 0;
    if (empty && !wordIds) {
        if (!open(path, QString()))
            qDebug() << "LearnCourseDB::LearnCourseDB 学习记录无法打开" << path;
        return;
    }
    const bool isNew = !info.exists() || empty;
    if (isNew) {
        QDir().mkpath(info.absolutePath());
        // Side files of an earlier file of the same name must not be applied to this one.
        for (const char *suffix : {"-journal", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(suffix));
    }
    if (!open(path, QString()))
        qDebug() << "LearnCourseDB::LearnCourseDB 学习记录无法打开" << path;
    if (isNew && isOpen()) {
        if (!wordIds)
            qDebug() << "LearnCourseDB::LearnCourseDB 没有课程, 学习记录不含单词" << path;
        const int added = createAndFill(wordIds ? wordIds() : QList<int>());
        m_created = added >= 0;
        qDebug() << "LearnCourseDB::LearnCourseDB 新建学习记录" << path << added;
    } else if (wordIds && isOpen() && isWordless()) {
        // Tables without words (a record made before creation and fill were one step, and
        // killed in between): records never gain words otherwise, so fill it now.
        const QList<int> ids = wordIds();
        if (!ids.isEmpty()) {
            const int added = createAndFill(ids);
            qDebug() << "LearnCourseDB::LearnCourseDB 学习记录没有单词, 重新填充" << path << added;
        }
    }
}

LearnCourseDB::~LearnCourseDB() = default;

bool LearnCourseDB::isWordless()
{
    const int tables = rexec(QStringLiteral("select count(*) from sqlite_master")).toInt();
    const bool hasWordTable =
        rexec(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name "
                             "= 'TSTUDYWORD'"))
            .toInt() > 0;
    // A database holding other tables is not a record: leave it alone.
    return tables == 0 || (hasWordTable && totalWords() == 0);
}
