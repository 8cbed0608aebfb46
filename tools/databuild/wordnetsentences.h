#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// Picks one example sentence per WordNet lemma from the examples of the WordNet database
// (the quoted examples in the glosses of data.noun, data.verb, data.adj and data.adv).
//
// A lemma gets a sentence that contains it, or one of its inflected forms, as a whole
// word. Examples of the lemma's own senses come first, most frequent sense first (the
// order of the index files); only when none of them contains the lemma is any other
// example that does taken. Among candidates a sentence of moderate length wins.
class WordNetSentences
{
public:
    // Reads the WordNet files of folder (the one holding data.noun, index.noun, ...).
    bool load(const QString &folder);
    QString errorString() const { return m_error; }

    // Lemma (spelled as WordNet spells its most frequent sense) -> sentence.
    QMap<QString, QString> pickSentences() const;

    int exampleCount() const { return m_sentences.size(); }
    int lemmaCount() const { return m_lemmas.size(); }

    // Whether text contains form as a whole word (letters, digits and hyphens around it
    // do not count as a boundary); text and form are lower case.
    static bool containsWord(const QString &text, const QString &form);
    // The forms of a lower-case lemma worth searching for, given its parts of speech
    // ('n', 'v', 'a', 'r') and the irregular forms WordNet lists ("v:go" -> "went", ...).
    static QStringList inflections(const QString &lemma, const QString &partsOfSpeech,
                                   const QHash<QString, QStringList> &irregular);
    // A WordNet example as a sentence: first letter upper case, final full stop.
    static QString asSentence(const QString &example);

private:
    struct Synset
    {
        QStringList words;     // as spelled in the data file, blanks for underscores
        QVector<int> examples; // indexes into m_sentences
    };
    struct IndexEntry
    {
        QChar pos;
        int taggedSenses = 0;
        QStringList synsets; // keys "pos:offset", most frequent sense first
    };

    bool loadData(const QString &fileName, QChar pos);
    bool loadIndex(const QString &fileName, QChar pos);
    bool loadExceptions(const QString &fileName, QChar pos);
    // The candidate holding one of forms with the lowest score (length penalty plus
    // extraPenalty) if it beats *bestScore (-1: nothing yet); -1 when none does.
    int bestCandidate(const QVector<int> &candidates, const QStringList &forms, int extraPenalty,
                      int *bestScore) const;

    QStringList m_sentences;      // the examples as found
    QStringList m_lowerSentences; // the same, lower case
    QHash<QString, Synset> m_synsets;
    QMap<QString, QList<IndexEntry>> m_lemmas; // lower-case lemma with blanks -> entries
    QHash<QString, QStringList> m_irregular;   // "pos:base" -> irregular inflected forms
    QHash<QString, QVector<int>> m_tokens;     // lower-case token -> examples holding it
    QString m_error;
};
