#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "speech/speech_output.h"

// A speech output that is made only when the first text is said: a player who never switches spoken
// play on never connects to the speech service (which would start its daemon). The rate and language
// set before then are handed on when it is made.
class OnDemandSpeech final : public SpeechOutput {
public:
    using Factory = std::function<std::unique_ptr<SpeechOutput>()>;
    explicit OnDemandSpeech(Factory factory) : factory_(std::move(factory)) {}

    void Say(const Utterance& utterance) override;
    void StopSpeaking() override;
    void SetRate(int rate) override;
    void SetLanguage(const std::string& code) override;
    std::string TakeNotice() override;

    bool Made() const { return output_ != nullptr; }

private:
    SpeechOutput& Output();

    Factory factory_;
    std::unique_ptr<SpeechOutput> output_;
    int rate_ = 0;
    std::string language_;
};
