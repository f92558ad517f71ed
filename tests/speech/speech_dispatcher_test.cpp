// Spoken play through a real Speech Dispatcher: the test starts a private daemon (its own socket,
// configuration and log in a temporary folder; an output module that appends what it is given to a
// file, so no sound device is needed), plays the start of a seeded match with speech on, and reads back
// what was spoken: the texts of the events in order, naming the cards actually played. Skipped where
// Speech Dispatcher is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "private_speechd.h"
#include "speech/queued_speech.h"
#include "speech/speech_dispatcher_engine.h"
#include "speech/spoken_names.h"
#include "speech/spoken_play.h"
#include "speech/spoken_texts.h"

namespace {

// Passes the first `count` texts on to the voice and keeps them.
class FirstTexts final : public SpeechOutput {
public:
    FirstTexts(SpeechOutput& voice, size_t count) : voice_(voice), count_(count) {}
    void Say(const Utterance& utterance) override {
        if (said.size() < count_) {
            said.push_back(utterance.text);
            voice_.Say(utterance);
        }
    }
    void StopSpeaking() override { voice_.StopSpeaking(); }
    void SetRate(int rate) override { voice_.SetRate(rate); }
    void SetLanguage(const std::string& code) override { voice_.SetLanguage(code); }
    std::string TakeNotice() override { return voice_.TakeNotice(); }
    bool Full() const { return said.size() >= count_; }

    std::vector<std::string> said;

private:
    SpeechOutput& voice_;
    size_t count_;
};

struct MatchStart {
    std::vector<std::string> said;
    std::vector<std::string> cardsPlayed;  // each card played, as speech names it, in order
};

// A seeded match with spoken play on at the normal level, its first `count` texts said through `speech`.
MatchStart StartOfMatch(uint32_t seed, size_t count, SpeechOutput& speech) {
    ManualClock clock;
    SeededRandom random(seed);
    NullSound sound;
    GameServices services{random, sound, clock, nullptr};
    GameState s;
    StartNewGame(s, services);
    AutoPlayer player(AutoPlayerOptions{0, true, nullptr});
    FirstTexts texts(speech, count);
    SpokenPlay spoken(texts, sound, {.on = true});
    spoken.Start(s);
    MatchStart start;
    for (int64_t frames = 0; !texts.Full() && frames < 1000000; ++frames) {
        const InputSnapshot input = player.NextInput(s);
        spoken.BeforeFrame(s);
        RunGameFrame(s, input, services, nullptr);
        spoken.AfterFrame(s, input);
        clock.Advance(17);
        for (int i = static_cast<int>(start.cardsPlayed.size()); i < s.PlayLogCount && i < kPlayLogSlots;
             ++i) {
            start.cardsPlayed.push_back(SpokenPlayedCardName(s, s.PlayLog[i].card));
        }
    }
    start.said = texts.said;
    return start;
}

TEST(SpeechDispatcher, APrivateDaemonSaysTheStartOfAMatchInOrder) {
    if (!SpeechDispatcherInstalled()) {
        GTEST_SKIP() << "Speech Dispatcher is not installed";
    }
    PrivateSpeechDaemon daemon;
    ASSERT_TRUE(daemon.Started());
    ASSERT_TRUE(PrivateSpeechDaemon::WaitFor([&] { return std::filesystem::exists(daemon.Socket()); })) << daemon.Log();
    setenv("SPEECHD_ADDRESS", daemon.Address().c_str(), 1);

    MatchStart start;
    {
        QueuedSpeech speech(std::make_unique<SpeechDispatcherEngine>());
        speech.SetLanguage("");
        start = StartOfMatch(11, 16, speech);
        speech.WaitUntilIdle();
        EXPECT_EQ(speech.TakeNotice(), "");
    }
    unsetenv("SPEECHD_ADDRESS");
    const std::vector<std::string>& said = start.said;
    ASSERT_EQ(said.size(), 16U);
    std::string expected;
    for (const std::string& text : said) {
        expected += (expected.empty() ? "" : " ") + text;
    }
    // The daemon speaks each text in its own time; the last one written means all are.
    const bool arrived = PrivateSpeechDaemon::WaitFor(
        [&] { return OneLine(ReadWholeFile(daemon.Spoken())).size() >= OneLine(expected).size(); });
    EXPECT_TRUE(arrived) << daemon.Log();
    EXPECT_EQ(OneLine(ReadWholeFile(daemon.Spoken())), OneLine(expected));
    // The texts name the cards actually played, in the order they were played.
    size_t named = 0;
    for (const std::string& text : said) {
        const size_t plays = text.rfind("You play ", 0) == 0             ? 9
                             : text.find(" plays ") != std::string::npos ? text.find(" plays ") + 7
                                                                         : std::string::npos;
        if (plays != std::string::npos && named < start.cardsPlayed.size()) {
            EXPECT_EQ(text.substr(plays), start.cardsPlayed[named] + ".") << text;
            ++named;
        }
    }
    EXPECT_GE(named, 3U) << expected;
}

}  // namespace
