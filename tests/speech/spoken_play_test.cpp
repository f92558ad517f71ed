// Spoken play at the table: the keys, the focus and the hint, the "your turn" cue, and a whole match
// played from the keyboard by a player who only listens.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "flow/play_aids.h"
#include "flow/scoring.h"
#include "speech/spoken_play.h"
#include "speech/spoken_texts.h"

namespace {

class RecordingSpeech final : public SpeechOutput {
public:
    void Say(const Utterance& utterance) override { said.push_back(utterance); }
    void StopSpeaking() override { ++stops; }
    void SetRate(int value) override { rate = value; }
    void SetLanguage(const std::string&) override {}
    std::string TakeNotice() override { return ""; }

    std::vector<Utterance> said;
    int stops = 0;
    int rate = 0;
};

class CueCounter final : public SoundSink {
public:
    void PlaySound(SoundEffect effect) override { cues += effect == SoundEffect::YourTurn ? 1 : 0; }
    int cues = 0;
};

InputSnapshot Pressing(std::initializer_list<int> keys) {
    InputSnapshot input;
    for (int key : keys) {
        input.Keys[static_cast<size_t>(key)] = true;
    }
    return input;
}

// A seeded match run by the demo player until the game waits for the player's card (or contract).
struct Table {
    ManualClock clock;
    SeededRandom random{7};
    NullSound sound;
    GameServices services{random, sound, clock, nullptr};
    GameState s;

    explicit Table(bool untilContract = false) {
        StartNewGame(s, services);
        AutoPlayer demo(AutoPlayerOptions{0, true, nullptr});
        for (int frames = 0; frames < 200000; ++frames) {
            if (untilContract ? AwaitingHumanContract(s) : AwaitingHumanCard(s)) {
                return;
            }
            RunGameFrame(s, demo.NextInput(s), services, nullptr);
            clock.Advance(17);
        }
        ADD_FAILURE() << "the game never waited for the player";
    }

    // One frame with these keys down, spoken play watching it.
    void Frame(SpokenPlay& spoken, const InputSnapshot& input) {
        spoken.BeforeFrame(s);
        RunGameFrame(s, input, services, nullptr);
        spoken.AfterFrame(s, input);
        clock.Advance(17);
    }
    // The key pressed and let go.
    void Press(SpokenPlay& spoken, int key) {
        Frame(spoken, Pressing({key}));
        Frame(spoken, InputSnapshot{});
    }
};

TEST(SpokenPlayKeys, EachReadOutKeySaysItsTextOnceAKeyPress) {
    Table table;
    struct Case {
        int key;
        std::string expected;
    };
    const Case cases[] = {
        {kKeyReadHand, HandText(table.s)},
        {kKeyReadTable, TableText(table.s)},
        {kKeyReadScores, ScoresText(table.s)},
        {kKeyReadContract, ContractText(table.s)},
        {kKeyReadFocus,
         FocusText(table.s).empty() ? "Nothing has the focus. The arrow keys move it." : FocusText(table.s)},
    };
    for (const Case& c : cases) {
        RecordingSpeech voice;
        CueCounter cue;
        SpokenPlay spoken(voice, cue, {.on = true});
        // Held down for three frames, the key acts once.
        table.Frame(spoken, Pressing({c.key}));
        table.Frame(spoken, Pressing({c.key}));
        table.Frame(spoken, InputSnapshot{});
        ASSERT_EQ(voice.said.size(), 1U) << "key " << c.key;
        EXPECT_EQ(voice.said[0].text, c.expected) << "key " << c.key;
        // Say again repeats it.
        table.Press(spoken, kKeySayAgain);
        ASSERT_EQ(voice.said.size(), 2U);
        EXPECT_EQ(voice.said[1].text, c.expected);
    }
}

TEST(SpokenPlayKeys, SwitchedOffOnlyTheSwitchIsHeard) {
    Table table;
    RecordingSpeech voice;
    CueCounter cue;
    SpokenPlay spoken(voice, cue, {.on = false});
    for (int key : {kKeyReadHand, kKeyReadTable, kKeyReadScores, kKeySayAgain, kKeySpeechFaster, kKeyRight}) {
        table.Press(spoken, key);
    }
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(voice.rate, 0);

    // On: it says so, then that the player's card is awaited (the player switched it on mid-turn).
    table.Press(spoken, kKeySpeechSwitch);
    ASSERT_GE(voice.said.size(), 2U);
    EXPECT_EQ(voice.said[0].text, "Spoken play on.");
    EXPECT_EQ(voice.said.back().priority, SpeechPriority::Urgent);
    EXPECT_NE(voice.said.back().text.find("Your turn."), std::string::npos);
    EXPECT_TRUE(spoken.Choices().on);

    // Off: what was queued is dropped, the switch is confirmed, and nothing more is said.
    const size_t before = voice.said.size();
    table.Press(spoken, kKeySpeechSwitch);
    EXPECT_EQ(voice.stops, 1);
    ASSERT_EQ(voice.said.size(), before + 1);
    EXPECT_EQ(voice.said.back().text, "Spoken play off.");
    table.Press(spoken, kKeyReadHand);
    EXPECT_EQ(voice.said.size(), before + 1);
    EXPECT_FALSE(spoken.Choices().on);
}

TEST(SpokenPlayKeys, VerbosityTurnsRoundAndTheRateStopsAtItsEnds) {
    Table table;
    RecordingSpeech voice;
    CueCounter cue;
    SpokenPlay spoken(voice, cue, {.on = true, .verbosity = Verbosity::Normal, .rate = 90});
    EXPECT_EQ(voice.rate, 90);
    const Verbosity expected[] = {Verbosity::Detailed, Verbosity::Terse, Verbosity::Normal};
    for (Verbosity verbosity : expected) {
        table.Press(spoken, kKeySpeechVerbosity);
        EXPECT_EQ(spoken.Choices().verbosity, verbosity);
    }
    table.Press(spoken, kKeySpeechFaster);
    EXPECT_EQ(voice.rate, 100);
    EXPECT_EQ(voice.said.back().text, "Fastest.");
    table.Press(spoken, kKeySpeechFaster);
    EXPECT_EQ(voice.rate, 100);
    table.Press(spoken, kKeySpeechSlower);
    EXPECT_EQ(voice.rate, 90);
    EXPECT_EQ(voice.said.back().text, "Slower.");
    EXPECT_EQ(spoken.Choices().rate, 90);
}

TEST(SpokenPlayAids, TheFocusIsSpokenAsItMovesAndTheHintByName) {
    Table table;
    RecordingSpeech voice;
    CueCounter cue;
    SpokenPlay spoken(voice, cue, {.on = true});
    table.Press(spoken, kKeyRight);  // shows the focus
    ASSERT_EQ(voice.said.size(), 1U);
    EXPECT_EQ(voice.said[0].text, FocusText(table.s));
    EXPECT_EQ(voice.said[0].priority, SpeechPriority::Interruptible);
    table.Press(spoken, kKeyRight);
    EXPECT_EQ(voice.said.back().text, FocusText(table.s));
    table.Press(spoken, kKeyH);
    ASSERT_GE(table.s.Aids.HintSlot, 0);
    const std::string hint = voice.said.back().text;
    EXPECT_EQ(hint.rfind("Hint: ", 0), 0U) << hint;
    EXPECT_NE(FocusText(table.s).find(hint.substr(6, hint.size() - 7)), std::string::npos) << hint;

    Table choosing(true);
    RecordingSpeech voice2;
    SpokenPlay spoken2(voice2, cue, {.on = true});
    choosing.Press(spoken2, kKeyH);
    ASSERT_FALSE(voice2.said.empty());
    EXPECT_EQ(voice2.said.back().text.rfind("Hint: ", 0), 0U);
    choosing.Press(spoken2, kKeyReadContract);
    EXPECT_EQ(voice2.said.back().text, OpenContractsText(choosing.s, true));
}

// The player's turn: the cue and the words, and at the terse level the cue alone unless sound is off.
TEST(SpokenPlayCue, ThePlayersTurnHasItsCue) {
    struct Case {
        Verbosity verbosity;
        bool muted;
        bool words;
        int cues;
    };
    const Case cases[] = {
        {Verbosity::Normal, false, true, 1},
        {Verbosity::Terse, false, false, 1},
        {Verbosity::Terse, true, true, 0},
    };
    for (const Case& c : cases) {
        Table table;
        // Back to the frame before the turn came: the trick's last card of the seat before.
        RecordingSpeech voice;
        CueCounter cue;
        SpokenPlay spoken(voice, cue, {.on = true, .verbosity = c.verbosity});
        table.s.Aids.Muted = c.muted;
        // Play the card the hint picks; the next turn of the player brings the cue.
        table.Press(spoken, kKeyH);
        table.Press(spoken, kKeyEnter);
        AutoPlayer demo(AutoPlayerOptions{0, true, nullptr});
        for (int frames = 0; frames < 200000 && !AwaitingHumanCard(table.s); ++frames) {
            table.Frame(spoken, InputSnapshot{});
        }
        ASSERT_TRUE(AwaitingHumanCard(table.s));
        const bool saidTurn = std::any_of(voice.said.begin(), voice.said.end(), [](const Utterance& u) {
            return u.text.find("Your turn.") != std::string::npos;
        });
        EXPECT_EQ(saidTurn, c.words) << static_cast<int>(c.verbosity) << c.muted;
        EXPECT_EQ(cue.cues, c.cues) << static_cast<int>(c.verbosity) << c.muted;
    }
}

// A player who never looks: hears the texts, presses keys, and decides only by what was said.
class EarPlayer {
public:
    // The keys for the next frame, after hearing `heard` (the texts said since the last frame).
    InputSnapshot Next(const std::vector<Utterance>& heard) {
        for (const Utterance& u : heard) {
            Hear(u.text);
        }
        if (releasing_) {
            releasing_ = false;
            return {};
        }
        if (pending_.empty()) {
            return {};
        }
        const int key = pending_.front();
        pending_.erase(pending_.begin());
        releasing_ = true;
        return Pressing({key});
    }

    int cardsPlayed = 0;
    int turns = 0;
    int contractsChosen = 0;
    int sheetsPassed = 0;
    bool matchOver = false;
    std::vector<std::string> problems;

private:
    enum class Doing { Nothing, HearingHand, WalkingHand, GoingToCard, ChoosingContract };

    static bool StartsWith(const std::string& text, const std::string& start) {
        return text.rfind(start, 0) == 0;
    }

    // "seven of clubs, 3 of 11." -> "seven of clubs"
    static std::string FocusedCard(const std::string& text) { return text.substr(0, text.find(',')); }

    static int RankValue(const std::string& card) {
        static const std::map<std::string, int> kRanks = {
            {"two", 2},  {"three", 3}, {"four", 4},  {"five", 5},   {"six", 6},   {"seven", 7}, {"eight", 8},
            {"nine", 9}, {"ten", 10},  {"jack", 11}, {"queen", 12}, {"king", 13}, {"ace", 14}};
        const auto found = kRanks.find(card.substr(0, card.find(' ')));
        return found == kRanks.end() ? 0 : found->second;
    }

    static bool IsHand(const std::string& text) {
        for (const char* suit : {"Clubs:", "Diamonds:", "Hearts:", "Spades:"}) {
            if (StartsWith(text, suit)) {
                return true;
            }
        }
        return false;
    }

    // "Clubs: two, seven, queen. Hearts: ace." -> {"two of clubs", "seven of clubs", ...}
    void ParseHand(const std::string& text) {
        hand_.clear();
        std::istringstream sentences(text);
        std::string sentence;
        while (std::getline(sentences, sentence, '.')) {
            const size_t colon = sentence.find(':');
            if (colon == std::string::npos) {
                continue;
            }
            std::string suit =
                sentence.substr(sentence.find_first_not_of(' '), colon - sentence.find_first_not_of(' '));
            std::transform(suit.begin(), suit.end(), suit.begin(),
                           [](char c) { return static_cast<char>(std::tolower(c)); });
            std::istringstream ranks(sentence.substr(colon + 1));
            std::string rank;
            while (std::getline(ranks, rank, ',')) {
                hand_.push_back(rank.substr(rank.find_first_not_of(' ')) + " of " + suit);
            }
        }
    }

    void Hear(const std::string& text) {
        if (text.find("The match is over.") != std::string::npos) {
            matchOver = true;
            return;
        }
        if (StartsWith(text, "Enter deals the next contract.")) {
            ++sheetsPassed;
            pending_ = {kKeyEnter};
            return;
        }
        if (StartsWith(text, "You play ")) {
            ++cardsPlayed;
        }
        if (StartsWith(text, "Choose a contract.")) {
            doing_ = Doing::ChoosingContract;
            pending_ = {kKeyRight};
            return;
        }
        if (text.find("Your turn.") != std::string::npos) {
            ++turns;
            doing_ = Doing::HearingHand;
            pending_ = {kKeyReadHand};
            return;
        }
        switch (doing_) {
            case Doing::HearingHand:
                // Other texts (the focus, a seat's card) may come before the hand.
                if (!IsHand(text)) {
                    break;
                }
                ParseHand(text);
                doing_ = Doing::WalkingHand;
                allowed_.clear();
                pending_ = {kKeyRight};  // shows the focus, which is spoken
                break;
            case Doing::WalkingHand: {
                const std::string card = FocusedCard(text);
                if (std::find(hand_.begin(), hand_.end(), card) == hand_.end()) {
                    problems.push_back("the focus named a card not in the hand heard: " + text);
                }
                if (!allowed_.empty() && card == allowed_.front()) {
                    // Round the allowed cards once: go to the lowest.
                    target_ = *std::min_element(allowed_.begin(), allowed_.end(),
                                                [](const std::string& a, const std::string& b) {
                                                    return RankValue(a) < RankValue(b);
                                                });
                    doing_ = Doing::GoingToCard;
                    GoTowards(card);
                } else {
                    allowed_.push_back(card);
                    pending_ = {kKeyRight};
                }
                break;
            }
            case Doing::GoingToCard:
                GoTowards(FocusedCard(text));
                break;
            case Doing::ChoosingContract:
                // The first contract the focus names is taken.
                ++contractsChosen;
                doing_ = Doing::Nothing;
                pending_ = {kKeyEnter};
                break;
            case Doing::Nothing:
                break;
        }
    }

    void GoTowards(const std::string& focused) {
        if (focused == target_) {
            doing_ = Doing::Nothing;
            pending_ = {kKeyEnter};
        } else {
            pending_ = {kKeyRight};
        }
    }

    Doing doing_ = Doing::Nothing;
    std::vector<int> pending_;
    bool releasing_ = false;
    std::vector<std::string> hand_;
    std::vector<std::string> allowed_;
    std::string target_;
};

TEST(SpokenPlayByEar, AWholeMatchPlayedFromTheKeyboardByWhatWasSaid) {
    ManualClock clock;
    SeededRandom random(20261211);
    NullSound sound;
    GameServices services{random, sound, clock, nullptr};
    GameState s;
    StartNewGame(s, services);
    RecordingSpeech voice;
    CueCounter cue;
    SpokenPlay spoken(voice, cue, {.on = true});
    spoken.Start(s);
    EarPlayer ear;
    size_t heard = 0;
    for (int frames = 0; frames < 3000000 && !ear.matchOver; ++frames) {
        const std::vector<Utterance> fresh(voice.said.begin() + static_cast<std::ptrdiff_t>(heard),
                                           voice.said.end());
        heard = voice.said.size();
        const InputSnapshot input = ear.Next(fresh);
        spoken.BeforeFrame(s);
        RunGameFrame(s, input, services, nullptr);
        spoken.AfterFrame(s, input);
        clock.Advance(17);
    }
    std::string lastSaid;
    for (size_t i = voice.said.size() > 12 ? voice.said.size() - 12 : 0; i < voice.said.size(); ++i) {
        lastSaid += voice.said[i].text + "\n";
    }
    EXPECT_TRUE(ear.matchOver) << "the last texts said:\n" << lastSaid;
    EXPECT_TRUE(s.MatchOver);
    EXPECT_EQ(s.ContractsPlayed, kContractsPerMatch);
    EXPECT_TRUE(ear.problems.empty()) << ear.problems.front();
    // Every turn heard was answered with a card, and the player chose the contracts of their kingdom.
    EXPECT_GT(ear.turns, 50);
    EXPECT_EQ(ear.cardsPlayed, ear.turns);
    EXPECT_EQ(ear.contractsChosen, 5);
    EXPECT_EQ(ear.sheetsPassed, kContractsPerMatch - 1);
    EXPECT_EQ(cue.cues, ear.turns + ear.contractsChosen);
}

}  // namespace
