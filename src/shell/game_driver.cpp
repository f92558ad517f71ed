#include "shell/game_driver.h"

#include "speech/queued_speech.h"
#include "speech/speech_dispatcher_engine.h"

void GameDriver::BeforeFrame() {
    SleepMicroseconds(pacer_.WaitBeforeFrame(MonotonicMicroseconds()));
    pacer_.FrameStarted(MonotonicMicroseconds());
}

std::unique_ptr<SpeechOutput> GameDriver::MakeSpeech(std::function<void()> noticeReady) {
    return std::make_unique<QueuedSpeech>(std::make_unique<SpeechDispatcherEngine>(), std::move(noticeReady));
}
