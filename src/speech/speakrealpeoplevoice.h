#pragma once

#include "speech/cspeakbase.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CWTTSSpeak;
class Mp3Player;

// Recorded voices from library folders on disk ("Learn/VoicePath", folders joined by "|",
// read once at construction). Each library folder holds one sub-folder per initial letter
// (any case) with one sound file per word: the word plus a four-character extension.
// A word found in no folder is spoken by text-to-speech with the first installed voice.
class SpeakRealPeopleVoice : public QObject, public CSpeakBase
{
    Q_OBJECT
public:
    explicit SpeakRealPeopleVoice(QObject *parent = nullptr);
    ~SpeakRealPeopleVoice() override;

    bool Speak(QString word) override;

    // The file that holds word, or why there is none: "no path" (no library folder),
    // "no find" (a letter folder without files, or only names that contain the word's
    // file name), "no word" (no file of the word), or empty (no letter folder at all).
    // The first folder in list order that has the word wins.
    QString findVoiceFile(const QString &word) const;

    QStringList voicePaths() const { return m_voicePaths; }

private:
    bool speakWithTts(const QString &word);

    Mp3Player *m_player;
    QStringList m_voicePaths;
    std::unique_ptr<CWTTSSpeak> m_tts;
};
