#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cards/card_tables.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/phase_machine.h"
#include "flow/table_layout.h"
#include "test_support.h"

namespace {

// A laid-out table in a trick contract with scripted random numbers and recorded sound.
class TableFixture : public ::testing::Test {
protected:
    explicit TableFixture(std::vector<double> draws = {0.0}) : random(std::move(draws)) {
        SetUpTableLayout(s);
        ResetTrickPositions(s);
    }

    // Lays a whole trick on the table, each card resting at its seat's trick position.
    void LayTrick(std::initializer_list<std::string_view> cards, int16_t leader) {
        PutOnTable(s, cards);
        s.TableCardIdCount = 0;
        for (int slot = 0; slot < s.TableCount; ++slot) {
            CardRecord& card = s.TableCards[slot];
            const PointXY spot = s.TrickSlots[(leader + slot) % kSeats];
            card.X = spot.x;
            card.Y = spot.y;
            s.TableCardIds[s.TableCardIdCount++] = card.Card;
        }
    }

    GameState s = MakeState(kTricks);
    ScriptedRandom random;
    RecordingSound sound;
    ManualClock clock{5000};
    GameServices services{random, sound, clock};
};

// --- Collecting a trick -----------------------------------------------------------------------

class GatherTest : public TableFixture {
protected:
    // Flip sound 1, then x and y scatter for slots 0, 1 and 3 in turn.
    GatherTest() : TableFixture({0.4, 0.5, 0.25, 0.75, 0.0, 0.99, 0.5}) {}
};

TEST_F(GatherTest, EveryCardButTheWinningOneSlidesOntoItWithFreshScatter) {
    LayTrick({"5C", "KC", "AC", "2C"}, 1);
    s.TrickWinSlot = 2;
    for (int slot = 0; slot < 4; ++slot) {
        s.TableCards[slot].FaceUp = false;
    }
    const CardRecord& winning = s.TableCards[2];
    const float x = winning.X;
    const float y = winning.Y;
    GatherTrick(s, x, y, services);
    EXPECT_EQ(sound.played, (std::vector<SoundEffect>{SoundEffect::CardFlip2}));
    EXPECT_FALSE(s.TableCards[2].Moving) << "the winning card stays";
    const int slots[] = {0, 1, 3};
    const float dx[] = {4, 6, 7};
    const float dy[] = {2, 0, 4};
    for (int i = 0; i < 3; ++i) {
        const CardRecord& card = s.TableCards[slots[i]];
        EXPECT_TRUE(card.Moving) << slots[i];
        EXPECT_TRUE(card.FaceUp) << slots[i];
        EXPECT_FLOAT_EQ(card.TargetX, x + dx[i]) << slots[i];
        EXPECT_FLOAT_EQ(card.TargetY, y + dy[i]) << slots[i];
        EXPECT_FLOAT_EQ(card.SpeedX, std::fabs(card.TargetX - card.X) / 20.0f)
            << "group moves take 20 frames";
    }
    EXPECT_EQ(random.Draws(), 7);
}

struct RepresentativeCase {
    const char* name;
    int16_t winSlot;
    int arrivingSlot;  // the only card within the tolerance after the step
    bool groupStops;
};

class GroupArrivalTest : public TableFixture, public ::testing::WithParamInterface<RepresentativeCase> {};

TEST_P(GroupArrivalTest, JudgedOnTheFirstCardOtherThanTheWinningOne) {
    const RepresentativeCase& c = GetParam();
    LayTrick({"5C", "KC", "AC", "2C"}, 1);
    s.Phase = Phase::GettingCardsGathering;
    s.TrickWinSlot = c.winSlot;
    for (int slot = 0; slot < 4; ++slot) {
        if (slot == c.winSlot) {
            continue;
        }
        CardRecord& card = s.TableCards[slot];
        card.Moving = true;
        card.TargetX = card.X;
        card.TargetY = card.Y;
        if (slot != c.arrivingSlot) {
            card.X = card.TargetX + 100;  // still far away after one step
            card.StepX = -1;
            card.SpeedX = 5;
        }
    }
    StepTrickGathering(s, services);
    EXPECT_EQ(s.Phase, c.groupStops ? Phase::GettingCards : Phase::GettingCardsGathering);
    EXPECT_EQ(AnyCardMoving(s), !c.groupStops) << "the whole group stops together";
}

INSTANTIATE_TEST_SUITE_P(Movement, GroupArrivalTest,
                         ::testing::Values(RepresentativeCase{"winner_0_slot_1_arrives", 0, 1, true},
                                           RepresentativeCase{"winner_0_slot_2_is_not_asked", 0, 2, false},
                                           RepresentativeCase{"winner_1_slot_0_arrives", 1, 0, true},
                                           RepresentativeCase{"winner_1_slot_3_is_not_asked", 1, 3, false}),
                         [](const auto& param) { return std::string(param.param.name); });

class SweepTest : public TableFixture {
protected:
    SweepTest() : TableFixture({0.0}) {}
};

TEST_F(SweepTest, CardsTurnFaceDownJoinTheWinnersPileAndTheWinnerLeads) {
    LayTrick({"5C", "KC", "AC", "2C"}, 1);
    for (int slot = 0; slot < 4; ++slot) {
        s.TableCards[slot].Gather = true;
    }
    s.Phase = Phase::GettingCards;
    s.TrickWinner = 3;
    s.TrickWinSlot = 2;
    s.CurrentSeat = 3;
    s.CardsPlayed = 4;
    const PointXY pile = s.Layout.PilePos[3];
    SendTrickToPile(s, pile.x, pile.y, services);
    EXPECT_EQ(sound.played, (std::vector<SoundEffect>{SoundEffect::Sign1}));
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_TRUE(s.TableCards[slot].Moving) << slot;
        EXPECT_FALSE(s.TableCards[slot].FaceUp) << slot;
    }
    for (int frame = 0; frame < 40 && s.Phase == Phase::GettingCards; ++frame) {
        StepTrickSweep(s, services);
    }
    EXPECT_EQ(s.Phase, Phase::NormalPlay);
    EXPECT_EQ(s.TableCount, 0);
    EXPECT_EQ(s.WonCount[3], 4);
    EXPECT_EQ(s.TakenCount[3], 4);
    EXPECT_FALSE(s.WonPile[3][0].FaceUp);
    EXPECT_EQ(s.CurrentSeat, 2) << "the next turn steps forward onto the winner";
}

// --- Arrivals that end a step of the deal -------------------------------------------------------

TEST_F(SweepTest, FourthCardFindsTheWinnerAndPausesBeforeTheGathering) {
    // Seat 1 led the five of clubs, seat 2 the king, seat 3 the ace of hearts; the human plays last.
    LayTrick({"5C", "KC", "AH"}, 1);
    GiveHand(s, 0, {"2C", "9D"});
    s.Phase = Phase::NormalPlay;
    s.CurrentSeat = 0;
    s.TrickCards = 3;
    s.HumanMoved = true;
    s.AwaitingHuman = true;
    CardRecord& card = s.Hand[0][0];
    card.HomeX = 155;
    card.HomeY = 420;
    card.X = 300;
    card.Y = 250;
    card.TargetX = 303;
    card.TargetY = 252;
    card.Moving = true;
    CardArrived(s, card, services);
    EXPECT_EQ(s.TableCount, 4);
    EXPECT_EQ(s.TrickWinSlot, 1);
    EXPECT_EQ(s.TrickWinner, 2);
    EXPECT_EQ(s.CurrentSeat, 2);
    EXPECT_EQ(s.TrickCards, 0);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_TRUE(s.TableCards[slot].Gather) << slot;
    }
    EXPECT_FLOAT_EQ(s.TableCards[3].X, 300) << "the card lies where it stopped";
    EXPECT_FALSE(card.InUse);
    EXPECT_FLOAT_EQ(card.X, 155);
    EXPECT_EQ(s.HeldCount[0], 1);
    EXPECT_EQ(s.HeldCards[0][0], CardId("9D"));
    EXPECT_FALSE(s.AwaitingHuman);
    EXPECT_EQ(s.Phase, Phase::Paused);
    EXPECT_EQ(s.DelayedPhase, Phase::GettingCardsGathering);
    EXPECT_EQ(s.DelayLength, kTrickCardPause);
}

TEST_F(SweepTest, LastDealtCardOpensTheContractChoice) {
    s.Phase = Phase::DealingCards;
    s.CurrentSeat = 1;
    s.FirstSeat = 1;
    s.DealPacketSize = 1;
    for (int i = 0; i < kSeats; ++i) {
        s.DealOrder[i] = static_cast<int16_t>((1 + i) % kSeats);
    }
    s.HeldCount = {12, 13, 13, 13};
    s.CardsDealt = 52;
    s.DeckNext = 52;
    CardRecord& card = s.Deck[51];
    card.Card = CardId("QS");
    card.InUse = true;
    card.Moving = true;
    card.HomeX = 661;
    card.X = 470;
    card.Y = 420;
    card.TargetX = 551;
    card.TargetY = 420;
    card.X = card.TargetX - 3;
    CardArrived(s, card, services);
    EXPECT_EQ(s.Hand[0][12].Card, CardId("QS")) << "the 52nd card goes to the fourth receiver";
    EXPECT_EQ(s.HeldCount[0], 13);
    EXPECT_FALSE(card.InUse);
    EXPECT_FLOAT_EQ(card.X, 661);
    EXPECT_EQ(s.Phase, Phase::SelectTrumps);
    EXPECT_EQ(s.CurrentSeat, 3) << "two seats back: the choice's first step moves on to the chooser";
    EXPECT_FALSE(s.StepDone);
}

}  // namespace
