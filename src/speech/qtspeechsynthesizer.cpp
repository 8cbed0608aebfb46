#include "speech/qtspeechsynthesizer.h"

#include <QDebug>
#include <QTextToSpeech>

QtSpeechSynthesizer::QtSpeechSynthesizer()
{
    const QStringList engines = QTextToSpeech::availableEngines();
    for (const QString &engine : engines) {
        auto tts = std::make_unique<QTextToSpeech>(engine);
        if (tts->state() == QTextToSpeech::Error)
            continue;
        bool hasVoice = !tts->availableVoices().isEmpty();
        const QList<QLocale> locales = tts->availableLocales();
        for (int i = 0; !hasVoice && i < locales.size(); ++i) {
            tts->setLocale(locales.at(i));
            hasVoice = !tts->availableVoices().isEmpty();
        }
        if (hasVoice) {
            m_tts = std::move(tts);
            break;
        }
    }
    if (!m_tts)
        qDebug() << "QtSpeechSynthesizer: no text-to-speech engine with a voice among" << engines;
    else
        watchErrors();
}

void QtSpeechSynthesizer::watchErrors()
{
    QObject::connect(m_tts.get(), &QTextToSpeech::stateChanged, m_tts.get(),
                     [tts = m_tts.get()](QTextToSpeech::State state) {
                         if (state == QTextToSpeech::Error)
                             qDebug() << "QtSpeechSynthesizer: 语音合成失败" << tts->errorString();
                     });
}

bool QtSpeechSynthesizer::canSpeak() const
{
    return m_tts && m_tts->state() != QTextToSpeech::Error;
}

QtSpeechSynthesizer::~QtSpeechSynthesizer() = default;

void QtSpeechSynthesizer::loadVoices()
{
    if (m_voicesLoaded || !m_tts)
        return;
    m_voicesLoaded = true;
    const QLocale initial = m_tts->locale();
    QList<QLocale> locales = m_tts->availableLocales();
    locales.removeAll(initial);
    locales.prepend(initial);
    for (const QLocale &locale : std::as_const(locales)) {
        if (m_tts->locale() != locale)
            m_tts->setLocale(locale);
        const QList<QVoice> voices = m_tts->availableVoices();
        for (const QVoice &voice : voices) {
            if (m_voices.contains(voice.name()))
                continue;
            m_names << voice.name();
            m_voices.insert(voice.name(), VoiceEntry{locale, voice});
        }
    }
    if (m_tts->locale() != initial)
        m_tts->setLocale(initial);
}

QStringList QtSpeechSynthesizer::voiceNames()
{
    loadVoices();
    return m_names;
}

void QtSpeechSynthesizer::stop()
{
    if (m_tts)
        m_tts->stop();
}

void QtSpeechSynthesizer::say(const QString &text, const QString &voiceName, int volume)
{
    if (!m_tts)
        return;
    loadVoices();
    const auto found = m_voices.constFind(voiceName);
    if (found != m_voices.constEnd()) {
        if (m_tts->locale() != found->locale)
            m_tts->setLocale(found->locale);
        if (m_tts->voice().name() != voiceName)
            m_tts->setVoice(found->voice);
    }
    m_tts->setVolume(qBound(0, volume, 100) / 100.0);
    m_tts->say(text);
    if (m_tts->state() == QTextToSpeech::Error)
        qDebug() << "QtSpeechSynthesizer: 没有读出" << text << m_tts->errorString();
}
