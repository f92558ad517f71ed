#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/dealing.h"
#include "flow/game_frame.h"
#include "flow/table_layout.h"
#include "flow_harness.h"

namespace {

bool ContractChoiceReached(const GameState& s) {
    return s.Phase == Phase::SelectTrumps;
}

// --- Dealing order -------------------------------------------------------------------------------

struct DealOrderCase {
    const char* name;
    bool french;
    int firstSlotCard;  // deck position of the first receiver's k-th card: k * step
    int step;
};

class DealOrderTest : public ::testing::TestWithParam<DealOrderCase> {};

TEST_P(DealOrderTest, FirstReceiverGetsTheRightDeckCards) {
    GameOptions options;
    options.PortugueseRules = !GetParam().french;
    FlowHarness h(11, options);
    h.Start();
    ASSERT_EQ(h.s.Phase, Phase::DealingCards);
    const int16_t first = h.s.DealOrder[0];
    EXPECT_EQ(first, h.s.FirstSeat);
    ASSERT_TRUE(h.RunUntil(ContractChoiceReached));
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(h.s.Hand[first][k].Card, h.s.Deck[GetParam().step * k].Card) << "card " << k;
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(h.s.HeldCount[seat], 13);
        for (int k = 0; k < 13; ++k) {
            EXPECT_EQ(h.s.Hand[seat][k].FaceUp, seat == 0);
        }
    }
    EXPECT_EQ(h.s.DeckNext, 52);
}

INSTANTIATE_TEST_SUITE_P(Dealing, DealOrderTest,
                         ::testing::Values(DealOrderCase{"portuguese_one_at_a_time", false, 0, 4},
                                           DealOrderCase{"french_packets_of_13", true, 0, 1}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Dealing, DealSetUpPlacesHandsPassPicturesAndTheDeck) {
    FlowHarness h(13);
    h.Start();
    const int passX[] = {45, 665, 190, 20};
    const int passY[] = {465, 145, 47, 145};
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(h.s.PassPicX[seat], passX[seat]) << seat;
        EXPECT_EQ(h.s.PassPicY[seat], passY[seat]) << seat;
    }
    EXPECT_EQ(h.s.Hand[0][12].HomeX, 155 + 12 * 33);
    EXPECT_EQ(h.s.Hand[1][12].HomeY, 190 + 12 * 5);
    const int dealer = (h.s.FirstSeat + 3) % kSeats;
    EXPECT_EQ(h.s.DeckX, h.s.Layout.DealOriginX[dealer]);
    EXPECT_EQ(h.s.DeckY, h.s.Layout.DealOriginY[dealer]);
    EXPECT_EQ(h.s.Phase, Phase::DealingCards);
    EXPECT_EQ(h.sound.played, (std::vector<SoundEffect>{SoundEffect::Shuffle}));
}

TEST(Dealing, ShuffleIsAPermutation) {
    GameState s = MakeState();
    SeededRandom random(5);
    ShuffleDeck(s, random);
    std::set<int16_t> ids;
    for (int n = 0; n < kCards; ++n) {
        ids.insert(s.Deck[n].Card);
    }
    EXPECT_EQ(ids.size(), 52u);
    EXPECT_EQ(*ids.begin(), 0);
    EXPECT_EQ(*ids.rbegin(), 51);
}

TEST(Dealing, DeckStackShowsEightCardsOnePixelApart) {
    GameState s = MakeState();
    SetUpTableLayout(s);
    s.DeckX = 100;
    s.DeckY = 50;
    s.DeckNext = 3;
    LayDeckStack(s);
    EXPECT_FLOAT_EQ(s.Deck[3].X, 108);
    EXPECT_FLOAT_EQ(s.Deck[10].X, 101);
    EXPECT_TRUE(s.Deck[10].InUse);
    EXPECT_FALSE(s.Deck[11].InUse);
    EXPECT_FALSE(s.Deck[3].FaceUp);
}

// --- First seat and the kingdoms -----------------------------------------------------------------

class FirstDealSeatTest : public ::testing::TestWithParam<std::pair<double, int16_t>> {};

TEST_P(FirstDealSeatTest, FirstDealOfTheRunDrawsTheSeat) {
    GameState s = MakeState();
    ScriptedRandom random({GetParam().first});
    EXPECT_EQ(ChooseFirstSeat(s, random), GetParam().second);
    EXPECT_TRUE(s.FirstDealDone);
}

INSTANTIATE_TEST_SUITE_P(Dealing, FirstDealSeatTest,
                         ::testing::Values(std::pair{0.0, int16_t{0}}, std::pair{0.3, int16_t{1}},
                                           std::pair{0.6, int16_t{2}}, std::pair{0.99, int16_t{3}}));

TEST(Dealing, FirstDealsChooserIsTheSeatBeforeTheFirstSeatWhichPlaysFirst) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        FlowHarness h(seed);
        h.Start();
        const int16_t first = h.s.FirstSeat;
        ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::ShowContract; }));
        EXPECT_EQ((h.s.CurrentSeat + 1) % kSeats, (first + 3) % kSeats) << "chooser, seed " << seed;
        ASSERT_TRUE(h.PlayUntil([](const GameState& s) {
            return s.CardsPlayed == 1 || (s.CardsPlayed == 0 && s.Phase == Phase::ShowPass);
        }));
        if (h.s.CardsPlayed == 1) {
            EXPECT_EQ(h.s.CurrentSeat, first) << "first player, seed " << seed;
        }
    }
}

// Plays the deal starts of three matches and counts who chooses; every seat chooses five per match.
void ExpectFiveChoicesPerSeatPerMatch(bool sevenOfHearts, int16_t holder) {
    GameState s = MakeState();
    SetUpTableLayout(s);
    s.Options.SevenOfHeartsLead = sevenOfHearts;
    SeededRandom random(9);
    NullSound sound;
    ManualClock clock;
    GameServices services{random, sound, clock};
    int16_t firstOfRun = -1;
    for (int match = 0; match < 3; ++match) {
        std::array<int, kSeats> chosen{};
        for (int deal = 0; deal < 20; ++deal) {
            s.ContractsPlayed = static_cast<int16_t>(deal);
            StartDeal(s, services);
            if (firstOfRun < 0) {
                firstOfRun = s.FirstSeat;
            }
            if (sevenOfHearts && deal == 0) {
                // The deal is done: the holder's hand has the seven of hearts.
                s.Hand[holder][0].Card = kSevenOfHearts;
                s.HeldCount[holder] = 1;
                s.CurrentSeat = static_cast<int16_t>((s.FirstSeat + 2) % kSeats);
                GiveFirstKingdomToSevenOfHearts(s);
                EXPECT_EQ((s.CurrentSeat + 1) % kSeats, holder) << "the holder chooses the first contract";
            }
            const int chooser = (s.FirstSeat + 3) % kSeats;
            ++chosen[chooser];
            if (deal == 5 && match == 0 && !sevenOfHearts) {
                EXPECT_EQ(s.FirstSeat, (firstOfRun + 1) % kSeats) << "deal 6 moves the kingdom on";
            }
        }
        for (int seat = 0; seat < kSeats; ++seat) {
            EXPECT_EQ(chosen[seat], 5) << "match " << match << " seat " << seat;
        }
        s.MatchOver = true;
    }
}

TEST(Kingdoms, EverySeatChoosesFivePerMatch) {
    ExpectFiveChoicesPerSeatPerMatch(false, 0);
}

TEST(Kingdoms, EverySeatChoosesFivePerMatchWithTheSevenOfHeartsLead) {
    for (int16_t holder = 0; holder < kSeats; ++holder) {
        ExpectFiveChoicesPerSeatPerMatch(true, holder);
    }
}

TEST(Kingdoms, SixthDealMovesFirstSeatAndChooserOn) {
    GameState s = MakeState();
    ScriptedRandom random({0.3});
    std::vector<int16_t> firsts;
    for (int deal = 0; deal < 11; ++deal) {
        s.FirstSeat = ChooseFirstSeat(s, random);
        if (deal == 0) {
            s.KingdomSeat = s.FirstSeat;
        }
        firsts.push_back(s.FirstSeat);
    }
    EXPECT_EQ(firsts, (std::vector<int16_t>{1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3}));
}

TEST(Kingdoms, SevenOfHeartsHolderChoosesAndTheSeatAfterItPlaysFirst) {
    GameOptions options;
    options.SevenOfHeartsLead = true;
    for (uint32_t seed : {1u, 6u, 8u}) {
        FlowHarness h(seed, options);
        h.Start();
        ASSERT_TRUE(h.RunUntil(ContractChoiceReached));
        const int16_t holder = SevenOfHeartsHolder(h.s);
        ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::ShowContract; }));
        EXPECT_EQ((h.s.CurrentSeat + 1) % kSeats, holder) << "seed " << seed;
        EXPECT_EQ(h.s.FirstSeat, (holder + 1) % kSeats);
        ASSERT_TRUE(h.PlayUntil([](const GameState& s) {
            return s.CardsPlayed == 1 || (s.CardsPlayed == 0 && s.Phase == Phase::ShowPass);
        }));
        if (h.s.CardsPlayed == 1) {
            EXPECT_EQ(h.s.CurrentSeat, (holder + 1) % kSeats) << "seed " << seed;
        }
    }
}

// --- New match -----------------------------------------------------------------------------------

TEST(Dealing, NewMatchClearsTheMatchAndDrawsNewDistinctNames) {
    FlowHarness h(21);
    h.Start();
    h.s.MatchOver = true;
    h.s.ContractsPlayed = 20;
    h.s.TotalScore = {100, 200, 300, -100};
    h.s.ScoreRows = 10;
    for (int seat = 0; seat < kSeats; ++seat) {
        h.s.SeatInfo[seat][kContractChosenCell + 3] = kTrueCell;
        h.s.SeatInfo[seat][kKingdomDealsCell] = 4;
        h.s.OpponentName[seat] = "----";
    }
    StartDeal(h.s, h.services);
    EXPECT_FALSE(h.s.MatchOver);
    EXPECT_EQ(h.s.ContractsPlayed, 0);
    EXPECT_EQ(h.s.ScoreRows, 0);
    EXPECT_EQ(h.s.TotalScore, (std::array<int16_t, 4>{0, 0, 0, 0}));
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(h.s.SeatInfo[seat][kContractChosenCell + 3], 0);
    }
    std::set<std::string> names;
    for (int seat = 1; seat < kSeats; ++seat) {
        EXPECT_NE(std::find(kOpponentNames.begin(), kOpponentNames.end(), h.s.OpponentName[seat]),
                  kOpponentNames.end());
        names.insert(h.s.OpponentName[seat]);
    }
    EXPECT_EQ(names.size(), 3u);
}

TEST(Dealing, NextDealKeepsTheMatch) {
    FlowHarness h(21);
    h.Start();
    h.s.ContractsPlayed = 7;
    h.s.TotalScore = {100, 200, 300, -100};
    h.s.OpponentName[1] = "Abcd";
    StartDeal(h.s, h.services);
    EXPECT_EQ(h.s.ContractsPlayed, 7);
    EXPECT_EQ(h.s.TotalScore[2], 300);
    EXPECT_EQ(h.s.OpponentName[1], "Abcd");
    EXPECT_EQ(h.sound.played.back(), SoundEffect::Shuffle);
}

// --- The human's contract choice -----------------------------------------------------------------

TEST(ContractChoice, ButtonsOfferExactlyTheUnchosenContractsStackedWithoutGaps) {
    GameState s = MakeState();
    SetUpTableLayout(s);
    s.SeatInfo[0][kContractChosenCell + kDiamonds] = kTrueCell;
    s.SeatInfo[0][kContractChosenCell + kKing] = kTrueCell;
    EnableContractButtons(s);
    const bool enabled[] = {true, false, true, false, true};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(s.ContractButton[k].enabled != 0, enabled[k]) << k;
    }
    EXPECT_EQ(s.ContractButton[0].y, 360);
    EXPECT_EQ(s.ContractButton[2].y, 308);
    EXPECT_EQ(s.ContractButton[4].y, 256);
    EXPECT_EQ(s.ContractButton[4].x, 305);
}

TEST(ContractChoice, ClickOnAnEnabledButtonChoosesItsContract) {
    FlowHarness h(4);
    h.Start();
    ASSERT_TRUE(h.RunUntil(ContractChoiceReached));
    h.s.CurrentSeat = 3;  // the choice's first step moves on to the human
    h.s.FirstSeat = 1;
    h.s.SeatInfo[0][kContractChosenCell + kTricks] = kTrueCell;
    h.Frame();
    ASSERT_TRUE(h.s.ContractMenuOn);
    ASSERT_TRUE(h.s.AwaitingHuman);
    EXPECT_EQ(h.s.ContractButton[0].enabled, 0);
    h.s.ContractButton[0].x = 305;  // a place left from an earlier menu
    h.s.ContractButton[0].y = 100;

    h.Frame(ClickAt(100, 100));  // beside the buttons
    EXPECT_TRUE(h.s.AwaitingHuman);
    h.Frame(ClickAt(320, 110));  // on the disabled Tricks button
    EXPECT_TRUE(h.s.AwaitingHuman);

    const ContractButtonRecord queens = h.s.ContractButton[2];
    h.Frame(ClickAt(queens.x + 1, queens.y + 1));
    EXPECT_EQ(h.s.Contract, kQueens);
    EXPECT_EQ(h.s.SeatInfo[0][kContractChosenCell + kQueens], kTrueCell);
    EXPECT_FALSE(h.s.ContractMenuOn);
    EXPECT_EQ(h.s.Phase, Phase::ShowContract);
    EXPECT_EQ(h.s.TrumpSuit, kNoSuit);
}

TEST(ContractChoice, ButtonEdgesAreOutside) {
    GameState s = MakeState();
    SetUpTableLayout(s);
    for (int k = 0; k < 5; ++k) {
        s.ContractButton[k].width = kContractButtonWidth;
        s.ContractButton[k].height = kContractButtonHeight;
    }
    EnableContractButtons(s);
    const ContractButtonRecord& b = s.ContractButton[0];
    EXPECT_EQ(ContractButtonAt(s, b.x, b.y + 5), -1);
    EXPECT_EQ(ContractButtonAt(s, b.x + 1, b.y + 1), 0);
    EXPECT_EQ(ContractButtonAt(s, b.x + b.width, b.y + 5), -1);
}

}  // namespace
