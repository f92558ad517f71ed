#pragma once

#include <cstdint>
#include <span>

#include "cards/game_state.h"

// The rules of play: legal cards, trick winner, penalties, the layout contract's playable cards and
// end, turn stepping and a few hand helpers. Queries leave the state alone; the few that change it
// say so.

bool IsLegalPlay(const GameState& s, const CardRecord& card);  // for the human seat
bool HoldsSuitOf(const GameState& s, const CardRecord& card);  // among the human's held slots 0..12

// Over the first entries of a list of card ids (no in-hand test).
bool HoldsKingOfHearts(const GameState& s, std::span<const int16_t> cards);
bool HoldsQueen(const GameState& s, std::span<const int16_t> cards);
bool HoldsDiamond(const GameState& s, std::span<const int16_t> cards);

// The human's held list, as the rules read it.
std::span<const int16_t> HumanHeldList(const GameState& s);

// True when card a, played after card b, beats it: same suit and higher. Never on an empty table.
bool Beats(const GameState& s, int16_t a, int16_t b);

// Slot of the winner of a full trick: the highest card of the led suit.
int16_t TrickWinnerSlot(const GameState& s);

// Slot (0..2) of the card now winning the trick in progress.
int16_t WinningSlot(const GameState& s);

// With three cards down: the second card (the fourth player's partner's) is winning.
bool PartnerWinningAsFourth(const GameState& s);

int16_t PenaltyCount(const GameState& s, int16_t card);
int16_t TablePenalty(const GameState& s);

bool IsLayoutPlayable(const GameState& s, int16_t card);
bool CanPlayLayout(const GameState& s);
int16_t HeldCardCount(const GameState& s, int seat);
bool LayoutFinished(const GameState& s);

// The layout contract's reward for a finishing code (3 first out .. 0 still holding cards).
int16_t LayoutReward(int16_t finishCode);

// Writes the seat's turn (a card id, or kPassNote) into the deal's play log.
void NotePlay(GameState& s, int seat, int16_t card);

void NextSeat(GameState& s);
void StepSeatForward(GameState& s);
void StepSeatBack(GameState& s);

int16_t SevenOfHeartsHolder(const GameState& s);

// The holder of the seven of hearts owns the first kingdom of the match: it chooses every contract of
// that kingdom and the seat after it plays first. Only while no contract of the match has been played.
void GiveFirstKingdomToSevenOfHearts(GameState& s);

void SortHumanHand(GameState& s);
void NoteHumanPlay(GameState& s, int slot);
bool IsEarlyInHand(const GameState& s);
bool IsHighHeart(const GameState& s, int slot);
