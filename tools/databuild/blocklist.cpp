#include "blocklist.h"

bool BlockList::parse(const QString &text, const QString &fileName)
{
    reset();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i).trimmed();
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const bool letters =
            std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.isLetter(); });
        if (!letters) {
            addError(fileName, i + 1, QStringLiteral("a blocked word is letters only"));
            continue;
        }
        m_words.insert(line.toLower());
    }
    return m_errors.isEmpty();
}

QString BlockList::firstMatch(const QString &text) const
{
    if (m_words.isEmpty())
        return QString();
    int start = -1;
    for (int i = 0; i <= text.size(); ++i) {
        const bool letter = i < text.size() && text.at(i).isLetter();
        if (letter && start < 0) {
            start = i;
        } else if (!letter && start >= 0) {
            const QString word = text.mid(start, i - start).toLower();
            if (m_words.contains(word))
                return word;
            start = -1;
        }
    }
    return QString();
}
