// Spoken play through a real Speech Dispatcher: the test starts a private daemon (its own socket,
// configuration and log in a temporary folder; an output module that appends what it is given to a
// file, so no sound device is needed), plays the start of a seeded match with speech on, and reads back
// what was spoken: the texts of the events in order, naming the cards actually played. Skipped where
// Speech Dispatcher is not installed.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "speech/queued_speech.h"
#include "speech/speech_dispatcher_engine.h"
#include "speech/spoken_names.h"
#include "speech/spoken_play.h"
#include "speech/spoken_texts.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kDaemon = "/usr/bin/speech-dispatcher";
constexpr const char* kGenericModule = "/usr/lib/speech-dispatcher-modules/sd_generic";

void WriteFile(const fs::path& file, const std::string& text) {
    std::ofstream out(file);
    out << text;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whitespace runs as one space: the module may cut a text into sentences, one line each.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

// The daemon, its folder and its end. Only the process this test started is stopped, by its id.
class PrivateDaemon {
public:
    PrivateDaemon() {
        std::string pattern = (fs::temp_directory_path() / "zarn-speechd-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        fs::create_directories(folder_ / "conf" / "modules");
        fs::create_directories(folder_ / "log");
        // libao's silent driver: the generic module opens an audio output though it plays nothing.
        WriteFile(folder_ / ".libao", "default_driver=null\n");
        WriteFile(folder_ / "conf" / "speechd.conf",
                  "LogLevel 3\nLogDir \"" + (folder_ / "log").string() +
                      "\"\nAddModule \"file\" \"sd_generic\" \"file.conf\"\n"
                      "DefaultModule file\nDefaultLanguage \"en\"\n"
                      "AudioOutputMethod \"libao\"\n");
        WriteFile(folder_ / "conf" / "modules" / "file.conf",
                  "GenericExecuteSynth \"printf '%s\\\\n' \\'$DATA\\' >> " + Spoken().string() +
                      "\"\n"
                      "GenericLanguage \"en\" \"en\" \"utf-8\"\nAddVoice \"en\" \"MALE1\" \"en\"\n"
                      "GenericMaxChunkLength 100000\n");
        const std::string home = "HOME=" + folder_.string();
        std::vector<std::string> args = {kDaemon, "-s",
                                         "-C",    (folder_ / "conf").string(),
                                         "-S",    Socket().string(),
                                         "-c",    "unix_socket",
                                         "-t",    "0",
                                         "-P",    (folder_ / "pid").string(),
                                         "-L",    (folder_ / "log").string()};
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> environment = {home, "PATH=/usr/bin:/bin"};
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        started_ = posix_spawn(&pid_, kDaemon, nullptr, nullptr, argv.data(), envp.data()) == 0;
    }
    ~PrivateDaemon() {
        if (started_) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    PrivateDaemon(const PrivateDaemon&) = delete;
    PrivateDaemon& operator=(const PrivateDaemon&) = delete;

    bool Started() const { return started_; }
    fs::path Socket() const { return folder_ / "socket"; }
    fs::path Spoken() const { return folder_ / "spoken.txt"; }
    std::string Log() const { return ReadFile(folder_ / "log" / "speech-dispatcher.log"); }

    // Waits for a condition on the daemon's files; the bound only keeps a broken daemon from hanging
    // the test.
    template <typename Condition>
    static bool WaitFor(Condition condition) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > giveUp) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

private:
    fs::path folder_;
    pid_t pid_ = 0;
    bool started_ = false;
};

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
    if (!fs::exists(kDaemon) || !fs::exists(kGenericModule)) {
        GTEST_SKIP() << "Speech Dispatcher is not installed";
    }
    PrivateDaemon daemon;
    ASSERT_TRUE(daemon.Started());
    ASSERT_TRUE(PrivateDaemon::WaitFor([&] { return fs::exists(daemon.Socket()); })) << daemon.Log();
    setenv("SPEECHD_ADDRESS", ("unix_socket:" + daemon.Socket().string()).c_str(), 1);

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
    const bool arrived = PrivateDaemon::WaitFor(
        [&] { return OneLine(ReadFile(daemon.Spoken())).size() >= OneLine(expected).size(); });
    EXPECT_TRUE(arrived) << daemon.Log();
    EXPECT_EQ(OneLine(ReadFile(daemon.Spoken())), OneLine(expected));
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
