// The expert players on the worker thread: the same choices as deciding at once, a failing decision
// carried to the game's thread, and the decision key made from the same facts as the Expert's seed.
// These tests also run under ThreadSanitizer (make test-tsan).

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/computer_seats.h"
#include "flow/game_frame.h"
#include "flow/thinking_seats.h"
#include "match_runs.h"
#include "players/expert_player.h"
#include "test_support.h"

namespace {

TEST(ThinkingSeats, ThinkingOnTheWorkerThreadChangesNoChoice) {
    ExpertPlayer expert(8, FastExpertSettings());
    ImmediateSeats immediate(expert);
    ThinkingSeats thinking(8, true, FastExpertSettings());
    EXPECT_EQ(FrameMatch(&thinking, 31), FrameMatch(&immediate, 31));
    EXPECT_FALSE(thinking.Thinking());
}

// A player whose every decision throws what it is given, and remembers the thread it ran on.
class FailingPlayer final : public SeatPlayer {
public:
    explicit FailingPlayer(std::function<void()> fail, std::atomic<bool>& ranOnGameThread,
                           std::thread::id gameThread)
        : fail_(std::move(fail)), ranOnGameThread_(ranOnGameThread), gameThread_(gameThread) {}
    int16_t Contract(const GameState&, int) override { return Fail(); }
    int16_t TrickCard(const GameState&, int) override { return Fail(); }
    int16_t LayoutSlot(const GameState&, int) override { return Fail(); }

private:
    int16_t Fail() {
        if (std::this_thread::get_id() == gameThread_) {
            ranOnGameThread_ = true;
        }
        fail_();
        return -1;
    }
    std::function<void()> fail_;
    std::atomic<bool>& ranOnGameThread_;
    std::thread::id gameThread_;
};

struct FailureCase {
    const char* name;
    std::function<void()> fail;
    std::string message;  // what() of the exception the game's thread gets
};

std::vector<FailureCase> FailureCases() {
    return {
        {"a std::exception", [] { throw std::runtime_error("the search ran out of room"); },
         "the search ran out of room"},
        {"a std::bad_alloc", [] { throw std::bad_alloc(); }, std::bad_alloc().what()},
        {"something that is no std::exception", [] { throw 7; }, "a computer player failed"},
    };
}

// The first question starts the worker, which fails; the game's thread gets the exception at the next
// question, at every one after it, and at each Prepare, and the program goes on (no std::terminate).
TEST(ThinkingSeats, AFailingDecisionIsThrownOnTheGameThreadAtEveryLaterCall) {
    for (const FailureCase& c : FailureCases()) {
        std::atomic<bool> ranOnGameThread = false;
        ThinkingSeats seats(
            std::make_unique<FailingPlayer>(c.fail, ranOnGameThread, std::this_thread::get_id()), false);
        GameState s = MakeState(kQueens);
        GiveHand(s, 1, {"2S", "3S"});
        ASSERT_EQ(seats.TrickCard(s, 1), std::nullopt) << c.name;
        // Waits for the worker's verdict on a condition, not on a clock.
        while (seats.Thinking()) {
            std::this_thread::yield();
        }
        for (int call = 0; call < 4; ++call) {
            try {
                switch (call) {
                    case 0:
                        (void)seats.TrickCard(s, 1);
                        break;
                    case 1:
                        (void)seats.Contract(s, 2);
                        break;
                    case 2:
                        (void)seats.LayoutSlot(s, 3);
                        break;
                    default:
                        seats.Prepare(s);
                        break;
                }
                ADD_FAILURE() << c.name << ": call " << call << " did not throw";
            } catch (const std::exception& e) {
                EXPECT_EQ(std::string(e.what()), c.message) << c.name << ", call " << call;
            }
        }
        EXPECT_FALSE(ranOnGameThread) << c.name << ": the decision ran on the game's thread";
        EXPECT_FALSE(seats.Thinking()) << c.name;
    }
}

// The game's loop sees the failure as an exception out of a frame, where the program keeps the match
// and stops with a reported fault.
TEST(ThinkingSeats, AFailingDecisionLeavesTheFrameAsAnException) {
    std::atomic<bool> ranOnGameThread = false;
    ThinkingSeats seats(std::make_unique<FailingPlayer>([] { throw std::runtime_error("the expert failed"); },
                                                        ranOnGameThread, std::this_thread::get_id()),
                        true);
    try {
        FrameMatch(&seats, 5);
        ADD_FAILURE() << "the match ended although every decision failed";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "the expert failed");
    }
    EXPECT_FALSE(ranOnGameThread);
}

// --- The decision key -----------------------------------------------------------------------------

// Two states that differ in one fact an expert decision reads: the key of every kind and the Expert's
// seed both change. Two copies of one state share both.
TEST(DecisionKey, ChangesWithEveryFactTheExpertReadsAndTogetherWithItsSeed) {
    GameState base = MakeState(kKing);
    GiveHand(base, 2, {"2S", "9S", "KH", "4D", "JC"});
    GiveHand(base, 1, {"3S", "5H"});
    PutOnTable(base, {"5S"});
    base.PlayLog[0].seat = 1;
    base.PlayLog[0].card = static_cast<int8_t>(CardId("5S"));
    base.PlayLogCount = 1;
    struct Change {
        const char* fact;
        std::function<void(GameState&)> apply;
    };
    const std::vector<Change> changes = {
        {"a card of the hand",
         [](GameState& s) {
             s.Hand[2][1].Card = CardId("10S");
             RebuildHeld(s, 2);
         }},
        {"the hand's slots",
         [](GameState& s) {
             std::swap(s.Hand[2][0], s.Hand[2][4]);
             RebuildHeld(s, 2);
         }},
        {"the held order", [](GameState& s) { std::swap(s.HeldCards[2][0], s.HeldCards[2][1]); }},
        {"the trick on the table", [](GameState& s) { s.TableCards[0].Card = CardId("6S"); }},
        {"the play log", [](GameState& s) { s.PlayLog[0].seat = 3; }},
        {"the contract", [](GameState& s) { s.Contract = kQueens; }},
        {"the contracts played", [](GameState& s) { s.ContractsPlayed = 3; }},
        {"partnership", [](GameState& s) { s.Options.Partnership = true; }},
        {"the layout's next finishing code", [](GameState& s) { s.NextFinishCode = 2; }},
        {"a seat's finishing code", [](GameState& s) { s.SeatInfo[3][kFinishCodeCell] = 1; }},
        {"a contract chosen",
         [](GameState& s) { s.SeatInfo[0][kContractChosenCell + kDiamonds] = kTrueCell; }},
        {"the partner's King lead signal",
         [](GameState& s) { s.SeatInfo[0][kKingLeadSignalCell] = kTrueCell; }},
    };
    const ExpertPlayer expert(11);
    const GameState copy = base;
    for (auto kind :
         {ThinkingSeats::Kind::Contract, ThinkingSeats::Kind::TrickCard, ThinkingSeats::Kind::LayoutSlot}) {
        EXPECT_EQ(DecisionKey(kind, copy, 2), DecisionKey(kind, base, 2));
    }
    EXPECT_EQ(expert.DecisionSeed(copy, 2), expert.DecisionSeed(base, 2));
    EXPECT_NE(DecisionKey(ThinkingSeats::Kind::TrickCard, base, 2),
              DecisionKey(ThinkingSeats::Kind::LayoutSlot, base, 2));
    EXPECT_NE(DecisionKey(ThinkingSeats::Kind::TrickCard, base, 2),
              DecisionKey(ThinkingSeats::Kind::TrickCard, base, 1));
    for (const Change& change : changes) {
        GameState s = base;
        change.apply(s);
        EXPECT_NE(DecisionFacts(s, 2), DecisionFacts(base, 2)) << change.fact;
        EXPECT_NE(expert.DecisionSeed(s, 2), expert.DecisionSeed(base, 2)) << change.fact;
        for (auto kind : {ThinkingSeats::Kind::Contract, ThinkingSeats::Kind::TrickCard,
                          ThinkingSeats::Kind::LayoutSlot}) {
            EXPECT_NE(DecisionKey(kind, s, 2), DecisionKey(kind, base, 2)) << change.fact;
        }
    }
}

}  // namespace
