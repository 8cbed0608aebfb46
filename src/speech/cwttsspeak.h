#pragma once

#include "speech/cspeakbase.h"
#include "speech/speechsynthesizer.h"

#include <QStringList>

#include <memory>

// Text-to-speech engine: speaks a word with the chosen installed voice and volume.
class CWTTSSpeak : public CSpeakBase
{
public:
    // Without a synthesiser the one from SpeechSynthesizer::create() is used.
    explicit CWTTSSpeak(std::unique_ptr<SpeechSynthesizer> synthesizer = nullptr);
    ~CWTTSSpeak() override;

    // The voice used by the next Speak; a name that is not installed means the first voice.
    bool setVoice(const QString &name);
    QString voice() const { return m_voice; }
    // 0..100; values outside are clamped.
    void setVolume(int volume);
    int volume() const { return m_volume; }
    // Names of the installed voices (empty when none is installed).
    QStringList voices() const;

    // Stops what is being said, then starts saying word as plain text and returns at once.
    // Always true: the synthesiser reports its failures only asynchronously.
    bool Speak(QString word) override;

private:
    std::unique_ptr<SpeechSynthesizer> m_synthesizer;
    int m_volume = 100;
    QString m_voice = QStringLiteral("VW Paul");
};
