#include "cataloguedbbuilder.h"

#include "course/ucategorycoursedb.h"

#include <QMap>

bool CatalogueDBBuilder::build(const QString &path, const QList<QStringList> &categories,
                               const QList<CatalogueEntry> &entries)
{
    if (!createFile(path))
        return false;

    // Category ids by path ("官方课程/基础词汇"), in order of first appearance.
    QMap<QString, int> categoryIds;
    QList<QStringList> categoryPaths;
    for (const QStringList &path : categories) {
        for (int depth = 1; depth <= path.size(); ++depth) {
            const QString key = QStringList(path.mid(0, depth)).join(QLatin1Char('/'));
            if (!categoryIds.contains(key)) {
                categoryIds.insert(key, categoryPaths.size() + 1);
                categoryPaths << path.mid(0, depth);
            }
        }
    }

    bool ok = m_database->transaction();
    ok = exec(QString::fromUtf8(UCategoryCourseDB::kCreateCategoryTable)) && ok;
    ok = exec(QString::fromUtf8(UCategoryCourseDB::kCreateCourseTable)) && ok;
    for (int i = 0; i < categoryPaths.size(); ++i) {
        const QStringList &categoryPath = categoryPaths.at(i);
        const QString key = categoryPath.join(QLatin1Char('/'));
        const int parent =
            categoryPath.size() == 1
                ? 0
                : categoryIds.value(QStringList(categoryPath.mid(0, categoryPath.size() - 1))
                                        .join(QLatin1Char('/')));
        int courses = 0;
        for (const CatalogueEntry &entry : entries) {
            const QString coursePath = entry.course.categoryPath.join(QLatin1Char('/'));
            if (coursePath == key || coursePath.startsWith(key + QLatin1Char('/')))
                ++courses;
        }
        ok = execBound(QStringLiteral("insert into TCategory(id, pid, name, coursecount) "
                                      "values(?, ?, ?, ?)"),
                       {i + 1, parent, categoryPath.last(), courses}) &&
             ok;
    }
    for (const CatalogueEntry &entry : entries) {
        const int category = categoryIds.value(entry.course.categoryPath.join(QLatin1Char('/')));
        ok = execBound(QStringLiteral("insert into TCourse(mid, cttype, cid, name, wcount, exist) "
                                      "values(?, 2, ?, ?, ?, ?)"),
                       {entry.course.mid, category, entry.course.name, entry.wordCount,
                        entry.course.installed ? 1 : 0}) &&
             ok;
    }
    ok = m_database->commit() && ok;
    close();
    if (!ok)
        m_error = QStringLiteral("%1: writing the catalogue failed (see the log above)").arg(path);
    return ok;
}
