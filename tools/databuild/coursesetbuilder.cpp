#include "coursesetbuilder.h"

#include "blocklist.h"
#include "coursefilebuilder.h"
#include "wordlistreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CourseSetBuilder::CourseSetBuilder(const QString &catalogueFile, const QString &courseFolder,
                                   const QString &odataFolder, const QString &stageFolder,
                                   const QString &blockListFile)
    : m_catalogueFile(catalogueFile), m_courseFolder(courseFolder), m_odataFolder(odataFolder),
      m_stageFolder(stageFolder), m_blockListFile(blockListFile)
{
}

bool CourseSetBuilder::build()
{
    m_errors.clear();
    m_warnings.clear();
    m_summary.clear();
    m_built.clear();

    CatalogueDefinition definition;
    if (!definition.read(m_catalogueFile)) {
        m_errors = definition.errors();
        return false;
    }

    BlockList blockList;
    if (!m_blockListFile.isEmpty() && !blockList.read(m_blockListFile)) {
        m_errors = blockList.errors();
        return false;
    }

    const QString courseDir = m_odataFolder + QStringLiteral("/course");
    QDir().mkpath(courseDir);
    QDir().mkpath(m_stageFolder);
    for (const CatalogueCourse &course : definition.courses()) {
        const QString source = m_courseFolder + QLatin1Char('/') + course.source;
        if (!QFileInfo::exists(source)) {
            m_warnings << QStringLiteral("%1: course \"%2\" left out, its word list %3 is missing")
                              .arg(m_catalogueFile, course.name, source);
            continue;
        }
        WordListReader reader;
        reader.setBlockList(&blockList);
        if (!reader.read(source)) {
            m_errors << reader.errors();
            continue;
        }
        if (reader.words().isEmpty()) {
            m_errors << QStringLiteral("%1: holds no words").arg(source);
            continue;
        }
        const QString staged = QStringLiteral("%1/%2.db").arg(m_stageFolder).arg(course.mid);
        CourseFileBuilder builder;
        if (!builder.build(staged, reader.words())) {
            m_errors << builder.errorString();
            continue;
        }
        if (course.installed) {
            const QString installed = QStringLiteral("%1/%2.db").arg(courseDir).arg(course.mid);
            QFile::remove(installed);
            if (!QFile::copy(staged, installed)) {
                m_errors << QStringLiteral("%1: cannot be installed").arg(installed);
                continue;
            }
        }
        CatalogueEntry entry;
        entry.course = course;
        entry.wordCount = reader.words().size();
        m_built << entry;
        const int withSentence = reader.sentenceCount();
        m_summary << QStringLiteral("course %1 %2 (%3): %4 words, %5 with an example sentence "
                                    "(%6 %)")
                         .arg(course.mid)
                         .arg(course.name, course.installed ? QStringLiteral("installed")
                                                            : QStringLiteral("download"))
                         .arg(entry.wordCount)
                         .arg(withSentence)
                         .arg(100.0 * withSentence / entry.wordCount, 0, 'f', 1);
    }
    if (!m_errors.isEmpty())
        return false;

    QList<QStringList> categories;
    for (const CatalogueCourse &course : definition.courses())
        categories << course.categoryPath;
    CatalogueDBBuilder catalogue;
    if (!catalogue.build(courseDir + QStringLiteral("/categorycourse.db"), categories, m_built)) {
        m_errors << catalogue.errorString();
        return false;
    }
    return true;
}
