#pragma once

#include <QStringList>

#include <functional>
#include <memory>

// Access to the system's speech synthesiser. The real one wraps QTextToSpeech; tests
// install a factory that hands out synthesisers with the voices they need (or none).
class SpeechSynthesizer
{
public:
    using Factory = std::function<std::unique_ptr<SpeechSynthesizer>()>;

    virtual ~SpeechSynthesizer();

    // Names of the installed voices, in a stable order.
    virtual QStringList voiceNames() = 0;
    // Cuts off whatever is being said.
    virtual void stop() = 0;
    // Starts saying text (plain text, never markup) and returns at once. voiceName is one
    // of voiceNames() or empty for the synthesiser's own choice; volume is 0..100.
    virtual void say(const QString &text, const QString &voiceName, int volume) = 0;
    // False when the synthesiser cannot speak (no engine, or the engine failed); the
    // failure was logged.
    virtual bool canSpeak() const { return true; }

    // A new synthesiser from the installed factory, or the Qt one when none is installed.
    static std::unique_ptr<SpeechSynthesizer> create();
    // Replaces the factory; an empty one restores the Qt synthesiser.
    static void setFactory(Factory factory);
};
