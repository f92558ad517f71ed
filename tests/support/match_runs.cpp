#include "match_runs.h"

#include <gtest/gtest.h>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"

ExpertSettings FastExpertSettings() {
    ExpertSettings fast;
    fast.trickSamples = 3;
    fast.exactCards = 8;
    fast.layoutSamples = 4;
    fast.contractSamples = 6;
    return fast;
}

std::array<int16_t, kSeats> FrameMatch(ComputerSeats* seats, uint32_t seed) {
    ManualClock clock;
    SeededRandom random(seed);
    NullSound sound;
    GameServices services{random, sound, clock, seats};
    GameState s;
    StartNewGame(s, services);
    AutoPlayer player(AutoPlayerOptions{0, true, seats});
    // The bound only stops a broken game from hanging the test; a match needs far fewer frames.
    for (int64_t frames = 0; !s.MatchOver && frames < 20000000; ++frames) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(17);
    }
    EXPECT_TRUE(s.MatchOver);
    return s.TotalScore;
}
