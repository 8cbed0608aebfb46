#pragma once

#include "courseword.h"

#include <QString>
#include <QStringList>

class BlockList;

// The checks every entry of a course word list passes before it is built:
// - the example sentence holds the headword or one of its inflected forms (case does not
//   matter; a phrase either as a whole or word by word, placeholders such as "…" aside);
// - the phonetic field is British IPA from the course symbol set, without slashes, stress
//   marks each followed by a sound, optional sounds in parentheses; where the
//   pronunciation differs by part of speech, "n. ˈɪnkriːs v. ɪnˈkriːs";
// - the translation is a run of groups "<part of speech> <Chinese senses>", the parts of
//   speech from partsOfSpeech(); text in brackets (a phrase usage) is not read for them;
// - no field holds a word of the block list.
// An entry without a sentence is checked for the rest.
class EntryChecker
{
public:
    explicit EntryChecker(const BlockList *blockList = nullptr) : m_blockList(blockList) {}

    // What is wrong with the entry, one short message per fault; empty when it is sound.
    QStringList check(const CourseWord &entry) const;

    static bool sentenceHoldsHeadword(const QString &sentence, const QString &headword);
    // The fault of a phonetic field or of a translation, or an empty string.
    static QString phoneticFault(const QString &phonetic);
    static QString translationFault(const QString &translation);
    // The parts of speech a translation or a phonetic field may name.
    static const QStringList &partsOfSpeech();

private:
    const BlockList *m_blockList;
};
