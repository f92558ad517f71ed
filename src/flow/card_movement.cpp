#include "flow/card_movement.h"

#include <algorithm>
#include <cmath>

#include "flow/table_layout.h"

namespace {

int16_t SignOf(float v) {
    return static_cast<int16_t>((v > 0.0f) - (v < 0.0f));
}

// Direction and speed are fixed at the start, so the card stands on its target after exactly
// `frames` steps (up to single-precision rounding).
void StartMove(CardRecord& card, float x, float y, int16_t frames) {
    // A layout that was never set up has no frame counts; one frame keeps the move finite.
    const float count = static_cast<float>(std::max<int16_t>(frames, 1));
    card.Moving = true;
    card.TargetX = x;
    card.TargetY = y;
    card.StepX = SignOf(card.TargetX - card.X);
    card.StepY = SignOf(card.TargetY - card.Y);
    card.SpeedX = std::fabs(card.TargetX - card.X) / count;
    card.SpeedY = std::fabs(card.TargetY - card.Y) / count;
}

// A group member's target: the point plus a small scatter, x drawn first.
void StartPileMove(GameState& s, CardRecord& card, float x, float y, GameServices& services) {
    const float tx = x + static_cast<float>(RandomInt(services.random, s.Layout.PileJitterX));
    const float ty = y + static_cast<float>(RandomInt(services.random, s.Layout.PileJitterY));
    StartMove(card, tx, ty, s.Layout.PileFrames);
}

// Int(jitter x r / 2): the halved scatter of a card laid in its column.
int HalfJitter(Random& random, int16_t jitter) {
    return static_cast<int>(static_cast<double>(jitter) * random.Rnd() / 2.0);
}

bool IsSwept(const GameState& s, int slot) {
    return s.TableCards[slot].Gather || slot == s.TableCount - 1;
}

void PlayOneOf(GameServices& services, SoundEffect first) {
    const int n = RandomInt(services.random, 3);
    services.sound.PlaySound(static_cast<SoundEffect>(static_cast<int>(first) + n));
}

}  // namespace

void StartCardMove(GameState& s, CardRecord& card, int16_t x, int16_t y) {
    StartMove(card, x, y, s.Layout.PlayFrames);
}

void StartCardMoveWithSound(GameState& s, CardRecord& card, int16_t x, int16_t y, GameServices& services) {
    if (AnyCardMoving(s)) {
        return;
    }
    PlayFlipSound(services);
    StartCardMove(s, card, x, y);
}

void StepMove(CardRecord& card) {
    if (!card.Moving) {
        return;
    }
    card.X = card.X + static_cast<float>(card.StepX) * card.SpeedX;
    card.Y = card.Y + static_cast<float>(card.StepY) * card.SpeedY;
}

bool IsWithinArrival(const GameState& s, const CardRecord& card) {
    return std::fabs(card.X - card.TargetX) <= static_cast<float>(s.Layout.ArriveTolX) &&
           std::fabs(card.Y - card.TargetY) <= static_cast<float>(s.Layout.ArriveTolY);
}

bool AnyCardMoving(const GameState& s) {
    for (const auto& hand : s.Hand) {
        for (int slot = 0; slot < kHandCards; ++slot) {
            if (hand[slot].Moving) {
                return true;
            }
        }
    }
    for (int slot = 0; slot < kCards; ++slot) {
        if (s.Deck[slot].Moving) {
            return true;
        }
    }
    for (int slot = 0; slot < s.TableCount; ++slot) {
        if (s.TableCards[slot].Moving) {
            return true;
        }
    }
    return false;
}

void ClearTableMoving(GameState& s) {
    for (int slot = 0; slot < s.TableCount; ++slot) {
        s.TableCards[slot].Moving = false;
    }
}

void GatherTrick(GameState& s, float x, float y, GameServices& services) {
    if (AnyCardMoving(s)) {
        return;
    }
    PlayFlipSound(services);
    for (int slot = 0; slot < s.TableCount; ++slot) {
        if (slot == s.TrickWinSlot) {
            continue;
        }
        CardRecord& card = s.TableCards[slot];
        card.FaceUp = true;
        StartPileMove(s, card, x, y, services);
    }
}

void SendTrickToPile(GameState& s, float x, float y, GameServices& services) {
    if (AnyCardMoving(s)) {
        return;
    }
    PlaySignSound(services);
    for (int slot = 0; slot < s.TableCount; ++slot) {
        if (!IsSwept(s, slot)) {
            continue;
        }
        CardRecord& card = s.TableCards[slot];
        card.FaceUp = false;  // the cards turn face down as they leave
        StartPileMove(s, card, x, y, services);
    }
}

void GatherHand(GameState& s, float x, float y, GameServices& services) {
    if (AnyCardMoving(s)) {
        return;
    }
    PlayFlipSound(services);
    for (int slot = 1; slot <= kLastHandSlot; ++slot) {
        CardRecord& card = s.Hand[kHumanSeat][slot];
        if (!card.InUse) {
            continue;
        }
        card.HomeX = RoundHalfEven(card.X);
        card.HomeY = RoundHalfEven(card.Y);
        card.FaceUp = true;
        StartMove(card, x, y, s.Layout.PileFrames);
    }
}

void SpreadHand(GameState& s, GameServices& services) {
    if (AnyCardMoving(s)) {
        return;
    }
    PlaySignSound(services);
    for (int slot = 1; slot <= kLastHandSlot; ++slot) {
        CardRecord& card = s.Hand[kHumanSeat][slot];
        if (!card.InUse) {
            continue;
        }
        card.FaceUp = true;
        StartMove(card, card.HomeX, card.HomeY, s.Layout.PileFrames);
    }
}

void StopHand(GameState& s) {
    for (int slot = 1; slot <= 11; ++slot) {
        s.Hand[kHumanSeat][slot].Moving = false;
    }
}

void SendPlayedCard(GameState& s, CardRecord& card, GameServices& services) {
    if (s.Contract != kLayoutContract) {
        const PointXY spot = s.TrickSlots[s.CurrentSeat];
        const double r1 = services.random.Rnd();
        const double r2 = services.random.Rnd();
        const int y = static_cast<int>(s.Layout.TrickJitterY * r2) + spot.y;
        const int x = static_cast<int>(s.Layout.TrickJitterX * r1) + spot.x;
        StartCardMove(s, card, static_cast<int16_t>(x), static_cast<int16_t>(y));
        return;
    }
    const int32_t suit = s.CardSuit[card.Card];
    const int16_t row = s.RankOrder[s.CardRank[card.Card]];
    const CardRecord& cell = s.LayoutGrid[suit][row];
    const int x = HalfJitter(services.random, s.Layout.LayoutJitterX) + cell.HomeX;
    int y = HalfJitter(services.random, s.Layout.LayoutJitterY) + cell.HomeY;
    if (s.SuitLow[suit] == row + 1) {
        // Extending the suit downwards: the new card lies above its cell and pushes the card that was
        // the lowest down, so both stay readable.
        y -= 15;
        s.LayoutGrid[suit][row + 1].Y += 15.0f;
    }
    StartCardMoveWithSound(s, card, static_cast<int16_t>(x), static_cast<int16_t>(y), services);
    card.FaceUp = true;
}

void PlaceTableCard(GameState& s, const CardRecord& card) {
    if (s.Contract == kLayoutContract) {
        const int32_t suit = s.CardSuit[card.Card];
        const int16_t row = s.RankOrder[s.CardRank[card.Card]];
        CardRecord& cell = s.LayoutGrid[suit][row];
        cell.Card = card.Card;
        cell.X = card.X;
        cell.Y = card.Y;
        cell.InUse = true;
        cell.FaceUp = true;
        if (s.SuitLow[suit] - 1 == row) {
            s.SuitLow[suit] = row;
        }
        if (s.SuitHigh[suit] + 1 == row) {
            s.SuitHigh[suit] = row;
        }
        return;
    }
    const int16_t n = s.TableCount;
    CardRecord& slot = s.TableCards[n];
    slot.Card = card.Card;
    slot.X = card.X;
    slot.Y = card.Y;
    slot.InUse = true;
    slot.FaceUp = true;
    s.TableCount = static_cast<int16_t>(n + 1);
    s.TableCardIds[s.TableCardIdCount] = card.Card;
    ++s.TableCardIdCount;
}

void PlaceDealtCard(GameState& s, const CardRecord& card, int seat) {
    const int16_t k = s.HeldCount[seat];
    CardRecord& slot = s.Hand[seat][k];
    slot.Card = card.Card;
    slot.X = card.X;
    slot.Y = card.Y;
    slot.InUse = true;
    slot.FaceUp = seat == kHumanSeat;
    s.HeldCards[seat][k] = card.Card;
    s.HeldCount[seat] = static_cast<int16_t>(k + 1);
}

void RetireCard(CardRecord& card) {
    card.InUse = false;
    card.X = card.HomeX;
    card.Y = card.HomeY;
}

void SweepTrickToPile(GameState& s) {
    const int16_t w = s.TrickWinner;
    for (int slot = 0; slot < s.TableCount; ++slot) {
        if (!IsSwept(s, slot)) {
            continue;
        }
        const CardRecord& card = s.TableCards[slot];
        CardRecord& pile = s.WonPile[w][s.WonCount[w]];
        pile.Card = card.Card;
        pile.X = card.X;
        pile.Y = card.Y;
        pile.InUse = true;
        pile.FaceUp = card.FaceUp;
        ++s.WonCount[w];
        if (slot < s.TableCardIdCount) {
            s.TakenCards[w][s.TakenCount[w]] = s.TableCardIds[slot];
            ++s.TakenCount[w];
        }
    }
}

void CompactTable(GameState& s) {
    int16_t m = 0;
    const int16_t count = s.TableCount;
    for (int slot = 0; slot < count; ++slot) {
        const bool swept = s.TableCards[slot].Gather || slot == count - 1;
        if (swept) {
            s.TableCards[slot].Gather = false;
            continue;
        }
        if (slot != m) {
            s.TableCards[m] = s.TableCards[slot];
        }
        ++m;
    }
    s.TableCount = m;
    s.TableCardIdCount = m;
    for (int slot = 0; slot < m; ++slot) {
        s.TableCardIds[slot] = s.TableCards[slot].Card;
    }
}

void PlayFlipSound(GameServices& services) {
    PlayOneOf(services, SoundEffect::CardFlip1);
}

void PlaySignSound(GameServices& services) {
    PlayOneOf(services, SoundEffect::Sign1);
}
