#include "learn/learncoursedb.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

LearnCourseDB::LearnCourseDB(const QString &path, CourseDB *course)
    : m_recordPath(path), m_created(false)
{
    const QFileInfo info(path);
    // A 0-byte file holds no record (SQLite reads it as an empty database): make it anew,
    // but only with the course's words at hand. A reader without the course (report,
    // course lists) leaves it as it is, so that the next study still fills it.
    const bool empty = info.exists() && info.size() == 0;
    if (empty && !course) {
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
        createTables();
        const int added = fillFromCourse(course);
        m_created = true;
        qDebug() << "LearnCourseDB::LearnCourseDB 新建学习记录" << path << added;
    }
}

LearnCourseDB::~LearnCourseDB() = default;
