#include "sourcefilereader.h"

#include <QFile>

bool SourceFileReader::read(const QString &fileName)
{
    reset();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), fileName);
}

void SourceFileReader::reset()
{
    clearEntries();
    m_errors.clear();
}

void SourceFileReader::addError(const QString &fileName, int line, const QString &message)
{
    m_errors << QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(message);
}

bool SourceFileReader::splitFields(const QString &line, int count, const QString &fileName,
                                   int lineNumber, QStringList *fields)
{
    *fields = line.split(QLatin1Char('\t'));
    if (fields->size() == count)
        return true;
    addError(fileName, lineNumber,
             QStringLiteral("expected %1 TAB-separated fields, found %2")
                 .arg(count)
                 .arg(fields->size()));
    return false;
}
