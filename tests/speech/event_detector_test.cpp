// The events found frame by frame in whole headless matches agree with what the game did: every deal,
// contract, card, trick's points, score and turn of the player, and nothing twice.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "speech/event_detector.h"
#include "speech/spoken_texts.h"

namespace {

struct MatchTally {
    std::map<SpeechEventKind, int> counts;
    int humanCards = 0;                   // cards the player actually played
    bool cardHeldBeforePlay = true;       // each card spoken was in its seat's hand the frame before
    bool pointsMatchScores = true;        // the trick points of a deal add up to the sheet's row
    bool humanTurnBeforeEachCard = true;  // the player's turn was announced before each card played
    bool chooseBeforeOwnContract = true;  // the player was asked before each contract the player chose
    bool everyEventSaysSomething = true;  // at the normal level, all but the computer seats' turns
};

bool HeldBy(const GameState& s, int seat, int16_t card) {
    for (int slot = 0; slot <= kLastHandSlot; ++slot) {
        if (s.Hand[seat][slot].InUse && s.Hand[seat][slot].Card == card) {
            return true;
        }
    }
    return false;
}

MatchTally PlayMatch(uint32_t seed, bool partnership) {
    ManualClock clock;
    SeededRandom random(seed);
    NullSound sound;
    GameServices services{random, sound, clock, nullptr};
    GameState s;
    s.Options.Partnership = partnership;
    MatchTally tally;
    // The first deal starts before the first frame.
    StartNewGame(s, services);
    AutoPlayer player(AutoPlayerOptions{0, true, nullptr});
    GameState before;
    std::array<int, kSeats> dealPoints{};
    bool humanTurnOpen = false;
    bool chooseOpen = false;
    for (int64_t frames = 0; !s.MatchOver && frames < 20000000; ++frames) {
        if (frames > 0) {
            before = s;
            RunGameFrame(s, player.NextInput(s), services, nullptr);
            clock.Advance(17);
        }
        for (const SpeechEvent& event : DetectSpeechEvents(before, s)) {
            ++tally.counts[event.kind];
            if (event.kind != SpeechEventKind::SeatToPlay) {
                tally.everyEventSaysSomething = tally.everyEventSaysSomething &&
                                                !EventUtterance(s, event, Verbosity::Normal).text.empty();
            }
            switch (event.kind) {
                case SpeechEventKind::DealStarted:
                    dealPoints.fill(0);
                    break;
                case SpeechEventKind::CardPlayed:
                    tally.cardHeldBeforePlay =
                        tally.cardHeldBeforePlay && HeldBy(before, event.seat, event.card);
                    if (event.seat == kHumanSeat) {
                        ++tally.humanCards;
                        tally.humanTurnBeforeEachCard = tally.humanTurnBeforeEachCard && humanTurnOpen;
                        humanTurnOpen = false;
                    }
                    break;
                case SpeechEventKind::ContractChosen:
                    if (event.seat == kHumanSeat) {
                        tally.chooseBeforeOwnContract = tally.chooseBeforeOwnContract && chooseOpen;
                        chooseOpen = false;
                    }
                    break;
                case SpeechEventKind::TrickTaken:
                    dealPoints[event.seat] += event.points;
                    break;
                case SpeechEventKind::ContractScored:
                    if (event.contract != kLayoutContract) {
                        for (int seat = 0; seat < kSeats; ++seat) {
                            tally.pointsMatchScores =
                                tally.pointsMatchScores && dealPoints[seat] == -s.DealScore[seat];
                        }
                    }
                    break;
                case SpeechEventKind::HumanToPlay:
                    humanTurnOpen = true;
                    break;
                case SpeechEventKind::HumanToChoose:
                    chooseOpen = true;
                    break;
                default:
                    break;
            }
        }
    }
    EXPECT_TRUE(s.MatchOver);
    return tally;
}

TEST(EventDetector, WholeMatchesTellEveryDealCardTrickAndScoreOnce) {
    for (const auto& [seed, partnership] : std::vector<std::pair<uint32_t, bool>>{{7, false}, {2024, true}}) {
        SCOPED_TRACE(seed);
        const MatchTally tally = PlayMatch(seed, partnership);
        EXPECT_EQ(tally.counts.at(SpeechEventKind::DealStarted), 20);
        EXPECT_EQ(tally.counts.at(SpeechEventKind::ContractChosen), 20);
        EXPECT_EQ(tally.counts.at(SpeechEventKind::ContractScored), 20);
        EXPECT_EQ(tally.counts.at(SpeechEventKind::MatchOver), 1);
        EXPECT_EQ(tally.counts.at(SpeechEventKind::HumanToChoose), 5);  // the player's own kingdom
        EXPECT_GT(tally.counts.at(SpeechEventKind::CardPlayed), 20 * kSeats);
        EXPECT_GT(tally.counts.at(SpeechEventKind::TrickTaken), 20);
        EXPECT_GT(tally.counts.at(SpeechEventKind::SeatToPlay), 0);
        EXPECT_TRUE(tally.cardHeldBeforePlay);
        EXPECT_TRUE(tally.pointsMatchScores);
        EXPECT_TRUE(tally.humanTurnBeforeEachCard);
        EXPECT_TRUE(tally.chooseBeforeOwnContract);
        EXPECT_TRUE(tally.everyEventSaysSomething);
        // Every announced turn of the player ended in a card: none is announced twice.
        EXPECT_EQ(tally.counts.at(SpeechEventKind::HumanToPlay), tally.humanCards);
    }
}

TEST(EventDetector, TheSameStateTwiceIsNoEvent) {
    ManualClock clock;
    SeededRandom random(3);
    NullSound sound;
    GameServices services{random, sound, clock, nullptr};
    GameState s;
    StartNewGame(s, services);
    EXPECT_TRUE(DetectSpeechEvents(s, s).empty());
}

}  // namespace
