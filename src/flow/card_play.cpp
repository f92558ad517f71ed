#include "flow/card_play.h"

#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/phase_machine.h"

namespace {

// The group's arrival is judged on the first table card other than the winning one.
int GroupRepresentative(const GameState& s) {
    for (int slot = 0; slot < s.TableCount; ++slot) {
        if (slot != s.TrickWinSlot) {
            return slot;
        }
    }
    return 0;
}

void StepTableGroup(GameState& s, GameServices& services) {
    for (int slot = 0; slot < s.TableCount; ++slot) {
        StepMove(s.TableCards[slot]);
    }
    CardRecord& representative = s.TableCards[GroupRepresentative(s)];
    if (representative.Moving) {
        CardArrived(s, representative, services);
    }
}

bool ContainsStrictly(const CardRecord& card, int32_t x, int32_t y) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    return card.X < fx && fx < card.X + card.Width && card.Y < fy && fy < card.Y + card.Height;
}

}  // namespace

int16_t HumanCardHit(GameState& s, int32_t x, int32_t y) {
    if (s.HumanClickTaken) {
        return -1;
    }
    const int16_t slot = HumanCardAt(s, x, y);
    if (slot >= 0) {
        TakeHumanCard(s, slot);
    }
    return slot;
}

int16_t HumanCardAt(const GameState& s, int32_t x, int32_t y) {
    for (int16_t slot = kLastHandSlot; slot >= 0; --slot) {
        const CardRecord& card = s.Hand[kHumanSeat][slot];
        if (!card.InUse || card.Moving || !ContainsStrictly(card, x, y)) {
            continue;
        }
        // An illegal card under the point is passed over: a lower, overlapped card may be meant.
        if (!IsLegalPlay(s, card)) {
            continue;
        }
        return slot;
    }
    return -1;
}

bool HumanSlotLegal(const GameState& s, int slot) {
    if (slot < 0 || slot > kLastHandSlot) {
        return false;
    }
    const CardRecord& card = s.Hand[kHumanSeat][slot];
    return card.InUse && IsLegalPlay(s, card);
}

bool HumanMayPlaySlot(const GameState& s, int slot) {
    return HumanSlotLegal(s, slot) && !s.Hand[kHumanSeat][slot].Moving;
}

int16_t FirstLegalSlot(const GameState& s) {
    for (int16_t slot = 0; slot <= kLastHandSlot; ++slot) {
        if (HumanSlotLegal(s, slot)) {
            return slot;
        }
    }
    return -1;
}

void TakeHumanCard(GameState& s, int16_t slot) {
    NoteHumanPlay(s, slot);
    s.HumanMoved = true;
    s.HumanClickTaken = true;
}

void PlayCard(GameState& s, CardRecord& card, GameServices& services) {
    if (AnyCardMoving(s)) {
        return;
    }
    PlayFlipSound(services);
    s.CardUnderMouse = -1;
    SendPlayedCard(s, card, services);
}

void ReleaseHandSlot(GameState& s, CardRecord& card) {
    card.InUse = false;
    card.X = card.HomeX;
    card.Y = card.HomeY;
    card.FaceUp = s.CurrentSeat == kHumanSeat;
    const int seat = s.CurrentSeat;
    int16_t count = 0;
    for (int slot = 0; slot < kHandCards; ++slot) {
        if (s.Hand[seat][slot].InUse) {
            s.HeldCards[seat][count++] = s.Hand[seat][slot].Card;
        }
    }
    s.HeldCount[seat] = count;
}

void StepCard(GameState& s, CardRecord& card, GameServices& services) {
    if (!card.Moving) {
        return;
    }
    StepMove(card);
    CardArrived(s, card, services);
}

void StepTrickGathering(GameState& s, GameServices& services) {
    StepTableGroup(s, services);
}

void StepTrickSweep(GameState& s, GameServices& services) {
    StepTableGroup(s, services);
}

void StepHand(GameState& s, GameServices& services) {
    auto& hand = s.Hand[kHumanSeat];
    for (int slot = 1; slot <= kLastHandSlot; ++slot) {
        StepMove(hand[slot]);
    }
    // The highest slot travels farthest, so its arrival ends the fold (or the spread) for all.
    for (int slot = kLastHandSlot; slot >= 1; --slot) {
        if (hand[slot].Moving) {
            CardArrived(s, hand[slot], services);
            return;
        }
    }
    if (hand[0].Moving) {
        CardArrived(s, hand[0], services);
    }
}
