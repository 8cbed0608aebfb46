#pragma once

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
class CatalogueDefinition
{
public:
    bool read(const QString &fileName);
    bool parse(const QString &text, const QString &fileName);

    const QList<CatalogueCourse> &courses() const { return m_courses; }
    const QStringList &errors() const { return m_errors; }

private:
    void addError(const QString &fileName, int line, const QString &message);

    QList<CatalogueCourse> m_courses;
    QStringList m_errors;
};
