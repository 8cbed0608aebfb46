#include "speech/speechsynthesizer.h"

#include "speech/qtspeechsynthesizer.h"

namespace {
SpeechSynthesizer::Factory &factory()
{
    static SpeechSynthesizer::Factory f;
    return f;
}
} // namespace

SpeechSynthesizer::~SpeechSynthesizer() = default;

std::unique_ptr<SpeechSynthesizer> SpeechSynthesizer::create()
{
    if (factory())
        return factory()();
    return std::make_unique<QtSpeechSynthesizer>();
}

void SpeechSynthesizer::setFactory(Factory f)
{
    factory() = std::move(f);
}
