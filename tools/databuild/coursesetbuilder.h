#pragma once

#include "cataloguedbbuilder.h"
#include "cataloguedefinition.h"

#include <QList>
#include <QString>
#include <QStringList>

// Builds every course of the catalogue definition: the word file of each course into the
// staging folder (the archives of the course server are made from there), a copy of the
// installed ones into "<odata>/course", and the official catalogue beside them. Courses
// whose word list does not exist (yet) are left out, with a warning; their categories
// stay in the catalogue.
// Other files in "<odata>/course" (courses downloaded by the trainer) are left alone.
class CourseSetBuilder
{
public:
    // blockListFile names the words no entry may hold; empty for none.
    CourseSetBuilder(const QString &catalogueFile, const QString &courseFolder,
                     const QString &odataFolder, const QString &stageFolder,
                     const QString &blockListFile = QString());

    bool build();

    // Faults that stopped the build, and notes that did not.
    const QStringList &errors() const { return m_errors; }
    const QStringList &warnings() const { return m_warnings; }
    // One line per built course: mid, name, words, words with a sentence.
    const QStringList &summary() const { return m_summary; }
    const QList<CatalogueEntry> &builtCourses() const { return m_built; }

private:
    QString m_catalogueFile;
    QString m_courseFolder;
    QString m_odataFolder;
    QString m_stageFolder;
    QString m_blockListFile;
    QStringList m_errors;
    QStringList m_warnings;
    QStringList m_summary;
    QList<CatalogueEntry> m_built;
};
