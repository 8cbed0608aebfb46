#include "wordnetsentences.h"

#include "blocklist.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-');
}

bool isVowel(QChar c)
{
    return QStringLiteral("aeiou").contains(c);
}

// Consonant-vowel-consonant ending whose last consonant may double ("stop" -> "stopped",
// "prefer" -> "preferred").
bool endsConsonantVowelConsonant(const QString &w)
{
    if (w.size() < 3)
        return false;
    const QChar last = w.at(w.size() - 1);
    const QChar middle = w.at(w.size() - 2);
    const QChar first = w.at(w.size() - 3);
    return last.isLetter() && !isVowel(last) && !QStringLiteral("wxy").contains(last) &&
           isVowel(middle) && first.isLetter() && !isVowel(first);
}

// A one-syllable word with that ending always doubles; a longer one only when its last
// syllable is stressed, which the spelling does not tell: both forms are searched then.
bool isShortSyllable(const QString &w)
{
    int vowels = 0;
    for (QChar c : w)
        if (isVowel(c))
            ++vowels;
    return w.size() <= 4 && vowels == 1;
}

bool endsWithConsonantY(const QString &w)
{
    return w.size() > 2 && w.endsWith(QLatin1Char('y')) && !isVowel(w.at(w.size() - 2));
}

QStringList nounForms(const QString &w)
{
    QStringList forms{w + QLatin1Char('s')};
    if (w.endsWith(QLatin1Char('s')) || w.endsWith(QLatin1Char('x')) ||
        w.endsWith(QLatin1Char('z')) || w.endsWith(QLatin1String("ch")) ||
        w.endsWith(QLatin1String("sh")))
        forms << w + QLatin1String("es");
    if (endsWithConsonantY(w))
        forms << w.left(w.size() - 1) + QLatin1String("ies");
    return forms;
}

QStringList verbForms(const QString &w)
{
    QStringList forms = nounForms(w);
    const bool doubles = endsConsonantVowelConsonant(w);
    const bool onlyDoubled = doubles && isShortSyllable(w);
    if (w.endsWith(QLatin1Char('e'))) {
        forms << w + QLatin1Char('d');
        if (w.endsWith(QLatin1String("ie")))
            forms << w.left(w.size() - 2) + QLatin1String("ying");
        else if (w.endsWith(QLatin1String("ee")) || w.endsWith(QLatin1String("oe")) ||
                 w.endsWith(QLatin1String("ye")))
            forms << w + QLatin1String("ing");
        else
            forms << w.left(w.size() - 1) + QLatin1String("ing");
    } else if (endsWithConsonantY(w)) {
        forms << w.left(w.size() - 1) + QLatin1String("ied") << w + QLatin1String("ing");
    } else if (!onlyDoubled) {
        forms << w + QLatin1String("ed") << w + QLatin1String("ing");
    }
    if (doubles)
        forms << w + w.back() + QLatin1String("ed") << w + w.back() + QLatin1String("ing");
    return forms;
}

QStringList adjectiveForms(const QString &w)
{
    QStringList forms;
    const bool doubles = endsConsonantVowelConsonant(w);
    if (w.endsWith(QLatin1Char('e')))
        forms << w + QLatin1Char('r') << w + QLatin1String("st");
    else if (endsWithConsonantY(w))
        forms << w.left(w.size() - 1) + QLatin1String("ier")
              << w.left(w.size() - 1) + QLatin1String("iest");
    else if (!(doubles && isShortSyllable(w)))
        forms << w + QLatin1String("er") << w + QLatin1String("est");
    if (doubles)
        forms << w + w.back() + QLatin1String("er") << w + w.back() + QLatin1String("est");
    return forms;
}

int wordCount(const QString &text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
}

// Lower is better: sentences of about nine words read best as examples.
int lengthPenalty(const QString &text)
{
    const int n = wordCount(text);
    int penalty = std::abs(n - 9);
    if (n > 16)
        penalty += 10;
    return penalty;
}

} // namespace

bool WordNetSentences::containsWord(const QString &text, const QString &form)
{
    if (form.isEmpty())
        return false;
    int from = 0;
    while (true) {
        const int at = text.indexOf(form, from);
        if (at < 0)
            return false;
        const int end = at + form.size();
        const bool startOk = at == 0 || !isWordChar(text.at(at - 1));
        const bool endOk = end == text.size() || !isWordChar(text.at(end));
        if (startOk && endOk)
            return true;
        from = at + 1;
    }
}

QStringList WordNetSentences::inflections(const QString &lemma, const QString &partsOfSpeech,
                                          const QHash<QString, QStringList> &irregular)
{
    // Irregular forms are listed per part of speech: "might" belongs to the verb "may",
    // not to the month.
    const auto irregularOf = [&](QChar pos, const QString &word) {
        return irregular.value(QString(pos) + QLatin1Char(':') + word);
    };
    QStringList forms{lemma};
    for (const QChar pos : partsOfSpeech)
        forms << irregularOf(pos, lemma);
    const QStringList words = lemma.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return forms;
    const bool noun = partsOfSpeech.contains(QLatin1Char('n'));
    const bool verb = partsOfSpeech.contains(QLatin1Char('v'));
    const bool adjective = partsOfSpeech.contains(QLatin1Char('a'));
    if (words.size() == 1) {
        if (noun)
            forms << nounForms(lemma);
        if (verb)
            forms << verbForms(lemma);
        if (adjective)
            forms << adjectiveForms(lemma);
    } else {
        // Phrasal verbs change their first word ("gave up"), compounds their last.
        const QString rest = QStringList(words.mid(1)).join(QLatin1Char(' '));
        const QString head = QStringList(words.mid(0, words.size() - 1)).join(QLatin1Char(' '));
        if (verb) {
            QStringList first = verbForms(words.first());
            first << irregularOf(QLatin1Char('v'), words.first());
            for (const QString &f : first)
                forms << f + QLatin1Char(' ') + rest;
        }
        if (noun) {
            QStringList last = nounForms(words.last());
            last << irregularOf(QLatin1Char('n'), words.last());
            for (const QString &f : last)
                forms << head + QLatin1Char(' ') + f;
        }
    }
    forms.removeDuplicates();
    return forms;
}

QString WordNetSentences::asSentence(const QString &example)
{
    QString s = example.simplified();
    s.replace(QLatin1Char('`'), QLatin1Char('\''));
    if (s.isEmpty())
        return s;
    if (s.at(0).isLower())
        s[0] = s.at(0).toUpper();
    const QChar last = s.back();
    if (last != QLatin1Char('.') && last != QLatin1Char('!') && last != QLatin1Char('?'))
        s += QLatin1Char('.');
    return s;
}

bool WordNetSentences::load(const QString &folder)
{
    m_sentences.clear();
    m_lowerSentences.clear();
    m_synsets.clear();
    m_lemmas.clear();
    m_irregular.clear();
    const struct
    {
        const char *name;
        char pos;
    } parts[] = {{"noun", 'n'}, {"verb", 'v'}, {"adj", 'a'}, {"adv", 'r'}};
    for (const auto &part : parts) {
        const QString name = QLatin1String(part.name);
        if (!loadData(folder + QStringLiteral("/data.") + name, QLatin1Char(part.pos)) ||
            !loadIndex(folder + QStringLiteral("/index.") + name, QLatin1Char(part.pos)))
            return false;
        // Adverbs have no irregular forms worth a file; a missing one is no fault.
        const QString exceptions = folder + QLatin1Char('/') + name + QStringLiteral(".exc");
        if (QFile::exists(exceptions) && !loadExceptions(exceptions, QLatin1Char(part.pos)))
            return false;
    }
    return true;
}

bool WordNetSentences::loadData(const QString &fileName, QChar pos)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
    static const QRegularExpression marker(QStringLiteral("\\((a|p|ip)\\)$"));
    while (!file.atEnd()) {
        // WordNet files are plain ASCII apart from a few Latin-1 letters.
        const QString line = QString::fromLatin1(file.readLine());
        if (line.startsWith(QLatin1Char(' ')))
            continue; // licence header
        const int bar = line.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        const QStringList fields = line.left(bar).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 4)
            continue;
        bool ok = false;
        const int count = fields.at(3).toInt(&ok, 16);
        if (!ok || fields.size() < 4 + 2 * count)
            continue;
        Synset synset;
        for (int i = 0; i < count; ++i) {
            QString word = fields.at(4 + 2 * i);
            word.remove(marker);
            word.replace(QLatin1Char('_'), QLatin1Char(' '));
            synset.words << word;
        }
        const QString gloss = line.mid(bar + 1);
        auto it = quoted.globalMatch(gloss);
        while (it.hasNext()) {
            const QString example = it.next().captured(1).simplified();
            if (example.isEmpty())
                continue;
            synset.examples.append(m_sentences.size());
            m_sentences << example;
            m_lowerSentences << example.toLower();
        }
        m_synsets.insert(QString(pos) + QLatin1Char(':') + fields.at(0), synset);
    }
    return true;
}

bool WordNetSentences::loadIndex(const QString &fileName, QChar pos)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine());
        if (line.startsWith(QLatin1Char(' ')))
            continue;
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 6)
            continue;
        const int synsetCount = f.at(2).toInt();
        const int pointerCount = f.at(3).toInt();
        const int tagged = 4 + pointerCount + 1;
        if (f.size() < tagged + 1 + synsetCount)
            continue;
        IndexEntry entry;
        entry.pos = pos;
        entry.taggedSenses = f.at(tagged).toInt();
        for (int i = 0; i < synsetCount; ++i)
            entry.synsets << QString(pos) + QLatin1Char(':') + f.at(tagged + 1 + i).trimmed();
        QString lemma = f.at(0);
        lemma.replace(QLatin1Char('_'), QLatin1Char(' '));
        m_lemmas[lemma].append(entry);
    }
    return true;
}

bool WordNetSentences::loadExceptions(const QString &fileName, QChar pos)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString());
        return false;
    }
    // Each line: an inflected form, then the base forms it belongs to.
    while (!file.atEnd()) {
        const QStringList f =
            QString::fromLatin1(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 2)
            continue;
        QString inflected = f.at(0).trimmed();
        inflected.replace(QLatin1Char('_'), QLatin1Char(' '));
        for (int i = 1; i < f.size(); ++i) {
            QString base = f.at(i).trimmed();
            base.replace(QLatin1Char('_'), QLatin1Char(' '));
            const QString key = QString(pos) + QLatin1Char(':') + base;
            if (!base.isEmpty() && !m_irregular.value(key).contains(inflected))
                m_irregular[key].append(inflected);
        }
    }
    return true;
}

bool WordNetSentences::hasBrokenPunctuation(const QString &sentence)
{
    static const QRegularExpression marksInARow(
        QStringLiteral("[,;:]\\s*[.,;:!?]|[.!?]\\s*[,;:.!?]|^\\s*[,;:.!?]"));
    if (marksInARow.match(sentence).hasMatch())
        return true;
    return sentence.count(QLatin1Char('(')) != sentence.count(QLatin1Char(')')) ||
           sentence.count(QLatin1Char('"')) % 2 != 0;
}

bool WordNetSentences::isUsable(int sentence) const
{
    const QString &text = m_sentences.at(sentence);
    if (wordCount(text) < kMinimumWords || hasBrokenPunctuation(asSentence(text)))
        return false;
    return !m_blockList || m_blockList->firstMatch(text).isEmpty();
}

int WordNetSentences::bestCandidate(const QVector<int> &candidates, const QStringList &forms) const
{
    // An example that says little more than the word itself ("closed-circuit television"
    // for that lemma) shows no use of it.
    const int minimumWords = wordCount(forms.first()) + 2;
    int best = -1;
    int bestScore = 0;
    for (int id : candidates) {
        if (wordCount(m_sentences.at(id)) < minimumWords || !isUsable(id))
            continue;
        const QString &lower = m_lowerSentences.at(id);
        const bool holds = std::any_of(forms.cbegin(), forms.cend(),
                                       [&](const QString &f) { return containsWord(lower, f); });
        if (!holds)
            continue;
        const int score = lengthPenalty(m_sentences.at(id));
        if (best < 0 || score < bestScore) {
            best = id;
            bestScore = score;
        }
    }
    return best;
}

QMap<QString, QString> WordNetSentences::pickSentences() const
{
    QMap<QString, QString> result;
    for (auto it = m_lemmas.cbegin(); it != m_lemmas.cend(); ++it) {
        const QString &lemma = it.key();
        if (m_blockList && !m_blockList->firstMatch(lemma).isEmpty())
            continue;
        QList<IndexEntry> entries = it.value();
        QString partsOfSpeech;
        for (const IndexEntry &entry : entries)
            partsOfSpeech += entry.pos;
        const QStringList forms = inflections(lemma, partsOfSpeech, m_irregular);
        std::stable_sort(entries.begin(), entries.end(),
                         [](const IndexEntry &a, const IndexEntry &b) {
                             return a.taggedSenses > b.taggedSenses;
                         });

        // The first sense, in WordNet's order, with a usable example of the lemma gives
        // the sentence: a later, rarer sense only when the earlier ones have none. Senses
        // never met in WordNet's tagged texts (they come last) are too rare to show, save
        // the first sense of a word that has no tagged sense at all.
        int chosen = -1;
        for (const IndexEntry &entry : entries) {
            const int senses =
                std::min<int>(std::max(entry.taggedSenses, 1), int(entry.synsets.size()));
            for (const QString &key : entry.synsets.mid(0, senses)) {
                chosen = bestCandidate(m_synsets.value(key).examples, forms);
                if (chosen >= 0)
                    break;
            }
            if (chosen >= 0)
                break;
        }
        if (chosen < 0)
            continue;

        // Keep WordNet's spelling ("Paris", "Monday") from the lemma's most frequent sense.
        QString spelling = lemma;
        if (!entries.isEmpty() && !entries.first().synsets.isEmpty()) {
            const QStringList words = m_synsets.value(entries.first().synsets.first()).words;
            for (const QString &w : words)
                if (w.toLower() == lemma) {
                    spelling = w;
                    break;
                }
        }
        result.insert(spelling, asSentence(m_sentences.at(chosen)));
    }
    return result;
}
