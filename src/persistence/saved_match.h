#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cards/game_state.h"
#include "cards/seams.h"
#include "persistence/match_record.h"

// The match in progress, kept in the state folder so it survives closing the game and crashes.
//
// File layout, every number little-endian:
//
//   offset  size  field
//   0       8     magic "ZARNSAVE"
//   8       4     format version (kSavedMatchVersion)
//   12      4     payload length N, at most kMaxSavedMatchPayload
//   16      N     payload
//   16+N    4     CRC-32 (IEEE) of bytes 0 .. 16+N-1
//
// Payload (version 1), in this order: the rules options the match started with (partnership,
// seven-of-hearts lead, Portuguese rules: one byte each, 0 or 1); the random generator's state (text,
// u32 length first); the milliseconds the running pause has lasted (u32); the contract tally (for
// contracts 1..5: i32 count, i32 points); then the game state field by field in the order of
// VisitMatch in saved_match.cpp: card records (x, y, targets and speeds as IEEE floats; id, slots and
// steps as i16; flags as bytes), hands, deck, table, won piles, layout board, id lists, seat notes,
// contract buttons, the phase values, kingdom and deal counters, scores and the score sheet, the
// opponents' names and the save-point count. Every field is checked against its range when read.
//
// A card in flight when the match was saved is put down on its destination when it is loaded: the
// first step of the resumed game completes its move, exactly as its arrival would have.

inline constexpr char kSavedMatchMagic[8] = {'Z', 'A', 'R', 'N', 'S', 'A', 'V', 'E'};
inline constexpr uint32_t kSavedMatchVersion = 1;
// Versions above this one are damage, not a newer game's file.
inline constexpr uint32_t kMaxSavedMatchVersion = 1000;
inline constexpr uint32_t kMaxSavedMatchPayload = 1U << 20;

// Everything the game needs besides the state itself.
struct SavedMatchExtras {
    std::string RandomState;    // SeededRandom::State()
    uint32_t PauseElapsed = 0;  // ms the running pause had lasted
    ContractTally Tally;
};

std::vector<uint8_t> EncodeSavedMatch(const GameState& s, const SavedMatchExtras& extras);

// Reads a saved match over `s`, which holds the card tables and the table layout of this run (they
// are not saved), and the presentation options of this run (deck, animation speed, screen), which
// the match keeps; its rules options become those the match started with. On any fault `s` is left
// unchanged and FileFormatError says in a few words what was wrong; a file of a newer format version
// (up to kMaxSavedMatchVersion) throws NewerFormatError (a FileFormatError) before anything else of
// it is read.
SavedMatchExtras DecodeSavedMatch(std::span<const uint8_t> bytes, GameState& s);

// What a game keeps besides its state, taken at `now` on the game clock.
SavedMatchExtras TakeExtras(const GameState& s, const SeededRandom& random, uint32_t now,
                            const ContractTally& tally);

// Resumes a saved match in a game of this run: `s` holds this run's options; its card tables and table
// layout are made for them, everything else (and the generator's state) comes from the save, and the
// running pause goes on from `now`. Throws FileFormatError, leaving `s` and `random` unchanged.
SavedMatchExtras RestoreSavedMatch(std::span<const uint8_t> bytes, GameState& s, SeededRandom& random,
                                   uint32_t now);

// The dialog's line about a saved match: "contract 7 of 20, kingdom of Anna, totals 120 / 85 / ...".
struct SavedMatchSummary {
    int ContractNumber = 1;    // 1..20: the contract being played, or the next one at the score sheet
    std::string KingdomOwner;  // "you" or the opponent's name
    int KingdomOwnerSeat = 0;
    std::array<int32_t, kSeats> Totals{};
    std::array<std::string, kSeats> Names{};
    bool Partnership = false;
    bool FrenchRules = false;
    bool SevenOfHeartsLead = false;
};
SavedMatchSummary SummarizeSavedMatch(const GameState& s);
