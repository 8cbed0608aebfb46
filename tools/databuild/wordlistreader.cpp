#include "wordlistreader.h"

#include <QFile>
#include <QSet>

bool WordListReader::read(const QString &fileName)
{
    m_words.clear();
    m_errors.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), fileName);
}

bool WordListReader::parse(const QString &text, const QString &fileName)
{
    m_words.clear();
    m_errors.clear();
    QSet<QString> seen;
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
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 4) {
            addError(
                fileName, lineNumber,
                QStringLiteral("expected 4 TAB-separated fields, found %1").arg(fields.size()));
            continue;
        }
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

void WordListReader::addError(const QString &fileName, int line, const QString &message)
{
    m_errors << QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(message);
}
