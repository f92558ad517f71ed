#pragma once

#include <memory>
#include <string>

#include "speech/speech_engine.h"

// The voice of the desktop: Speech Dispatcher through libspeechd, at the address the environment gives
// (SPEECHD_ADDRESS) or the user's own daemon, started when it is not running. Urgent and normal texts
// go as messages (said in order, never dropped by the daemon), interruptible ones as text, which the
// daemon cancels when a message comes.
class SpeechDispatcherEngine final : public SpeechEngine {
public:
    SpeechDispatcherEngine();
    ~SpeechDispatcherEngine() override;
    SpeechDispatcherEngine(const SpeechDispatcherEngine&) = delete;
    SpeechDispatcherEngine& operator=(const SpeechDispatcherEngine&) = delete;

    bool Open() override;
    bool Speak(const std::string& text, SpeechPriority priority) override;
    void Cancel() override;
    void SetRate(int rate) override;
    void SetLanguage(const std::string& code) override;

private:
    struct Connection;  // the library's connection, closed with it
    std::unique_ptr<Connection> connection_;
};

// The game's language code as Speech Dispatcher names languages: "pt_BR" -> "pt-BR", "" -> "en".
std::string SpeechDispatcherLanguage(const std::string& code);
