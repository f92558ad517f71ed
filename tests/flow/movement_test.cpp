#include <gtest/gtest.h>

#include <cmath>

#include "cards/card_tables.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/phase_machine.h"
#include "flow/table_layout.h"
#include "flow_harness.h"

namespace {

GameState LaidOutState(bool slow = false, int16_t contract = kTricks) {
    GameState s = MakeState(contract);
    s.Options.SlowAnimation = slow;
    SetUpTableLayout(s);
    ResetTrickPositions(s);
    return s;
}

struct Services {
    explicit Services(std::vector<double> values) : random(std::move(values)) {}
    ScriptedRandom random;
    RecordingSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
};

// --- Table layout ------------------------------------------------------------------------------

TEST(TableLayout, PositionsAndConstantsForTheScreen) {
    GameState s = LaidOutState();
    const TableLayout& l = s.Layout;
    EXPECT_EQ(l.PlayFrames, 10);
    EXPECT_EQ(l.PileFrames, 20);
    EXPECT_EQ(l.ArriveTolX, 8);
    EXPECT_EQ(l.TrickJitterX, 20);
    EXPECT_EQ(l.TrickJitterY, 16);
    EXPECT_EQ(l.LayoutJitterX, 12);
    EXPECT_EQ(l.LayoutJitterY, 8);
    const int dealX[] = {653, 551, 171, 214};
    const int dealY[] = {420, 190, 2, 190};
    const int pileX[] = {20, 663, 583, 20};
    const int pileY[] = {400, 400, 5, 20};
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(l.DealOriginX[seat], dealX[seat]) << seat;
        EXPECT_EQ(l.DealOriginY[seat], dealY[seat]) << seat;
        EXPECT_EQ(l.PilePos[seat].x, pileX[seat]) << seat;
        EXPECT_EQ(l.PilePos[seat].y, pileY[seat]) << seat;
    }
    const int trickX[] = {336, 406, 344, 289};
    const int trickY[] = {242, 203, 164, 203};
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(s.TrickSlots[seat].x, trickX[seat]) << seat;
        EXPECT_EQ(s.TrickSlots[seat].y, trickY[seat]) << seat;
    }
}

TEST(TableLayout, SlowAnimationDoublesTheFrameCounts) {
    GameState s = LaidOutState(true);
    EXPECT_EQ(s.Layout.PlayFrames, 20);
    EXPECT_EQ(s.Layout.PileFrames, 40);
}

TEST(TableLayout, OtherResolutionKeepsTheDesignPlacesAndZeroConstants) {
    GameState s = MakeState();
    s.Options.Resolution = "1024x768";
    SetUpTableLayout(s);
    ResetTrickPositions(s);
    const TableLayout& l = s.Layout;
    EXPECT_EQ(l.PlayFrames, 0);
    EXPECT_EQ(l.PileFrames, 0);
    EXPECT_EQ(l.ArriveTolX, 0);
    EXPECT_EQ(l.TrickJitterX, 0);
    // The deck places still follow from the (empty) hand values and the card width.
    EXPECT_EQ(l.DealOriginX[0], 69);
    EXPECT_EQ(l.DealOriginX[1], -129);
    EXPECT_EQ(l.DealOriginX[3], 129);
    EXPECT_EQ(l.PilePos[1].x, 79);
    EXPECT_EQ(s.TrickSlots[0].x, 430);
    EXPECT_EQ(s.TrickSlots[0].y, 310);
    // A move still ends: it takes a single frame.
    CardRecord card;
    card.X = 10;
    StartCardMove(s, card, 50, 0);
    EXPECT_FLOAT_EQ(card.SpeedX, 40);
}

TEST(TableLayout, HalvesRoundToEven) {
    EXPECT_EQ(RoundHalfEven(12.5f), 12);
    EXPECT_EQ(RoundHalfEven(13.5f), 14);
    EXPECT_EQ(RoundHalfEven(335.9375f), 336);
}

// --- Single moves and the arrival rule -----------------------------------------------------------

struct MoveCase {
    const char* name;
    bool slow;
    float fromX, fromY;
    int16_t toX, toY;
    int16_t stepX, stepY;
    float speedX, speedY;
    int stepsToArrive;
    float restX, restY;  // where the card stops: up to 8 pixels short of the target
};

class MoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveTest, DirectionSpeedAndArrival) {
    const MoveCase& c = GetParam();
    GameState s = LaidOutState(c.slow);
    Services fake({0.0});
    CardRecord card;
    card.X = c.fromX;
    card.Y = c.fromY;
    StartCardMove(s, card, c.toX, c.toY);
    EXPECT_EQ(card.StepX, c.stepX);
    EXPECT_EQ(card.StepY, c.stepY);
    EXPECT_FLOAT_EQ(card.SpeedX, c.speedX);
    EXPECT_FLOAT_EQ(card.SpeedY, c.speedY);
    int steps = 0;
    while (card.Moving && steps < 100) {
        StepCard(s, card, fake.services);
        ++steps;
    }
    EXPECT_EQ(steps, c.stepsToArrive);
    EXPECT_NEAR(card.X, c.restX, 1e-3);
    EXPECT_NEAR(card.Y, c.restY, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Movement, MoveTest,
    ::testing::Values(MoveCase{"right_and_above_10_frames", false, 400, 100, 100, 200, -1, 1, 30, 10, 10, 100,
                               200},
                      MoveCase{"right_and_above_slow", true, 400, 100, 100, 200, -1, 1, 15, 5, 20, 100, 200},
                      MoveCase{"forty_pixels_ends_8_short", false, 0, 50, 40, 50, 1, 0, 4, 0, 8, 32, 50}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Movement, SecondPlayRequestWhileACardMovesDoesNothing) {
    GameState s = LaidOutState();
    Services fake({0.5});
    s.Hand[1][0].Moving = true;
    CardRecord& other = s.Hand[2][3];
    other.InUse = true;
    PlayCard(s, other, fake.services);
    EXPECT_FALSE(other.Moving);
    EXPECT_TRUE(fake.sound.played.empty());
    EXPECT_EQ(fake.random.Draws(), 0);
}

TEST(Movement, TrickCardDrawsTheSoundFirstThenXThenY) {
    GameState s = LaidOutState();
    Services fake({0.5, 0.5, 0.99});
    s.CurrentSeat = 1;
    s.CardUnderMouse = 4;
    CardRecord& card = s.Hand[1][0];
    card.InUse = true;
    PlayCard(s, card, fake.services);
    ASSERT_EQ(fake.sound.played.size(), 1u);
    EXPECT_EQ(fake.sound.played[0], SoundEffect::CardFlip2);
    EXPECT_EQ(card.TargetX, s.TrickSlots[1].x + 10);
    EXPECT_EQ(card.TargetY, s.TrickSlots[1].y + 15);
    EXPECT_EQ(s.CardUnderMouse, -1);
}

TEST(Movement, TenUnderTheJackAimsAboveItsCellAndPushesTheJackDown) {
    GameState s = LaidOutState(false, kLayoutContract);
    Services fake({0.0});
    for (int row = 0; row <= 13; ++row) {
        s.LayoutGrid[kClubs][row].HomeX = 180;
        s.LayoutGrid[kClubs][row].HomeY = static_cast<int16_t>(160 + 8 * row);
    }
    s.SuitLow[kClubs] = 11;
    s.SuitHigh[kClubs] = 11;
    CardRecord& jack = s.LayoutGrid[kClubs][11];
    jack.InUse = true;
    jack.Card = CardId("JC");
    jack.Y = 248;
    GiveHand(s, 0, {"10C"});
    CardRecord& ten = s.Hand[0][0];
    PlayCard(s, ten, fake.services);
    EXPECT_EQ(ten.TargetX, 180);
    EXPECT_EQ(ten.TargetY, 160 + 8 * 10 - 15);
    EXPECT_FLOAT_EQ(jack.Y, 263);
    EXPECT_TRUE(ten.FaceUp);
    EXPECT_EQ(fake.sound.played.size(), 2u);  // the play's flip and the move's flip
}

TEST(Movement, LayingTheJackOpensBothEnds) {
    GameState s = LaidOutState(false, kLayoutContract);
    s.SuitLow[kSpades] = 12;
    s.SuitHigh[kSpades] = 10;
    CardRecord card;
    card.Card = CardId("JS");
    card.X = 420;
    card.Y = 250;
    PlaceTableCard(s, card);
    EXPECT_EQ(s.SuitLow[kSpades], 11);
    EXPECT_EQ(s.SuitHigh[kSpades], 11);
    EXPECT_TRUE(s.LayoutGrid[kSpades][11].InUse);
    EXPECT_FLOAT_EQ(s.LayoutGrid[kSpades][11].X, 420);
}

TEST(Movement, SweptTrickJoinsTheWinnersPileAndLeavesTheTableEmpty) {
    GameState s = LaidOutState();
    for (const char* name : {"5C", "KC", "AH", "2C"}) {
        CardRecord card;
        card.Card = CardId(name);
        PlaceTableCard(s, card);
    }
    for (int slot = 0; slot < 4; ++slot) {
        s.TableCards[slot].Gather = true;
    }
    s.TrickWinner = 2;
    SweepTrickToPile(s);
    CompactTable(s);
    EXPECT_EQ(s.WonCount[2], 4);
    EXPECT_EQ(s.TakenCount[2], 4);
    EXPECT_EQ(s.TakenCards[2][1], CardId("KC"));
    EXPECT_EQ(s.TableCount, 0);
    EXPECT_EQ(s.TableCardIdCount, 0);
}

// --- Sorting the human's hand --------------------------------------------------------------------

TEST(Movement, SortedHandEndsOnTheSamePlacesInSuitOrder) {
    FlowHarness h(3);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) {
        return s.Phase == Phase::NormalPlay && s.CurrentSeat == 0 && s.AwaitingHuman;
    }));
    std::array<int16_t, 13> homeX{};
    std::array<int16_t, 13> homeY{};
    for (int slot = 0; slot < 13; ++slot) {
        homeX[slot] = RoundHalfEven(h.s.Hand[0][slot].X);
        homeY[slot] = RoundHalfEven(h.s.Hand[0][slot].Y);
    }
    h.Frame(KeyDown(kKeyR));
    EXPECT_EQ(h.s.Phase, Phase::GatherAroundFirstCard);
    ASSERT_TRUE(
        h.RunUntil([](const GameState& s) { return s.Phase == Phase::NormalPlay && !AnyCardMoving(s); }));
    for (int slot = 0; slot < 13; ++slot) {
        const CardRecord& card = h.s.Hand[0][slot];
        EXPECT_NEAR(card.X, homeX[slot], 1e-3) << slot;
        EXPECT_NEAR(card.Y, homeY[slot], 1e-3) << slot;
        if (slot > 0) {
            const CardRecord& before = h.s.Hand[0][slot - 1];
            const int32_t suitBefore = h.s.CardSuit[before.Card];
            const int32_t suit = h.s.CardSuit[card.Card];
            const bool ordered =
                suitBefore < suit || (suitBefore == suit && h.s.RankOrder[h.s.CardRank[before.Card]] >
                                                                h.s.RankOrder[h.s.CardRank[card.Card]]);
            EXPECT_TRUE(ordered) << "slot " << slot;
        }
    }
    EXPECT_TRUE(h.s.AwaitingHuman);  // the interrupted turn goes on
}

}  // namespace
