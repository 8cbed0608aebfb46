#include "entrychecker.h"

#include "blocklist.h"
#include "irregularforms.h"
#include "wordnetsentences.h"

#include <QRegularExpression>

namespace {

// Sound symbols of the course IPA, longest first so that "eɪ" is read before "e".
const QStringList &soundSymbols()
{
    static const QStringList symbols = [] {
        QStringList list{"eɪ", "aɪ", "ɔɪ", "əʊ", "aʊ", "ɪə", "eə", "ʊə", "iː", "ɑː", "ɔː", "uː",
                         "ɜː", "tʃ", "dʒ", "ɪ",  "i",  "e",  "æ",  "ɒ",  "ʊ",  "u",  "ʌ",  "ə",
                         "p",  "b",  "t",  "d",  "k",  "ɡ",  "f",  "v",  "θ",  "ð",  "s",  "z",
                         "ʃ",  "ʒ",  "h",  "m",  "n",  "ŋ",  "l",  "r",  "j",  "w",  "x"};
        return list;
    }();
    return symbols;
}

bool isStressMark(QChar c)
{
    return c == QChar(0x02C8) || c == QChar(0x02CC);
}

// The fault of one word of IPA, or an empty string.
QString ipaWordFault(const QString &word)
{
    bool afterStress = false;
    bool inParentheses = false;
    int soundsInParentheses = 0;
    const QString misplaced = QStringLiteral("phonetic: stress mark misplaced in \"%1\"");
    for (int i = 0; i < word.size();) {
        const QChar c = word.at(i);
        if (isStressMark(c)) {
            if (afterStress)
                return misplaced.arg(word);
            afterStress = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            const bool opening = c == QLatin1Char('(');
            if (opening == inParentheses || (!opening && soundsInParentheses == 0))
                return QStringLiteral("phonetic: parentheses misplaced in \"%1\"").arg(word);
            if (!opening && afterStress)
                return misplaced.arg(word);
            inParentheses = opening;
            soundsInParentheses = 0;
            ++i;
            continue;
        }
        const QStringList &symbols = soundSymbols();
        const auto found = std::find_if(symbols.cbegin(), symbols.cend(), [&](const QString &s) {
            return QStringView(word).mid(i).startsWith(s);
        });
        if (found == symbols.cend()) {
            if (c == QChar(0x02D0))
                return QStringLiteral("phonetic: length mark misplaced in \"%1\"").arg(word);
            QString hint;
            if (c == QLatin1Char('g'))
                hint = QStringLiteral(" (write ɡ, U+0261)");
            else if (c == QLatin1Char(':'))
                hint = QStringLiteral(" (write ː)");
            else if (c == QLatin1Char('\''))
                hint = QStringLiteral(" (write ˈ)");
            return QStringLiteral("phonetic: \"%1\" is outside the symbol set%2").arg(c).arg(hint);
        }
        afterStress = false;
        ++soundsInParentheses;
        i += int(found->size());
    }
    if (afterStress)
        return misplaced.arg(word);
    if (inParentheses)
        return QStringLiteral("phonetic: parentheses misplaced in \"%1\"").arg(word);
    return QString();
}

// Looks like a part of speech: "n.", "vt.", also "vt.&vi." (which is then not in the list).
bool looksLikeTag(const QString &token)
{
    // Abbreviations a sense may hold that are no parts of speech.
    static const QStringList others{"sb.", "sth.", "etc."};
    if (others.contains(token))
        return false;
    static const QRegularExpression tag(QStringLiteral("^[A-Za-z]+\\.(?:[&/,][A-Za-z]+\\.)*$"));
    return tag.match(token).hasMatch();
}

// The whitespace-separated tokens of text with "modal v." joined into one.
QStringList tagTokens(const QString &text)
{
    const QStringList raw =
        text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList tokens;
    for (int i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == QLatin1String("modal") && i + 1 < raw.size() &&
            raw.at(i + 1) == QLatin1String("v.")) {
            tokens << QStringLiteral("modal v.");
            ++i;
        } else {
            tokens << raw.at(i);
        }
    }
    return tokens;
}

bool isChinese(QChar c)
{
    return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
}

// Text with everything inside round brackets, Chinese or ASCII, replaced by "x" but the
// Chinese characters: phrase usages there hold English words and dots that are no parts of
// speech, while "aux. （构成被动语态）" still has a Chinese meaning.
QString outsideBrackets(const QString &text)
{
    QString result = text;
    int depth = 0;
    for (QChar &c : result) {
        const bool opening = c == QChar(0xFF08) || c == QLatin1Char('(');
        const bool closing = c == QChar(0xFF09) || c == QLatin1Char(')');
        if (opening)
            ++depth;
        if (depth > 0 && !isChinese(c))
            c = QLatin1Char('x');
        if (closing && depth > 0)
            --depth;
    }
    return result;
}

// Whether lower-case text holds form with no letter or digit right before or after it.
bool holdsForm(const QString &text, const QString &form)
{
    for (int at = text.indexOf(form); at >= 0; at = text.indexOf(form, at + 1)) {
        const int end = at + int(form.size());
        const bool startOk = at == 0 || !text.at(at - 1).isLetterOrNumber();
        const bool endOk = end == text.size() || !text.at(end).isLetterOrNumber();
        if (startOk && endOk)
            return true;
    }
    return false;
}

QStringList formsOf(const QString &lemma)
{
    QStringList forms =
        WordNetSentences::inflections(lemma, QStringLiteral("nva"), IrregularForms::table());
    const QStringList words = lemma.split(QLatin1Char(' '));
    if (words.size() == 1) {
        // Compounds of an irregular word inflect as it does: "overheard", "misled",
        // "gentlemen".
        const QHash<QString, QStringList> &irregular = IrregularForms::table();
        for (auto it = irregular.cbegin(); it != irregular.cend(); ++it) {
            const QString base = it.key().mid(2);
            if (lemma.size() > base.size() + 1 && lemma.endsWith(base)) {
                const QString prefix = lemma.chopped(base.size());
                for (const QString &form : it.value())
                    forms << prefix + form;
            }
        }
        // Plurals the general rules miss: "potatoes", "knives", "leaves"; "panicked".
        if (lemma.endsWith(QLatin1Char('o')))
            forms << lemma + QLatin1String("es");
        if (lemma.endsWith(QLatin1Char('f')))
            forms << lemma.chopped(1) + QLatin1String("ves");
        if (lemma.endsWith(QLatin1String("fe")))
            forms << lemma.chopped(2) + QLatin1String("ves");
        if (lemma.endsWith(QLatin1Char('c')))
            forms << lemma + QLatin1String("ked") << lemma + QLatin1String("king");
        // A doubled final consonant after one vowel, also where the general rule does not
        // see a short syllable: "equipped", "quizzes".
        const QChar last = lemma.back();
        if (lemma.size() > 2 && last.isLetter() && !QStringLiteral("aeiouwxy").contains(last) &&
            QStringLiteral("aeiou").contains(lemma.at(lemma.size() - 2))) {
            const QString doubled = lemma + last;
            forms << doubled + QLatin1String("ed") << doubled + QLatin1String("ing")
                  << doubled + QLatin1String("es");
        }
    }
    return forms;
}

bool isPlaceholder(const QString &word)
{
    static const QStringList placeholders{"…",   "……",   "...",   "sth",     "sth.",   "sb",
                                          "sb.", "sb's", "one's", "oneself", "sth/sb", "sb/sth"};
    return placeholders.contains(word);
}

} // namespace

const QStringList &EntryChecker::partsOfSpeech()
{
    static const QStringList tags{"n.",    "v.",    "vt.",      "vi.",   "adj.", "adv.",
                                  "prep.", "conj.", "pron.",    "art.",  "num.", "int.",
                                  "det.",  "aux.",  "modal v.", "abbr.", "phr."};
    return tags;
}

bool EntryChecker::sentenceHoldsHeadword(const QString &sentence, const QString &headword)
{
    // An optional part in parentheses, "(be) fond of", may be there or not.
    static const QRegularExpression optional(QStringLiteral("\\([^)]*\\)"));
    QString without = headword;
    without.remove(optional);
    QString with = headword;
    with.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    if (without.simplified() != headword.simplified() && !without.trimmed().isEmpty())
        return sentenceHoldsHeadword(sentence, without) || sentenceHoldsHeadword(sentence, with);

    const QString text = sentence.toLower();
    const QString lemma = headword.toLower().simplified();
    const auto holdsAnyForm = [&](const QString &word) {
        const QStringList forms = formsOf(word);
        return std::any_of(forms.cbegin(), forms.cend(),
                           [&](const QString &f) { return holdsForm(text, f); });
    };
    if (holdsAnyForm(lemma))
        return true;
    QStringList words = lemma.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.erase(std::remove_if(words.begin(), words.end(), isPlaceholder), words.end());
    if (words.size() < 2)
        return !words.isEmpty() && words.first() != lemma && holdsAnyForm(words.first());
    if (holdsAnyForm(words.join(QLatin1Char(' '))))
        return true;
    return std::all_of(words.cbegin(), words.cend(), holdsAnyForm);
}

QString EntryChecker::phoneticFault(const QString &phonetic)
{
    if (phonetic.contains(QLatin1Char('/')) || phonetic.contains(QLatin1Char('[')))
        return QStringLiteral("phonetic: write the IPA without slashes or brackets");
    const QStringList tokens = tagTokens(phonetic);
    bool anyTag = false;
    for (const QString &token : tokens)
        anyTag = anyTag || looksLikeTag(token) || token == QLatin1String("modal v.");
    QString lastTag;
    int soundsSinceTag = 0;
    for (int i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens.at(i);
        if (token == QLatin1String("modal v.") || looksLikeTag(token)) {
            if (!partsOfSpeech().contains(token))
                return QStringLiteral("phonetic: part of speech \"%1\" is not in the list")
                    .arg(token);
            if (!lastTag.isEmpty() && soundsSinceTag == 0)
                return QStringLiteral("phonetic: part of speech \"%1\" without a pronunciation")
                    .arg(lastTag);
            lastTag = token;
            soundsSinceTag = 0;
            continue;
        }
        if (anyTag && lastTag.isEmpty())
            return QStringLiteral("phonetic: a pronunciation before the first part of speech");
        // The placeholder of a phrase, "teɪk … fə ˈɡrɑːntɪd", is no sound.
        if (isPlaceholder(token) && !token.at(0).isLetter())
            continue;
        const QString fault = ipaWordFault(token);
        if (!fault.isEmpty())
            return fault;
        ++soundsSinceTag;
    }
    if (!lastTag.isEmpty() && soundsSinceTag == 0)
        return QStringLiteral("phonetic: part of speech \"%1\" without a pronunciation")
            .arg(lastTag);
    return QString();
}

QString EntryChecker::translationFault(const QString &translation)
{
    const QStringList tokens = tagTokens(outsideBrackets(translation));
    if (tokens.isEmpty() ||
        !(tokens.first() == QLatin1String("modal v.") || looksLikeTag(tokens.first())))
        return QStringLiteral("translation: does not start with a part of speech");
    for (int i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens.at(i);
        if (token != QLatin1String("modal v.") && !looksLikeTag(token))
            continue;
        if (!partsOfSpeech().contains(token))
            return QStringLiteral("translation: part of speech \"%1\" is not in the list")
                .arg(token);
        QString meaning;
        for (int j = i + 1; j < tokens.size() && tokens.at(j) != QLatin1String("modal v.") &&
                            !looksLikeTag(tokens.at(j));
             ++j)
            meaning += tokens.at(j);
        if (meaning.isEmpty())
            return QStringLiteral("translation: part of speech \"%1\" without a meaning")
                .arg(token);
        if (!std::any_of(meaning.cbegin(), meaning.cend(), isChinese))
            return QStringLiteral("translation: part of speech \"%1\" without a Chinese meaning")
                .arg(token);
    }
    return QString();
}

QStringList EntryChecker::check(const CourseWord &entry) const
{
    QStringList faults;
    if (!entry.esentence.isEmpty() && !sentenceHoldsHeadword(entry.esentence, entry.word))
        faults << QStringLiteral("the sentence lacks the headword \"%1\"").arg(entry.word);
    const QString phonetic = phoneticFault(entry.phonetic);
    if (!phonetic.isEmpty())
        faults << phonetic;
    const QString translation = translationFault(entry.trans);
    if (!translation.isEmpty())
        faults << translation;
    if (m_blockList) {
        const struct
        {
            const QString &text;
            const char *name;
        } fields[] = {{entry.word, "headword"},
                      {entry.phonetic, "phonetic"},
                      {entry.trans, "translation"},
                      {entry.esentence, "sentence"}};
        for (const auto &field : fields) {
            const QString blocked = m_blockList->firstMatch(field.text);
            if (!blocked.isEmpty())
                faults << QStringLiteral("blocked word \"%1\" in the %2")
                              .arg(blocked, QLatin1String(field.name));
        }
    }
    return faults;
}
