#pragma once

#include <string>

#include "speech/speech_event.h"

// Where the game's spoken texts go. Every call returns at once: the frame loop never waits on speech.
class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    // Queues a text. A newer text makes queued interruptible ones go unsaid; urgent ones are never
    // dropped.
    virtual void Say(const Utterance& utterance) = 0;
    // Silences what is being said and forgets what is queued.
    virtual void StopSpeaking() = 0;
    // -100 (slowest) .. 100 (fastest); 0 is the voice's own rate.
    virtual void SetRate(int rate) = 0;
    // The game's language ("de", "pt_BR"; "" for English), so the voice matches the texts.
    virtual void SetLanguage(const std::string& code) = 0;
    // Once, when no speech service answered: the message for the player, in the player's language;
    // "" at every other call.
    virtual std::string TakeNotice() = 0;
};
