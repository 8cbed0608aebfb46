#include "speech/cwttsspeak.h"

#include "speech/speechsynthesizer.h"

CWTTSSpeak::CWTTSSpeak(std::unique_ptr<SpeechSynthesizer> synthesizer)
    : m_synthesizer(synthesizer ? std::move(synthesizer) : SpeechSynthesizer::create())
{
}

CWTTSSpeak::~CWTTSSpeak() = default;

bool CWTTSSpeak::setVoice(const QString &name)
{
    m_voice = name;
    return true;
}

void CWTTSSpeak::setVolume(int volume)
{
    m_volume = qBound(0, volume, 100);
}

QStringList CWTTSSpeak::voices() const
{
    return m_synthesizer->voiceNames();
}

bool CWTTSSpeak::Speak(QString word)
{
    const QStringList installed = m_synthesizer->voiceNames();
    const QString voice = installed.contains(m_voice) ? m_voice : installed.value(0);
    m_synthesizer->stop();
    m_synthesizer->say(word, voice, m_volume);
    return m_synthesizer->canSpeak();
}
