#pragma once

#include <cstdint>
#include <string>

// What happened at the table that speech may tell, how much it tells, and how urgently.

enum class SpeechEventKind {
    DealStarted,     // seat: the kingdom's owner
    ContractChosen,  // seat: who chose; contract
    CardPlayed,      // seat, card
    Passed,          // seat (the layout contract)
    TrickTaken,      // seat: the winner; points it carried
    ContractScored,  // contract: the one just scored
    SeatToPlay,      // seat: a computer seat's turn
    HumanToPlay,     // the player must play a card
    HumanToChoose,   // the player must choose a contract
    MatchOver,
};

struct SpeechEvent {
    SpeechEventKind kind = SpeechEventKind::DealStarted;
    int16_t seat = 0;
    int16_t card = -1;
    int16_t contract = 0;
    int16_t points = 0;

    bool operator==(const SpeechEvent&) const = default;
};

// Terse: only what the player must act on and the results; normal; detailed: every card and count.
enum class Verbosity { Terse, Normal, Detailed };

// How a text competes with others: an urgent one (the player's own turn) is never dropped; a long
// one (a read-out, a detailed report) gives way to whatever comes after it.
enum class SpeechPriority { Interruptible, Normal, Urgent };

struct Utterance {
    std::string text;
    SpeechPriority priority = SpeechPriority::Normal;

    bool operator==(const Utterance&) const = default;
};
