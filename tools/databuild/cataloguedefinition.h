#pragma once

#include "sourcefilereader.h"

#include <QList>
#include <QString>
#include <QStringList>

// One course of the official catalogue as the definition file lists it.
struct CatalogueCourse
{
    int mid = 0;
    QString name;
    QStringList categoryPath; // top-level category first
    QString source;           // word list file name, relative to the course folder
    bool installed = false;
    int line = 0;
};

// The definition of the official catalogue: "#" comments, blank lines, and one course a
// line "mid<TAB>name<TAB>category/sub<TAB>source<TAB>yes|no". Every fault is collected.
class CatalogueDefinition : public SourceFileReader
{
public:
    bool parse(const QString &text, const QString &fileName) override;

    const QList<CatalogueCourse> &courses() const { return m_courses; }

private:
    void clearEntries() override { m_courses.clear(); }

    QList<CatalogueCourse> m_courses;
};
