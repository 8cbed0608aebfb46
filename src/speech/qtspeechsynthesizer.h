#pragma once

#include "speech/speechsynthesizer.h"

#include <QHash>
#include <QLocale>
#include <QVoice>

#include <memory>

class QTextToSpeech;

// The system synthesiser through Qt TextToSpeech. The first engine that offers a voice is
// used (flite, speech-dispatcher, ...). Voices of every locale are offered, not only those
// of the user's locale: a learner on a Chinese desktop still needs the English voices.
class QtSpeechSynthesizer : public SpeechSynthesizer
{
public:
    QtSpeechSynthesizer();
    ~QtSpeechSynthesizer() override;

    QStringList voiceNames() override;
    void stop() override;
    void say(const QString &text, const QString &voiceName, int volume) override;
    bool canSpeak() const override;

private:
    struct VoiceEntry
    {
        QLocale locale;
        QVoice voice;
    };
    void loadVoices();
    // Logs the engine's error text once per failure (each time it enters its error state).
    void watchErrors();

    std::unique_ptr<QTextToSpeech> m_tts;
    bool m_voicesLoaded = false;
    QStringList m_names;
    QHash<QString, VoiceEntry> m_voices;
};
