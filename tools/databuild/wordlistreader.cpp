#include "wordlistreader.h"

#include "entrychecker.h"

#include <QSet>

bool WordListReader::parse(const QString &text, const QString &fileName)
{
    reset();
    QSet<QString> seen;
    const EntryChecker checker(m_blockList);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNumber = i + 1;
        QStringList fields;
        if (!splitFields(line, 4, fileName, lineNumber, &fields))
            continue;
        CourseWord entry;
        entry.word = fields.at(0).trimmed();
        entry.phonetic = fields.at(1).trimmed();
        entry.trans = fields.at(2).trimmed();
        entry.esentence = fields.at(3).trimmed();
        entry.line = lineNumber;
        bool good = true;
        if (entry.word.isEmpty()) {
            addError(fileName, lineNumber, QStringLiteral("empty headword"));
            good = false;
        }
        if (entry.phonetic.isEmpty()) {
            addError(fileName, lineNumber, QStringLiteral("empty phonetic"));
            good = false;
        }
        if (entry.trans.isEmpty()) {
            addError(fileName, lineNumber, QStringLiteral("empty translation"));
            good = false;
        }
        if (!good)
            continue;
        if (seen.contains(entry.word)) {
            addError(fileName, lineNumber,
                     QStringLiteral("headword \"%1\" is listed twice").arg(entry.word));
            continue;
        }
        seen.insert(entry.word);
        const QStringList faults = checker.check(entry);
        for (const QString &fault : faults)
            addError(fileName, lineNumber, fault);
        if (faults.isEmpty())
            m_words << entry;
    }
    return m_errors.isEmpty();
}

int WordListReader::sentenceCount() const
{
    int count = 0;
    for (const CourseWord &entry : m_words)
        if (!entry.esentence.isEmpty())
            ++count;
    return count;
}
