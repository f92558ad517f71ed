// The real program with spoken play on speaks through the desktop's speech service (here a private
// Speech Dispatcher daemon the test starts), in the language it plays in, and ends cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "game_process.h"
#include "player_home.h"
#include "private_speechd.h"

namespace {

using namespace std::chrono_literals;

TEST(SpokenGameE2e, TheProgramSpeaksThroughTheSpeechServiceInItsLanguage) {
    if (!SpeechDispatcherInstalled()) {
        GTEST_SKIP() << "Speech Dispatcher is not installed";
    }
    PrivateSpeechDaemon daemon;
    ASSERT_TRUE(daemon.Started());
    ASSERT_TRUE(PrivateSpeechDaemon::WaitFor([&] { return std::filesystem::exists(daemon.Socket()); }))
        << daemon.Log();
    struct Case {
        const char* lang;
        const char* expected;  // a computer seat playing a card, in that language
    };
    for (const Case& c : {Case{"C.UTF-8", " plays the "}, Case{"de_DE.UTF-8", " spielt "}}) {
        std::filesystem::remove(daemon.Spoken());
        PlayerHome home("spoken");
        auto env = home.Env();
        env["SPEECHD_ADDRESS"] = daemon.Address();
        env["LANG"] = c.lang;
        env["LANGUAGE"] = "";
        env["LC_ALL"] = "";
        env["LC_MESSAGES"] = "";
        const ProcessResult run = RunTestDriver({"--no-dialog", "--autoplay", "--speech", "--seed", "5",
                                                 "--fast-frames", "--exit-after-frames", "2000"},
                                                env, 120s);
        EXPECT_EQ(run.exitCode, 0) << c.lang << ": " << run.output;
        EXPECT_EQ(run.output.find("No speech service"), std::string::npos) << run.output;
        const bool heard = PrivateSpeechDaemon::WaitFor(
            [&] { return OneLine(ReadWholeFile(daemon.Spoken())).find(c.expected) != std::string::npos; });
        EXPECT_TRUE(heard) << c.lang << ": " << ReadWholeFile(daemon.Spoken()) << daemon.Log();
    }
}

}  // namespace
