#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "speech/speech_engine.h"
#include "speech/speech_output.h"

// Speech on a thread of its own: Say only queues, and the thread hands the queue to the engine in
// order. Newer texts make queued interruptible ones go unsaid; the queue keeps at most kQueueLimit
// texts, dropping the oldest that is not urgent. When the engine does not open, or later fails, the
// notice is given once and everything after it goes unsaid.
class QueuedSpeech final : public SpeechOutput {
public:
    static constexpr size_t kQueueLimit = 32;

    // `noticeReady`, when given, is called on the speech thread once the notice is due, so a program
    // that sleeps between events can wake to show it (it must be safe to call from any thread).
    explicit QueuedSpeech(std::unique_ptr<SpeechEngine> engine, std::function<void()> noticeReady = {});
    // Ends the thread when it is idle; a thread held up inside the engine (a service that never
    // answers) is left to finish on its own, so the program's end does not wait for it either.
    ~QueuedSpeech() override;
    QueuedSpeech(const QueuedSpeech&) = delete;
    QueuedSpeech& operator=(const QueuedSpeech&) = delete;

    void Say(const Utterance& utterance) override;
    void StopSpeaking() override;
    void SetRate(int rate) override;
    void SetLanguage(const std::string& code) override;
    std::string TakeNotice() override;

    // Waits until everything queued has been handed to the engine (for tests and a clean end; the
    // frame loop never calls it).
    void WaitUntilIdle();

private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& shared);
    static void TellNotice(Shared& s, std::unique_lock<std::mutex>& lock);

    // Shared with the thread, which keeps it alive when it is left to finish on its own.
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};
