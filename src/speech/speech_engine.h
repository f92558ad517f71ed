#pragma once

#include <string>

#include "speech/speech_event.h"

// A voice as the speech thread drives it: only that thread calls it, and any call may take its time
// (a socket round trip, a daemon being started).
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Connects to the service; false when none answers.
    virtual bool Open() = 0;
    // Hands a text to the service, which speaks it in its own time; false when the service is gone.
    virtual bool Speak(const std::string& text, SpeechPriority priority) = 0;
    // Silences what is being said and what the service holds queued.
    virtual void Cancel() = 0;
    virtual void SetRate(int rate) = 0;
    // A language code as the game names it ("de", "pt_BR"; "" for English).
    virtual void SetLanguage(const std::string& code) = 0;
};
