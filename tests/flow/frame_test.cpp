#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/autoplayer.h"
#include "flow/card_movement.h"
#include "flow/game_frame.h"
#include "flow_harness.h"

namespace {

bool HumansFirstCard(const GameState& s) {
    return s.Phase == Phase::NormalPlay && s.CurrentSeat == 0 && s.AwaitingHuman && s.HeldCount[0] == 13;
}

class RecordingDrawing final : public FrameDrawing {
public:
    bool WaitForDisplay() override {
        calls.push_back("wait");
        return displayReady;
    }
    void DrawBackground(const GameState&) override { calls.push_back("background"); }
    void DrawTableLayer(const GameState&) override { calls.push_back("table"); }
    bool displayReady = true;
    std::vector<std::string> calls;
};

// --- Keys ----------------------------------------------------------------------------------------

TEST(Frame, EscapeAsksToExitEvenWhilePaused) {
    FlowHarness h;
    h.Start();
    h.Frame(KeyDown(kKeyP));
    ASSERT_TRUE(h.s.Paused);
    EXPECT_TRUE(h.Frame(KeyDown(kKeyEscape)).ExitRequested);
}

TEST(Frame, HoldingPPausesOnceAndTheNextPressResumes) {
    FlowHarness h;
    h.Start();
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(h.Frame(KeyDown(kKeyP)).Paused) << i;
    }
    const int16_t dealt = h.s.CardsDealt;
    h.Frame();
    h.Frame();
    EXPECT_TRUE(h.s.Paused);
    EXPECT_EQ(h.s.CardsDealt, dealt) << "no game step while paused";
    EXPECT_FALSE(h.Frame(KeyDown(kKeyP)).Paused);
    h.Frame(KeyDown(kKeyP));
    EXPECT_FALSE(h.s.Paused) << "still the same press";
}

TEST(Frame, SortKeyStartsTheSortOnTheHumansFirstTurn) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil(HumansFirstCard));
    h.Frame(KeyDown(kKeyR));
    EXPECT_EQ(h.s.Phase, Phase::GatherAroundFirstCard);
    EXPECT_EQ(h.s.SavedPhase, Phase::NormalPlay);
}

TEST(Frame, SortDuringTheHumansContractChoiceReturnsToTheChoice) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.RunUntil([](const GameState& s) { return s.Phase == Phase::SelectTrumps; }));
    h.s.CurrentSeat = 3;  // the choice's first step moves on to the human
    h.s.FirstSeat = 1;
    h.Frame();
    ASSERT_TRUE(h.s.ContractMenuOn);
    h.Frame(KeyDown(kKeyR));
    EXPECT_EQ(h.s.Phase, Phase::GatherAroundFirstCard);
    ASSERT_TRUE(h.RunUntil([](const GameState& s) { return s.Phase == Phase::SelectTrumps; }));
    EXPECT_TRUE(h.s.AwaitingHuman);
    const ContractButtonRecord& king = h.s.ContractButton[kKing - 1];
    h.Frame(ClickAt(king.x + 100, king.y + 20));
    EXPECT_EQ(h.s.Contract, kKing);
    EXPECT_EQ(h.s.Phase, Phase::ShowContract);
}

TEST(Frame, SortKeyIgnoredWhileACardMoves) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil(HumansFirstCard));
    h.s.Hand[2][5].Moving = true;
    EXPECT_FALSE(SortAllowed(h.s));
    h.s.Hand[2][5].Moving = false;
    EXPECT_TRUE(SortAllowed(h.s));
}

TEST(Frame, SortKeyIgnoredAfterTheFirstCard) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil(HumansFirstCard));
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) {
        return s.Phase == Phase::NormalPlay && s.CurrentSeat == 0 && s.AwaitingHuman && s.HeldCount[0] == 12;
    }));
    h.Frame(KeyDown(kKeyR));
    EXPECT_EQ(h.s.Phase, Phase::NormalPlay);
}

TEST(Frame, SortKeyIgnoredOnAComputersTurn) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(
        h.PlayUntil([](const GameState& s) { return s.Phase == Phase::NormalPlay && s.CurrentSeat != 0; }));
    EXPECT_FALSE(SortAllowed(h.s));
}

// --- Clicks --------------------------------------------------------------------------------------

TEST(Frame, ClickOnAHandCardPlaysIt) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil(HumansFirstCard));
    AutoPlayer player;
    const InputSnapshot click = player.NextInput(h.s);
    ASSERT_TRUE(click.Buttons[0]);
    h.Frame(click);
    EXPECT_TRUE(h.s.HumanClickTaken);
    EXPECT_TRUE(AnyCardMoving(h.s));
    EXPECT_EQ(h.s.CardUnderMouse, -1);
}

TEST(Frame, ClickWhilePausedIsIgnored) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil(HumansFirstCard));
    AutoPlayer player;
    InputSnapshot click = player.NextInput(h.s);
    h.Frame(KeyDown(kKeyP));
    click.Keys[kKeyP] = true;  // still held: no second toggle
    h.Frame(click);
    EXPECT_FALSE(h.s.HumanClickTaken) << "a card taken now could never be played";
    h.Frame();
    h.Frame(KeyDown(kKeyP));
    ASSERT_FALSE(h.s.Paused);
    click.Keys[kKeyP] = false;
    h.Frame(click);
    EXPECT_TRUE(h.s.HumanClickTaken);
    EXPECT_TRUE(AnyCardMoving(h.s));
}

TEST(Frame, StaleButtonsDoNotTakeOverAComputersChoice) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.RunUntil([](const GameState& s) { return s.Phase == Phase::SelectTrumps; }));
    h.s.CurrentSeat = 0;  // the choice's first step moves on to seat 1
    h.s.FirstSeat = 2;
    ContractButtonRecord& button = h.s.ContractButton[4];
    button = {305, 360, 256, 52, kTrueCell};
    h.Frame(ClickAt(400, 380));
    EXPECT_FALSE(h.s.HumanMoved);
    EXPECT_EQ(h.s.SeatInfo[0][kContractChosenCell + kLayoutContract], 0);
    EXPECT_NE(h.s.SeatInfo[1][kContractChosenCell + h.s.Contract], 0) << "seat 1 chose";
}

TEST(Frame, ClickAtTheEndOfAContractStartsTheNextDeal) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::EndOfMatch; }));
    EXPECT_EQ(h.s.ContractsPlayed, 1);
    h.Frame(ClickAt(10, 10));
    EXPECT_EQ(h.s.Phase, Phase::DealingCards);
    EXPECT_EQ(h.s.ContractsPlayed, 1);
}

TEST(Frame, ClickAfterTheTwentiethContractStartsANewMatch) {
    FlowHarness h(5);
    h.Start();
    h.s.Phase = Phase::EndOfMatch;
    h.s.MatchOver = true;
    h.s.ContractsPlayed = 20;
    h.Frame(ClickAt(10, 10));
    EXPECT_EQ(h.s.Phase, Phase::DealingCards);
    EXPECT_EQ(h.s.ContractsPlayed, 0);
    EXPECT_FALSE(h.s.MatchOver);
}

// --- Drawing hooks -------------------------------------------------------------------------------

TEST(Frame, DrawsBackgroundBeforeAndTableAfterTheGameStep) {
    FlowHarness h;
    h.Start();
    RecordingDrawing drawing;
    const int16_t dealt = h.s.CardsDealt;
    RunGameFrame(h.s, {}, h.services, &drawing);
    EXPECT_EQ(drawing.calls, (std::vector<std::string>{"wait", "background", "table"}));
    EXPECT_EQ(h.s.CardsDealt, dealt + 1);

    drawing.calls.clear();
    drawing.displayReady = false;
    RunGameFrame(h.s, {}, h.services, &drawing);
    EXPECT_EQ(drawing.calls, (std::vector<std::string>{"wait"})) << "no drawing, but the game goes on";

    drawing.calls.clear();
    RunGameFrame(h.s, KeyDown(kKeyP), h.services, &drawing);
    EXPECT_TRUE(drawing.calls.empty()) << "nothing is drawn while paused";
}

// --- The autoplayer's clicks ---------------------------------------------------------------------

TEST(AutoPlayerClicks, PointLiesInTheVisiblePartOfTheCard) {
    GameState s = MakeState();
    GiveHand(s, 0, {"2C", "3C", "4C", "5C"});
    for (int slot = 0; slot < 4; ++slot) {
        CardRecord& card = s.Hand[0][slot];
        card.X = static_cast<float>(155 + 33 * slot);
        card.Y = 420;
        card.Width = 99;
        card.Height = 153;
    }
    for (int slot = 0; slot < 4; ++slot) {
        int32_t x = 0;
        int32_t y = 0;
        ASSERT_TRUE(VisibleCardPoint(s, slot, x, y));
        const float right = slot == 3 ? 155 + 99 * 1.0f + 33 * 3 : 155 + 33.0f * (slot + 1);
        EXPECT_GT(x, 155 + 33 * slot) << slot;
        EXPECT_LT(x, right) << slot;
        EXPECT_GT(y, 420);
        EXPECT_LT(y, 420 + 153);
    }
}

}  // namespace
