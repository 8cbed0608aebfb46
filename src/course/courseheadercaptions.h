#pragma once

#include <QString>

class QAbstractItemModel;
class QSqlQueryModel;

// Header texts of the course tables, by column name. Filled once at start-up (after the
// translators are installed) by initCourseHeaderCaptions; a column without an entry
// (such as "id" or "mid") is its own header.
void initCourseHeaderCaptions();
QString courseHeaderCaption(const QString &column);
// Sets every horizontal header of the model (edit role) to the caption of its field.
void applyCourseHeaderCaptions(QSqlQueryModel *model);
