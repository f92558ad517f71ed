#include "speech/on_demand_speech.h"

SpeechOutput& OnDemandSpeech::Output() {
    if (!output_) {
        output_ = factory_();
        output_->SetLanguage(language_);
        output_->SetRate(rate_);
    }
    return *output_;
}

void OnDemandSpeech::Say(const Utterance& utterance) {
    Output().Say(utterance);
}

void OnDemandSpeech::StopSpeaking() {
    if (output_) {
        output_->StopSpeaking();
    }
}

void OnDemandSpeech::SetRate(int rate) {
    rate_ = rate;
    if (output_) {
        output_->SetRate(rate);
    }
}

void OnDemandSpeech::SetLanguage(const std::string& code) {
    language_ = code;
    if (output_) {
        output_->SetLanguage(code);
    }
}

std::string OnDemandSpeech::TakeNotice() {
    return output_ ? output_->TakeNotice() : std::string();
}
