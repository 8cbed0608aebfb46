#pragma once

#include <QString>

// The pronunciation interface that the study window and its question panel use.
// Engines: 0 text-to-speech, 1 Youdao voice, 2 Haici voice, 3 recorded voice.
class CSpeakBase
{
public:
    virtual ~CSpeakBase();
    // True when the word is being or will be pronounced, false when nothing will be heard.
    virtual bool Speak(QString word) = 0;
};
