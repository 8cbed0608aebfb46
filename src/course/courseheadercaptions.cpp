#include "course/courseheadercaptions.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace {

QHash<QString, QString> &captions()
{
    static QHash<QString, QString> table;
    return table;
}

} // namespace

void initCourseHeaderCaptions()
{
    struct Entry
    {
        const char *column;
        const char *caption;
    };
    static const Entry kEntries[] = {
        {"cttype", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "课程类型")},
        {"name", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "课程名")},
        {"wcount", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "单词数")},
        {"level", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "难度")},
        {"ffactor", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "遗忘率")},
        {"lpercent", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "学习进度")},
        {"mwcount", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "掌握数")},
        {"swcount", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "学习数")},
        {"sltime", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "首次学习时间")},
        {"fftime", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "预计完成时间")},
        {"lltime", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "上次学习时间")},
        {"ltcount", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "累计用时")},
        {"lltcount", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "上次学习时长")},
        {"exist", QT_TRANSLATE_NOOP("CourseSqlQueryModel", "是否安装")},
    };
    QHash<QString, QString> &table = captions();
    table.clear();
    for (const Entry &e : kEntries)
        table.insert(QLatin1String(e.column),
                     QCoreApplication::translate("CourseSqlQueryModel", e.caption));
}

QString courseHeaderCaption(const QString &column)
{
    // Tables shown before start-up filled the captions still get them.
    if (captions().isEmpty())
        initCourseHeaderCaptions();
    return captions().value(column, column);
}

void applyCourseHeaderCaptions(QSqlQueryModel *model)
{
    if (!model)
        return;
    const QSqlRecord record = model->record();
    for (int column = 0; column < record.count(); ++column)
        model->setHeaderData(column, Qt::Horizontal, courseHeaderCaption(record.fieldName(column)),
                             Qt::EditRole);
}
