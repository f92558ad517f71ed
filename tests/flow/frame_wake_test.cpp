// When the main loop runs a frame and when it may sleep.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "flow/frame_wake.h"
#include "flow_harness.h"

namespace {

// A generator that counts its draws: a frame at rest must not take any.
class CountingRandom final : public Random {
public:
    double Rnd() override {
        ++draws;
        return 0.5;
    }
    int draws = 0;
};

GameState RestingState(Phase phase) {
    GameState s;
    s.Phase = phase;
    s.AwaitingHuman = true;
    return s;
}

TEST(NextFrameWake, RunsOrWaitsByTheStateAndTheContext) {
    GameState moving = RestingState(Phase::NormalPlay);
    moving.Hand[1][3].Moving = true;
    GameState delay = RestingState(Phase::Paused);
    delay.DelayStart = 1000;
    delay.DelayLength = 400;
    GameState pausedByP = RestingState(Phase::NormalPlay);
    pausedByP.Paused = true;
    pausedByP.Hand[1][3].Moving = true;
    GameState showingPicture = RestingState(Phase::NormalPlay);
    showingPicture.ShowContractPicture = true;
    GameState computerChoosing = RestingState(Phase::SelectTrumps);
    computerChoosing.AwaitingHuman = false;
    const GameState waitingForCard = RestingState(Phase::NormalPlay);

    struct Case {
        std::string name;
        GameState state;
        WakeContext context;
        bool runNow;
        std::optional<uint32_t> waitMs;
        WakeReason reason;
    };
    WakeContext input;
    input.inputPending = true;
    WakeContext scripted;
    scripted.scripted = true;
    const auto context = [](uint32_t nowMs, uint32_t toMinute, std::optional<uint32_t> caption) {
        WakeContext c;
        c.nowMs = nowMs;
        c.msToNextClockMinute = toMinute;
        c.msToCaptionRefresh = caption;
        return c;
    };
    WakeContext stale = context(0, 59000, {});
    stale.clockMinuteStale = true;

    const std::vector<Case> cases = {
        {"input wakes a waiting table", waitingForCard, input, true, {}, WakeReason::Input},
        {"the demo runs every frame", waitingForCard, scripted, true, {}, WakeReason::Scripted},
        {"paused by P: only an event", pausedByP, context(0, 100, 50), false, {}, WakeReason::PlayerOnly},
        {"moving cards", moving, context(0, 60000, {}), true, {}, WakeReason::TableMoving},
        {"the announcement still to be cleared",
         showingPicture,
         context(0, 60000, {}),
         true,
         {},
         WakeReason::TableMoving},
        {"a computer seat chooses",
         computerChoosing,
         context(0, 60000, {}),
         true,
         {},
         WakeReason::TableMoving},
        {"waiting for a card: the clock's minute", waitingForCard, context(0, 42000, {}), false, 42000,
         WakeReason::ClockMinute},
        {"the minute has turned", waitingForCard, stale, true, {}, WakeReason::ClockMinute},
        {"the caption before the minute", waitingForCard, context(0, 42000, 900), false, 900,
         WakeReason::Caption},
        {"a due caption still waits", waitingForCard, context(0, 42000, 0), false, 1, WakeReason::Caption},
        {"a delay: its end", delay, context(1100, 42000, {}), false, 301, WakeReason::DelayEnds},
        {"a delay at its last tick", delay, context(1400, 42000, {}), false, 1, WakeReason::DelayEnds},
        {"a delay just ended", delay, context(1401, 42000, {}), true, {}, WakeReason::DelayEnds},
        {"a delay across the clock's wrap",
         [&] {
             GameState s = delay;
             s.DelayStart = 0xFFFFFF00u;
             return s;
         }(),
         context(0x10, 42000, {}), false, 400 - 0x110 + 1, WakeReason::DelayEnds},
        {"the score sheet", RestingState(Phase::EndOfMatch), context(0, 5000, {}), false, 5000,
         WakeReason::ClockMinute},
    };
    for (const Case& c : cases) {
        const FrameWake wake = NextFrameWake(c.state, c.context);
        EXPECT_EQ(wake.runNow, c.runNow) << c.name;
        EXPECT_EQ(wake.waitMs, c.waitMs) << c.name;
        EXPECT_EQ(wake.reason, c.reason) << c.name;
    }
}

// A whole match played through the loop's schedule: frames run only when NextFrameWake says so, the
// clock jumps over every wait, and seat 0 acts as a person would, only when the table waits for it.
// Wherever the schedule would sleep, one more frame without input must change nothing at all; and the
// match ends with the totals it had when every frame was run.
TEST(NextFrameWake, AWholeMatchThroughTheScheduleKeepsItsTotals) {
    struct Case {
        uint32_t seed;
        bool partnership;
        bool french;
        bool sevenOfHearts;
        std::array<int16_t, kSeats> totals;  // of the same match with a frame every 17 ms
    };
    const std::vector<Case> cases = {
        {7, false, false, false, {-10, -30, -135, 175}},
        {20261210, true, true, true, {50, -210, 285, -125}},
    };
    for (const Case& c : cases) {
        GameOptions options;
        options.Partnership = c.partnership;
        options.PortugueseRules = !c.french;
        options.SevenOfHeartsLead = c.sevenOfHearts;
        FlowHarness h(c.seed, options);
        h.Start();
        int waits = 0;
        int framesRun = 0;
        InputSnapshot pointerSeen;  // where the game last saw the pointer: moving it is input too
        for (int pass = 0; pass < 400000 && !(h.s.MatchOver && h.s.Phase == Phase::EndOfMatch); ++pass) {
            // The person thinks until the table is at rest, then acts.
            const InputSnapshot input = h.player.NextInput(h.s);
            WakeContext context;
            context.nowMs = h.clock.GetTickCount();
            const FrameWake wake = NextFrameWake(h.s, context);
            if (wake.runNow) {
                h.Frame(pointerSeen);
                ++framesRun;
                continue;
            }
            const InputSnapshot pointerOnly = pointerSeen;
            ASSERT_TRUE(TableAtRest(h.s)) << "seed " << c.seed << " pass " << pass;
            GameState copy = h.s;
            CountingRandom random;
            RecordingSound sound;
            GameServices services{random, sound, h.clock};
            RunGameFrame(copy, pointerOnly, services, nullptr);
            ASSERT_TRUE(copy == h.s) << "seed " << c.seed << " pass " << pass << ": a frame at rest changed "
                                     << "the state, phase " << static_cast<int>(h.s.Phase);
            ASSERT_EQ(random.draws, 0) << "seed " << c.seed << " pass " << pass;
            ASSERT_TRUE(sound.played.empty()) << "seed " << c.seed << " pass " << pass;
            context.inputPending = AnyKeyOrButtonDown(input) || input.MouseX != pointerSeen.MouseX ||
                                   input.MouseY != pointerSeen.MouseY;
            if (NextFrameWake(h.s, context).runNow) {
                pointerSeen.MouseX = input.MouseX;
                pointerSeen.MouseY = input.MouseY;
                h.Frame(input);
                ++framesRun;
                continue;
            }
            ASSERT_TRUE(wake.waitMs.has_value());
            h.clock.Advance(*wake.waitMs);
            ++waits;
        }
        ASSERT_TRUE(h.s.MatchOver) << "seed " << c.seed;
        // The same match run here with a frame every 17 ms and seat 0 acting whenever it is awaited.
        FlowHarness everyFrame(c.seed, options);
        everyFrame.Start();
        ASSERT_TRUE(everyFrame.PlayUntil(
            [](const GameState& s) { return s.MatchOver && s.Phase == Phase::EndOfMatch; }, 400000))
            << "seed " << c.seed;
        EXPECT_EQ(h.s.TotalScore, everyFrame.s.TotalScore) << "seed " << c.seed;
        EXPECT_EQ(everyFrame.s.TotalScore, c.totals)
            << "seed " << c.seed << ": the every-frame match changed";
        // The delays between moves were slept through, not run frame by frame.
        EXPECT_GT(waits, 100) << "seed " << c.seed;
        EXPECT_LT(framesRun, 109000) << "seed " << c.seed;
    }
}

}  // namespace
