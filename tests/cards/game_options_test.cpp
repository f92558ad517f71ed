#include <gtest/gtest.h>

#include "cards/game_options.h"

namespace {

TEST(GameOptions, ARunWithNothingChangedGetsTheDialogValues) {
    const GameOptions o;
    EXPECT_EQ(o.PakFileName, "res118.pak");
    EXPECT_EQ(o.DeckName, "Roya2");
    EXPECT_EQ(o.Resolution, "800x600");
    EXPECT_EQ(o.ScreenWidth, 800);
    EXPECT_EQ(o.ScreenHeight, 600);
    EXPECT_FALSE(o.UseVidMem);
    EXPECT_TRUE(o.FullScreen);
    EXPECT_FALSE(o.SevenOfHeartsLead);
    EXPECT_FALSE(o.Partnership);
    EXPECT_FALSE(o.SlowAnimation);
    EXPECT_TRUE(o.PortugueseRules);
    EXPECT_EQ(o.DealPacketSize, 1);
}

TEST(GameOptions, ResolutionAndRulesDeriveTheirValues) {
    GameOptions o;
    o.Resolution = "1024x768";
    ApplyResolution(o);
    EXPECT_EQ(o.ScreenWidth, 1024);
    EXPECT_EQ(o.ScreenHeight, 768);
    o.Resolution = "anything";
    ApplyResolution(o);
    EXPECT_EQ(o.ScreenWidth, 1024);
    o.Resolution = "800x600";
    ApplyResolution(o);
    EXPECT_EQ(o.ScreenHeight, 600);
    o.PortugueseRules = false;
    ApplyRules(o);
    EXPECT_EQ(o.DealPacketSize, 13);
    o.PortugueseRules = true;
    ApplyRules(o);
    EXPECT_EQ(o.DealPacketSize, 1);
}

}  // namespace
