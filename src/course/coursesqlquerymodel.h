#pragma once

#include "course/mlbasesqlquerymodel.h"

// Course rows of the category tree as the course tables show them: course types, install
// state and word counts as texts, the install state coloured.
class CourseSqlQueryModel : public MlBaseSqlQueryModel
{
    Q_OBJECT

public:
    static const char *const kInstalledColor;
    static const char *const kNotInstalledColor;

    explicit CourseSqlQueryModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
