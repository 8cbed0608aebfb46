#pragma once

#include "speech/speechsynthesizer.h"

#include <QList>
#include <QStringList>

#include <memory>

// A synthesiser for tests: offers the voices it is given and records every call.
// The record is shared, so a test can read it after the engine has taken ownership.
class FakeSynthesizer : public SpeechSynthesizer
{
public:
    struct Said
    {
        QString text;
        QString voice;
        int volume = -1;
    };
    struct Record
    {
        QStringList voices;
        QStringList calls; // "stop" and "say", in order
        QList<Said> said;
    };

    explicit FakeSynthesizer(std::shared_ptr<Record> record) : m_record(std::move(record)) {}

    static std::unique_ptr<SpeechSynthesizer> make(std::shared_ptr<Record> record)
    {
        return std::make_unique<FakeSynthesizer>(std::move(record));
    }
    static std::shared_ptr<Record> withVoices(const QStringList &voices)
    {
        auto record = std::make_shared<Record>();
        record->voices = voices;
        return record;
    }

    QStringList voiceNames() override { return m_record->voices; }
    void stop() override { m_record->calls << QStringLiteral("stop"); }
    void say(const QString &text, const QString &voiceName, int volume) override
    {
        m_record->calls << QStringLiteral("say");
        m_record->said << Said{text, voiceName, volume};
    }

private:
    std::shared_ptr<Record> m_record;
};
