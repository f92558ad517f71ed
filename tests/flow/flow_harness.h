#pragma once

#include <functional>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "flow/game_services.h"
#include "test_support.h"

// A whole game driven frame by frame with a seeded generator, a hand-moved clock and recorded sound.
struct FlowHarness {
    explicit FlowHarness(uint32_t seed = 1, GameOptions options = {})
        : random(seed), services{random, sound, clock} {
        s.Options = options;
        ApplyRules(s.Options);
    }

    void Start() { StartNewGame(s, services); }

    FrameResult Frame(const InputSnapshot& input = {}) {
        const FrameResult result = RunGameFrame(s, input, services, nullptr);
        clock.Advance(17);
        return result;
    }

    // Frames with no input until the predicate holds; false if it never does within the bound.
    bool RunUntil(const std::function<bool(const GameState&)>& done, int maxFrames = 100000) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done(s)) {
                return true;
            }
            Frame();
        }
        return done(s);
    }

    // As RunUntil, with seat 0 played by the autoplayer.
    bool PlayUntil(const std::function<bool(const GameState&)>& done, int maxFrames = 200000) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done(s)) {
                return true;
            }
            Frame(player.NextInput(s));
        }
        return done(s);
    }

    // Every seat has chosen every contract but this one, so the coming choice can only be it.
    void OnlyContractLeft(int16_t contract) {
        for (int seat = 0; seat < kSeats; ++seat) {
            for (int c = kTricks; c <= kLayoutContract; ++c) {
                s.SeatInfo[seat][kContractChosenCell + c] = c == contract ? 0 : kTrueCell;
            }
        }
    }

    GameState s;
    ManualClock clock{1000};
    SeededRandom random;
    RecordingSound sound;
    GameServices services;
    AutoPlayer player;
};

inline InputSnapshot KeyDown(int key) {
    InputSnapshot input;
    input.Keys[key] = true;
    return input;
}

inline InputSnapshot ClickAt(int32_t x, int32_t y) {
    InputSnapshot input;
    input.MouseX = x;
    input.MouseY = y;
    input.Buttons[0] = true;
    return input;
}
