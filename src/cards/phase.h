#pragma once

#include <string_view>

// The phase of the game. Each value stands for one of the game's phase texts; PhaseText gives the text.
enum class Phase {
    None,  // before the first deal
    DealingCards,
    SelectTrumps,
    ShowContract,
    NormalPlay,
    ShowPass,
    GettingCardsGathering,
    GettingCards,
    EndOfMatch,
    Paused,
    GatherAroundFirstCard,
    SpreadAheadFirstCard,
};

std::string_view PhaseText(Phase phase);
