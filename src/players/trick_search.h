#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "players/card_bits.h"

// The play of a trick contract with every hand open, on card bit sets: the legal cards, one play, a
// fast rule-of-thumb policy for playouts, and an exact search of the rest of the play.

struct TrickRules {
    CardBits penalty = 0;  // cards that carry a penalty unit
    CardBits forced = 0;   // a seat void in the led suit must play one of these if it holds one
    int16_t unitPoints = 0;
    bool perTrick = false;  // Tricks: every trick costs unitPoints, whatever it holds
    int16_t contract = 0;
    CardBits signalCard = 0;  // King: a seat that leads while holding it has told its partner so

    bool operator==(const TrickRules&) const = default;
};

// The rules of contract 1..4 in the trick height order.
TrickRules RulesForContract(int16_t contract, const CardBitMap& map);

struct TrickPosition {
    std::array<CardBits, kSeats> hands{};
    std::array<int8_t, kSeats> table{};  // bits of the trick in progress, in playing order
    int8_t tableCount = 0;
    int8_t leader = 0;
    CardBits penaltyLeft = 0;  // penalty cards not yet taken: once none is left, nothing more can cost
    uint8_t signals = 0;       // seats (bit n for seat n) that have led holding the rules' signal card
    std::array<int16_t, kSeats> points{};  // points taken since the position was set up

    int ToMove() const { return (leader + tableCount) & 3; }
    bool Over() const { return penaltyLeft == 0 && tableCount == 0; }
    CardBits CardsLeft() const { return hands[0] | hands[1] | hands[2] | hands[3]; }
};

// The cards the seat to move may play.
CardBits LegalMoves(const TrickPosition& p, const TrickRules& rules);

// Plays a card of the seat to move; a fourth card settles the trick.
void PlayCard(TrickPosition& p, const TrickRules& rules, int bit);

// The policy of the playouts: ducks under the trick when it can, sheds penalty cards and high cards
// when void, leads its lowest card. Partners spare each other.
int PolicyMove(const TrickPosition& p, const TrickRules& rules, bool partnership);

// Plays the position out until it is over, or until at most `stopAtCards` cards are left in the hands
// at the start of a trick. The seats of `modelSeats` (bit n for seat n) play ModelMove, the others
// PolicyMove.
void PlayOut(TrickPosition& p, const TrickRules& rules, bool partnership, int stopAtCards,
             int modelSeats = 0);

// The transposition table's key of a position at the start of a trick (nothing on the table): all that
// the search and the opponent model read of it there, so positions that can differ in value never share
// a key. The hands, the leader, the penalty cards not yet taken and the seats that have given the King
// lead signal (which the model reads); the points taken so far do not count, the table holds values
// from the position on.
uint64_t TrickStartKey(const TrickPosition& p);

// Exact search of the rest of the play: the points that `side` (a mask of seats: bit n for seat n)
// takes from here on when it plays to take as few as possible and the other seats play to give it as
// many as possible. Alpha-beta with equal cards searched once, the policy's card tried first, and a
// transposition table at the start of each trick (one contract's rules at a time).
class TrickSolver {
public:
    explicit TrickSolver(int tableBits = 16);
    // With `opponentsByPolicy` the other seats play the policy's card instead of the worst one for
    // `side`: opponents who look after their own points rather than all play against the seat. With
    // `opponentsByModel` too, that card is ModelMove's rather than PolicyMove's.
    void Reset(int side, bool partnership, bool opponentsByPolicy = false, bool opponentsByModel = false);
    int Solve(const TrickPosition& p, const TrickRules& rules);
    int64_t Nodes() const { return nodes_; }

private:
    struct Entry {
        uint64_t key = 0;
        int16_t lower = 0;
        int16_t upper = 0;
    };
    int Search(const TrickPosition& p, int alpha, int beta);
    CardBits Candidates(const TrickPosition& p, CardBits legal) const;

    std::vector<Entry> table_;
    std::optional<TrickRules> tableRules_;  // the rules the table's values were found under
    uint64_t mask_ = 0;
    int side_ = 1;
    bool partnership_ = false;
    bool opponentsByPolicy_ = false;
    bool opponentsByModel_ = false;
    const TrickRules* rules_ = nullptr;
    int64_t nodes_ = 0;
};

// Cards of `legal` that are not the same as a lower card of `legal` in the same hand: nothing left in
// play between them and both or neither a penalty card.
CardBits DistinctCards(CardBits legal, CardBits inPlay, CardBits penalty);
