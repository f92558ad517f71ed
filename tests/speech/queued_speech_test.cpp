// The speech queue: texts reach the engine in order on the speech thread; newer texts make queued
// interruptible ones go unsaid, urgent ones never; a service that does not answer is reported once,
// and neither a slow nor a silent service ever holds up the caller.
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "speech/queued_speech.h"
#include "speech/speech_dispatcher_engine.h"

namespace {

// A gate the test opens; the engine waits at it where told.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    int waiting = 0;  // engine calls held at the gate so far
    bool engineGone = false;

    void Pass() {
        std::unique_lock lock(mutex);
        ++waiting;
        changed.notify_all();
        changed.wait(lock, [&] { return open; });
    }
    void WaitForWaiting(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return waiting >= count; });
    }
    void Open() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    void WaitForEngineGone() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return engineGone; });
    }
};

// Records every call; can be held at the gate in Open or in the first Speak, and can fail to open.
class FakeEngine final : public SpeechEngine {
public:
    enum class Hold { Nothing, Open, FirstSpeak };

    FakeEngine(std::shared_ptr<Gate> gate, std::shared_ptr<std::vector<std::string>> log, Hold hold,
               bool opens = true)
        : gate_(std::move(gate)), log_(std::move(log)), hold_(hold), opens_(opens) {}
    ~FakeEngine() override {
        std::lock_guard lock(gate_->mutex);
        gate_->engineGone = true;
        gate_->changed.notify_all();
    }

    bool Open() override {
        if (hold_ == Hold::Open) {
            gate_->Pass();
        }
        return opens_;
    }
    bool Speak(const std::string& text, SpeechPriority priority) override {
        Note((priority == SpeechPriority::Urgent ? "urgent " : "") + text);
        if (hold_ == Hold::FirstSpeak && !held_) {
            held_ = true;
            gate_->Pass();
        }
        return text != "breaks the service";
    }
    void Cancel() override { Note("cancel"); }
    void SetRate(int rate) override { Note("rate " + std::to_string(rate)); }
    void SetLanguage(const std::string& code) override { Note("language " + code); }

private:
    void Note(const std::string& entry) {
        std::lock_guard lock(gate_->mutex);
        log_->push_back(entry);
    }

    std::shared_ptr<Gate> gate_;
    std::shared_ptr<std::vector<std::string>> log_;
    Hold hold_;
    bool opens_;
    bool held_ = false;
};

struct Rig {
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();

    std::unique_ptr<QueuedSpeech> Speech(FakeEngine::Hold hold, bool opens = true) {
        return std::make_unique<QueuedSpeech>(std::make_unique<FakeEngine>(gate, log, hold, opens));
    }
    std::vector<std::string> Log() {
        std::lock_guard lock(gate->mutex);
        return *log;
    }
};

Utterance Normal(const char* text) {
    return {text, SpeechPriority::Normal};
}

TEST(QueuedSpeech, SaysEverythingInOrderWithRateAndLanguage) {
    Rig rig;
    auto speech = rig.Speech(FakeEngine::Hold::Nothing);
    speech->SetLanguage("pt_BR");
    speech->WaitUntilIdle();
    speech->SetRate(250);
    speech->WaitUntilIdle();
    speech->Say(Normal("Lena plays the queen of hearts."));
    speech->Say(Normal(""));  // nothing to say
    speech->Say({"Your turn.", SpeechPriority::Urgent});
    speech->WaitUntilIdle();
    EXPECT_EQ(rig.Log(), (std::vector<std::string>{"language pt_BR", "rate 100",
                                                   "Lena plays the queen of hearts.", "urgent Your turn."}));
    EXPECT_EQ(speech->TakeNotice(), "");
}

TEST(QueuedSpeech, NewerTextsDropQueuedInterruptibleOnesButNeverUrgentOnes) {
    Rig rig;
    auto speech = rig.Speech(FakeEngine::Hold::FirstSpeak);
    speech->Say(Normal("first"));
    rig.gate->WaitForWaiting(1);  // the thread is inside the engine with "first"
    speech->Say({"a long report", SpeechPriority::Interruptible});
    speech->Say({"Your turn.", SpeechPriority::Urgent});
    speech->Say(Normal("Lena plays the two of clubs."));
    speech->Say({"the last long report", SpeechPriority::Interruptible});
    rig.gate->Open();
    speech->WaitUntilIdle();
    EXPECT_EQ(rig.Log(), (std::vector<std::string>{"first", "urgent Your turn.",
                                                   "Lena plays the two of clubs.", "the last long report"}));
}

TEST(QueuedSpeech, AFullQueueDropsTheOldestTextThatIsNotUrgent) {
    Rig rig;
    auto speech = rig.Speech(FakeEngine::Hold::FirstSpeak);
    speech->Say(Normal("first"));
    rig.gate->WaitForWaiting(1);
    speech->Say({"Your turn.", SpeechPriority::Urgent});
    for (size_t i = 0; i < QueuedSpeech::kQueueLimit; ++i) {
        speech->Say(Normal(std::to_string(i).c_str()));
    }
    rig.gate->Open();
    speech->WaitUntilIdle();
    const std::vector<std::string> log = rig.Log();
    ASSERT_EQ(log.size(), QueuedSpeech::kQueueLimit + 1);
    EXPECT_EQ(log[1], "urgent Your turn.");
    EXPECT_EQ(log[2], "1");  // "0" was the oldest that could go
    EXPECT_EQ(log.back(), std::to_string(QueuedSpeech::kQueueLimit - 1));
}

TEST(QueuedSpeech, StopSpeakingCancelsAndForgetsTheQueue) {
    Rig rig;
    auto speech = rig.Speech(FakeEngine::Hold::FirstSpeak);
    speech->Say(Normal("first"));
    rig.gate->WaitForWaiting(1);
    speech->Say(Normal("never said"));
    speech->StopSpeaking();
    rig.gate->Open();
    speech->WaitUntilIdle();
    EXPECT_EQ(rig.Log(), (std::vector<std::string>{"first", "cancel"}));
}

TEST(QueuedSpeech, NoServiceIsReportedOnceAndThenSilence) {
    for (const bool opens : {false, true}) {
        SCOPED_TRACE(opens ? "the service goes away" : "no service opens");
        Rig rig;
        auto speech = rig.Speech(FakeEngine::Hold::Nothing, opens);
        speech->Say(Normal("breaks the service"));
        speech->WaitUntilIdle();
        EXPECT_EQ(speech->TakeNotice(),
                  "No speech service answered (Speech Dispatcher); the game plays on without speech.");
        EXPECT_EQ(speech->TakeNotice(), "");
        speech->Say(Normal("unsaid"));
        speech->StopSpeaking();
        speech->WaitUntilIdle();
        EXPECT_EQ(rig.Log(),
                  opens ? std::vector<std::string>{"breaks the service"} : std::vector<std::string>{});
        EXPECT_EQ(speech->TakeNotice(), "");
    }
}

TEST(QueuedSpeech, AServiceThatNeverAnswersHoldsUpNeitherTheCallerNorTheEnd) {
    Rig rig;
    auto speech = rig.Speech(FakeEngine::Hold::Open);
    rig.gate->WaitForWaiting(1);  // the thread is stuck opening the service
    for (int i = 0; i < 1000; ++i) {
        speech->Say({"Your turn.", SpeechPriority::Urgent});
        speech->Say(Normal("Lena plays the queen of hearts."));
    }
    speech->SetRate(10);
    speech->StopSpeaking();
    EXPECT_EQ(speech->TakeNotice(), "");
    speech.reset();  // the end of the program does not wait for the service either
    rig.gate->Open();
    rig.gate->WaitForEngineGone();  // the thread, let go, finishes on its own
    EXPECT_TRUE(rig.Log().empty());
}

TEST(SpeechDispatcherEngine, LanguageNames) {
    EXPECT_EQ(SpeechDispatcherLanguage(""), "en");
    EXPECT_EQ(SpeechDispatcherLanguage("de"), "de");
    EXPECT_EQ(SpeechDispatcherLanguage("pt_BR"), "pt-BR");
    EXPECT_EQ(SpeechDispatcherLanguage("de_AT.UTF-8"), "de-AT");
}

}  // namespace
