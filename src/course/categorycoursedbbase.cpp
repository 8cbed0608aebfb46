#include "course/categorycoursedbbase.h"

#include "app/apppath.h"

#include <QDebug>
#include <QFileInfo>

const char *const CategoryCourseDBBase::kSelectCourseName =
    "select name from TCourse where mid = %1";
const char *const CategoryCourseDBBase::kSelectWordCount =
    "select wcount from TCourse where mid = %1";
const char *const CategoryCourseDBBase::kSelectCoursesOfCategory =
    "select * from TCourse where cid = %1";
const char *const CategoryCourseDBBase::kSelectChildCategories =
    "select * from TCategory where pid = %1";

CategoryCourseDBBase::CategoryCourseDBBase() = default;

CategoryCourseDBBase::~CategoryCourseDBBase() = default;

void CategoryCourseDBBase::openCatalogue(const QString &relativePath, bool readOnly)
{
    const QString path = appPath(relativePath);
    if (!QFileInfo(path).isFile()) {
        qDebug().noquote() << QStringLiteral("%1不存在").arg(path);
        return;
    }
    if (readOnly)
        setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    open(path, QString());
}

QString CategoryCourseDBBase::getCourseName(int mid)
{
    if (!isOpen())
        return QString();
    return rexec(QString::fromLatin1(kSelectCourseName).arg(mid)).toString();
}

int CategoryCourseDBBase::getWordCount(int mid)
{
    if (!isOpen())
        return 0;
    return rexec(QString::fromLatin1(kSelectWordCount).arg(mid)).toInt();
}

QList<QVariantMap> CategoryCourseDBBase::courseRows(int cid)
{
    if (!isOpen())
        return {};
    return selectRows(QString::fromLatin1(kSelectCoursesOfCategory).arg(cid));
}

QList<QVariantMap> CategoryCourseDBBase::categoryRows(int pid)
{
    if (!isOpen())
        return {};
    return selectRows(QString::fromLatin1(kSelectChildCategories).arg(pid));
}
