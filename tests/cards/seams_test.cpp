#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cards/seams.h"

namespace {

// A generator stuck at its largest value: Int(Rnd x n) must still stay below n.
class LargestRandom final : public Random {
public:
    double Rnd() override { return 1.0 - 1.0 / 16777216.0; }
};

TEST(Random, StaysInsideTheHalfOpenInterval) {
    SeededRandom random(12345);
    double lowest = 1.0;
    double highest = 0.0;
    for (int i = 0; i < 200000; ++i) {
        const double r = random.Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 0.001);
    EXPECT_GT(highest, 0.999);
}

TEST(Random, IntOfTheLargestValueStaysBelowN) {
    LargestRandom random;
    for (int n : {2, 3, 4, 30, 52, 1000}) {
        EXPECT_EQ(RandomInt(random, n), n - 1);
    }
}

TEST(Random, SameSeedSameSequenceAndEveryCardReachable) {
    SeededRandom a(7);
    SeededRandom b(7);
    SeededRandom c(8);
    bool differs = false;
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const double x = a.Rnd();
        EXPECT_EQ(x, b.Rnd());
        differs = differs || x != c.Rnd();
        seen.insert(static_cast<int>(x * 52));
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(seen.size(), 52u);
}

TEST(SeededRandom, ItsStateTakenAnywhereGoesOnWithTheSameNumbers) {
    SeededRandom a(20261210);
    for (int i = 0; i < 1000; ++i) {
        a.Rnd();
    }
    SeededRandom b(1);
    ASSERT_TRUE(b.SetState(a.State()));
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(a.Rnd(), b.Rnd()) << i;
    }
}

TEST(SeededRandom, RefusesTextThatIsNotAState) {
    const std::string good = SeededRandom(3).State();
    const std::string wideWord = "4294967296" + good.substr(good.find(' '));
    const std::string cases[] = {"",          "garbage",  good.substr(0, good.size() / 2),
                                 good + " 7", "-" + good, wideWord};
    for (const std::string& text : cases) {
        SeededRandom r(9);
        const double expected = SeededRandom(9).Rnd();
        EXPECT_FALSE(r.SetState(text)) << text.substr(0, 40);
        EXPECT_EQ(r.Rnd(), expected) << "a refused state leaves the generator as it was";
    }
}

TEST(Clock, ManualClockAdvancesAndWraps) {
    ManualClock clock(0xFFFFFFF0u);
    clock.Advance(0x20);
    EXPECT_EQ(clock.GetTickCount(), 0x10u);
    // The wrap-safe difference still measures the elapsed time.
    EXPECT_EQ(clock.GetTickCount() - 0xFFFFFFF0u, 0x20u);
}

TEST(Sound, EffectNamesInLoadOrder) {
    EXPECT_STREQ(SoundFileName(SoundEffect::CardFlip1), "CARD_FLIP.WAV");
    EXPECT_STREQ(SoundFileName(SoundEffect::Sign3), "SIGN3.WAV");
    EXPECT_STREQ(SoundFileName(SoundEffect::ContractEnd), "INTRO.WAV");
    EXPECT_STREQ(SoundFileName(SoundEffect::MatchLost), "LOSE_GAME.WAV");
}

}  // namespace
