#include "course/coursesqlquerymodel.h"

#include <QColor>
#include <QCoreApplication>
#include <QSqlRecord>

const char *const CourseSqlQueryModel::kInstalledColor = "#219A44";
const char *const CourseSqlQueryModel::kNotInstalledColor = "#666666";

CourseSqlQueryModel::CourseSqlQueryModel(QObject *parent) : MlBaseSqlQueryModel(parent) {}

QVariant CourseSqlQueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ForegroundRole))
        return MlBaseSqlQueryModel::data(index, role);
    const QString field = record().fieldName(index.column());
    const QVariant value = MlBaseSqlQueryModel::data(index, Qt::DisplayRole);

    if (role == Qt::ForegroundRole) {
        if (field == QLatin1String("exist"))
            return QColor(QLatin1String(value.toBool() ? kInstalledColor : kNotInstalledColor));
        return MlBaseSqlQueryModel::data(index, role);
    }

    if (field == QLatin1String("exist"))
        return value.toBool() ? QCoreApplication::translate("CourseSqlQueryModel", "已安装")
                              : QCoreApplication::translate("CourseSqlQueryModel", "未安装");
    if (field == QLatin1String("cttype")) {
        switch (value.toInt()) {
        case 1:
            return QCoreApplication::translate("CourseSqlQueryModel", "用户课程");
        case 2:
            return QCoreApplication::translate("CourseSqlQueryModel", "官方课程");
        default:
            return value;
        }
    }
    if (field == QLatin1String("wcount") || field == QLatin1String("mwcount") ||
        field == QLatin1String("swcount"))
        return QCoreApplication::translate("CourseSqlQueryModel", "%1个").arg(value.toInt());
    return value;
}
