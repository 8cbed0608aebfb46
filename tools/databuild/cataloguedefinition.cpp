#include "cataloguedefinition.h"

#include <QFile>
#include <QSet>

bool CatalogueDefinition::read(const QString &fileName)
{
    m_courses.clear();
    m_errors.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), fileName);
}

bool CatalogueDefinition::parse(const QString &text, const QString &fileName)
{
    m_courses.clear();
    m_errors.clear();
    QSet<int> mids;
    QSet<QString> names;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNumber = i + 1;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 5) {
            addError(
                fileName, lineNumber,
                QStringLiteral("expected 5 TAB-separated fields, found %1").arg(fields.size()));
            continue;
        }
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

void CatalogueDefinition::addError(const QString &fileName, int line, const QString &message)
{
    m_errors << QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(message);
}
