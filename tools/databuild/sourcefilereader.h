#pragma once

#include <QString>
#include <QStringList>

// Base of the readers of the TAB-separated text sources. A file is read as UTF-8 and
// handed to parse; the reader keeps going after a fault so that one run lists every fault,
// each as "file:line: what is wrong".
class SourceFileReader
{
public:
    virtual ~SourceFileReader() = default;

    // Returns false when the file cannot be read or holds any error.
    bool read(const QString &fileName);
    // Parses text as if it were the file fileName (used in messages).
    virtual bool parse(const QString &text, const QString &fileName) = 0;

    // One message per fault.
    const QStringList &errors() const { return m_errors; }

protected:
    // Forgets what an earlier read or parse found: the entries and the errors.
    void reset();
    // Forgets the entries of an earlier read or parse.
    virtual void clearEntries() = 0;
    void addError(const QString &fileName, int line, const QString &message);
    // The TAB-separated fields of a line; with other than count fields the fault is
    // collected and false returned.
    bool splitFields(const QString &line, int count, const QString &fileName, int lineNumber,
                     QStringList *fields);

    QStringList m_errors;
};
