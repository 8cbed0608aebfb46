#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class BlockList;

// Picks one example sentence per WordNet lemma from the examples of the WordNet database
// (the quoted examples in the glosses of data.noun, data.verb, data.adj and data.adv).
//
// A lemma only gets an example of one of its own senses, and only one that contains the
// lemma or one of its inflected forms as a whole word. The senses are tried in WordNet's
// order (most frequent first, the part of speech with most tagged senses first): the
// first sense with a usable example gives it, and among its examples one of moderate
// length wins. Senses that WordNet's tagged texts never use are not tried (but the first
// sense of a word without any tagged sense is). Unusable are fragments of fewer than five words,
// sentences with broken punctuation, and sentences holding a word of the block list; a lemma that
// is itself blocked gets nothing.
class WordNetSentences
{
public:
    // The words that must not appear; none when not set. It must outlive the picking.
    void setBlockList(const BlockList *blockList) { m_blockList = blockList; }
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
    // Whether a sentence's punctuation is broken: marks in a row (",.", ":;.", "..") or
    // unbalanced brackets and quotes.
    static bool hasBrokenPunctuation(const QString &sentence);
    // Sentences shorter than this are fragments.
    static constexpr int kMinimumWords = 5;

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
    // The usable candidate holding one of forms with the best length; -1 when none.
    int bestCandidate(const QVector<int> &candidates, const QStringList &forms) const;
    bool isUsable(int sentence) const;

    QStringList m_sentences;      // the examples as found
    QStringList m_lowerSentences; // the same, lower case
    QHash<QString, Synset> m_synsets;
    QMap<QString, QList<IndexEntry>> m_lemmas; // lower-case lemma with blanks -> entries
    QHash<QString, QStringList> m_irregular;   // "pos:base" -> irregular inflected forms
    QString m_error;
    const BlockList *m_blockList = nullptr;
};
