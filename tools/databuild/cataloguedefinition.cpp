#include "cataloguedefinition.h"

#include <QSet>

bool CatalogueDefinition::parse(const QString &text, const QString &fileName)
{
    reset();
    QSet<int> mids;
    QSet<QString> names;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNumber = i + 1;
        QStringList fields;
        if (!splitFields(line, 5, fileName, lineNumber, &fields))
            continue;
        CatalogueCourse course;
        bool numberOk = false;
        course.mid = fields.at(0).trimmed().toInt(&numberOk);
        course.name = fields.at(1).trimmed();
        course.categoryPath = fields.at(2).trimmed().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (QString &part : course.categoryPath)
            part = part.trimmed();
        course.source = fields.at(3).trimmed();
        const QString installed = fields.at(4).trimmed();
        course.line = lineNumber;
        if (!numberOk || course.mid <= 0) {
            addError(fileName, lineNumber, QStringLiteral("mid must be a positive number"));
            continue;
        }
        if (mids.contains(course.mid)) {
            addError(fileName, lineNumber, QStringLiteral("mid %1 is used twice").arg(course.mid));
            continue;
        }
        if (course.name.isEmpty() || names.contains(course.name)) {
            addError(fileName, lineNumber, QStringLiteral("course name empty or used twice"));
            continue;
        }
        // Course and category names travel through SQL text elsewhere in the trainer.
        if (course.name.contains(QLatin1Char('\'')) ||
            course.categoryPath.join(QString()).contains(QLatin1Char('\''))) {
            addError(fileName, lineNumber, QStringLiteral("names must not contain a quote"));
            continue;
        }
        if (course.categoryPath.isEmpty()) {
            addError(fileName, lineNumber, QStringLiteral("empty category path"));
            continue;
        }
        if (course.source.isEmpty() || course.source.contains(QLatin1Char('/'))) {
            addError(fileName, lineNumber,
                     QStringLiteral("source must be a file name in the course folder"));
            continue;
        }
        if (installed == QLatin1String("yes"))
            course.installed = true;
        else if (installed != QLatin1String("no")) {
            addError(fileName, lineNumber, QStringLiteral("installed must be yes or no"));
            continue;
        }
        mids.insert(course.mid);
        names.insert(course.name);
        m_courses << course;
    }
    return m_errors.isEmpty();
}
