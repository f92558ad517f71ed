#include <gtest/gtest.h>

#include <string_view>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "players/computer_player.h"
#include "players/layout_choice.h"
#include "test_support.h"

namespace {

constexpr int kSeat = 2;

// A seat in the layout contract with every suit still closed unless a case opens it.
class LayoutChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = MakeState(kLayoutContract);
        s.SuitHigh.fill(10);
        s.SuitLow.fill(12);
        s.CurrentSeat = kSeat;
    }

    void Hold(std::initializer_list<std::string_view> cards) { GiveHand(s, kSeat, cards); }

    float Value(int slot) const { return LayoutCardValue(s, s.Hand[kSeat][slot], s.Hand[kSeat]); }

    GameState s;
};

TEST_F(LayoutChoiceTest, JackWithItsTenAndNineCountsBothCards) {
    Hold({"JH", "10H", "9H"});
    // 5 + 1000 (the ten) + 500 (the nine), and 3 of the 12 cards below the queen's place held.
    EXPECT_FLOAT_EQ(Value(0), 5.0F + 1000.0F + 500.0F + 3.0F / 12.0F * 0.98F);
}

TEST_F(LayoutChoiceTest, LoneJackIsWorthOnlyTheBaseAndTheRatio) {
    Hold({"JS", "2C"});
    EXPECT_FLOAT_EQ(Value(0), 5.0F + 1.0F / 12.0F * 0.98F);
}

TEST_F(LayoutChoiceTest, JackOfAnUnopenedSuitIgnoresItsQueenAndKing) {
    Hold({"JH", "QH", "KH"});
    EXPECT_FLOAT_EQ(Value(0), 5.0F + 1.0F / 12.0F * 0.98F);
}

TEST_F(LayoutChoiceTest, KingOnTopOfTheQueenHasNoWalk) {
    s.SuitHigh[kClubs] = 12;
    s.SuitLow[kClubs] = 11;
    Hold({"KC"});
    EXPECT_FLOAT_EQ(Value(0), 5.49F);
}

TEST_F(LayoutChoiceTest, GapsAndLaidCardsShrinkTheWeight) {
    // Spades run 9..Q: the eight is laid next; the seat holds the six, two below a gap at the seven.
    s.SuitLow[kSpades] = 9;
    s.SuitHigh[kSpades] = 12;
    Hold({"8S", "6S"});
    const float afterGap = 1000.0F / 2.0F * 0.98F;  // the seven is missing
    EXPECT_FLOAT_EQ(Value(0), 5.0F + afterGap + 2.0F / 9.0F * 0.98F);
}

TEST_F(LayoutChoiceTest, UpwardWalkCountsTheCardsAboveAndTheRoomLeft) {
    // Only the jack of hearts is laid: the queen frees the king, and three places remain above the jack.
    s.SuitHigh[kHearts] = 11;
    s.SuitLow[kHearts] = 11;
    Hold({"QH", "KH"});
    EXPECT_FLOAT_EQ(Value(0), 5.0F + 1000.0F + 2.0F / 3.0F * 0.98F);
}

TEST_F(LayoutChoiceTest, DownwardWalkReachesTheAce) {
    // Hearts laid from the five up: the four frees the three and, past the missing two, the ace.
    s.SuitLow[kHearts] = 5;
    s.SuitHigh[kHearts] = 12;
    Hold({"4H", "3H", "AH"});
    EXPECT_FLOAT_EQ(Value(0), 5.0F + 1000.0F + 500.0F / 2.0F * 0.98F + 3.0F / 5.0F * 0.98F);
}

TEST_F(LayoutChoiceTest, HoldsRankInSuitLooksOnlyAtHeldSlots) {
    Hold({"JH", "10H"});
    EXPECT_TRUE(HoldsRankInSuit(s, 10, kHearts, s.Hand[kSeat]));
    EXPECT_FALSE(HoldsRankInSuit(s, 10, kSpades, s.Hand[kSeat]));
    s.Hand[kSeat][1].InUse = false;
    EXPECT_FALSE(HoldsRankInSuit(s, 10, kHearts, s.Hand[kSeat]));
}

TEST_F(LayoutChoiceTest, SlotScoresMarkCardsThatDoNotFit) {
    Hold({"5D", "JD"});
    const auto scores = LayoutSlotScores(s, kSeat);
    EXPECT_FLOAT_EQ(scores[0], -1000.0F);
    EXPECT_GT(scores[1], 5.0F);
    EXPECT_FLOAT_EQ(scores[2], 0.0F);  // empty slot
}

TEST_F(LayoutChoiceTest, LaysTheCardThatFreesMostOfItsOwnCards) {
    Hold({"JS", "5C", "JH", "10H", "9H"});
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), 2);
}

TEST_F(LayoutChoiceTest, EqualValuesKeepTheLowerSlot) {
    Hold({"2C", "JC", "JS"});
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), 1);
    Hold({"JS", "JC"});
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), 0);
}

TEST_F(LayoutChoiceTest, ExtendsAnOpenSuitAtEitherEnd) {
    s.SuitLow[kHearts] = 9;
    s.SuitHigh[kHearts] = 12;
    Hold({"3C", "KH", "8H", "7H"});
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), 2);  // the eight frees the seven
}

TEST_F(LayoutChoiceTest, PlayedSlotsAreNeverChosen) {
    Hold({"JS", "JH", "10H"});
    s.Hand[kSeat][1].InUse = false;  // the jack of hearts has been laid already
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), 0);
}

TEST_F(LayoutChoiceTest, SeatWithoutAFittingCardHasNoChoice) {
    Hold({"5C", "QH"});
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), -1);
}

TEST_F(LayoutChoiceTest, ActsForTheSeatItIsGiven) {
    Hold({"5C", "JH"});
    GiveHand(s, 0, {"2D", "9S", "JD"});
    EXPECT_EQ(ChooseLayoutCard(s, 0), 2);
    EXPECT_EQ(ChooseLayoutCard(s, kSeat), 1);
}

}  // namespace
