#include "flow/frame_wake.h"

#include <algorithm>

#include "flow/card_movement.h"

namespace {

// Milliseconds from `nowMs` until the delay has passed (the first tick strictly past its length).
uint32_t MsToDelayEnd(const GameState& s, uint32_t nowMs) {
    const uint32_t elapsed = nowMs - s.DelayStart;
    if (elapsed > s.DelayLength) {
        return 0;
    }
    return s.DelayLength - elapsed + 1;
}

}  // namespace

bool TableAtRest(const GameState& s) {
    if (AnyCardMoving(s)) {
        return false;
    }
    switch (s.Phase) {
        case Phase::Paused:
        case Phase::EndOfMatch:
        case Phase::None:
            return true;
        case Phase::SelectTrumps:
        case Phase::ShowContract:
        case Phase::ShowPass:
            return s.AwaitingHuman;
        case Phase::NormalPlay:
            // The first step of the human's turn still takes the announcement pictures away.
            return s.AwaitingHuman && !s.ShowContractPicture &&
                   !(s.Contract == kLayoutContract && s.ShowPassPicture);
        default:
            return false;
    }
}

FrameWake NextFrameWake(const GameState& s, const WakeContext& context) {
    if (context.inputPending) {
        return {true, std::nullopt, WakeReason::Input};
    }
    if (context.scripted) {
        return {true, std::nullopt, WakeReason::Scripted};
    }
    if (s.Paused) {
        return {false, std::nullopt, WakeReason::PlayerOnly};
    }
    if (!TableAtRest(s)) {
        return {true, std::nullopt, WakeReason::TableMoving};
    }
    if (context.clockMinuteStale) {
        return {true, std::nullopt, WakeReason::ClockMinute};
    }
    FrameWake wake{false, std::max<uint32_t>(context.msToNextClockMinute, 1), WakeReason::ClockMinute};
    if (s.Phase == Phase::Paused) {
        const uint32_t delay = MsToDelayEnd(s, context.nowMs);
        if (delay == 0) {
            return {true, std::nullopt, WakeReason::DelayEnds};
        }
        if (delay < *wake.waitMs) {
            wake = {false, delay, WakeReason::DelayEnds};
        }
    }
    // The caption is refreshed by the loop itself; a due refresh still waits at least a millisecond.
    if (context.msToCaptionRefresh && *context.msToCaptionRefresh < *wake.waitMs) {
        wake = {false, std::max<uint32_t>(*context.msToCaptionRefresh, 1), WakeReason::Caption};
    }
    return wake;
}
