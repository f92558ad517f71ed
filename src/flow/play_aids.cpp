#include "flow/play_aids.h"

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_play.h"
#include "flow/dealing.h"
#include "flow/game_frame.h"
#include "players/computer_player.h"

namespace {

constexpr int kContractChoices = 5;
constexpr int kLayoutSuitColumns = 4;
constexpr int kFirstLayoutCell = 1;
constexpr int kLastLayoutCell = 13;

// The next allowed item after `from` in the direction `step` (+1 or -1), wrapping around; -1 for none.
// From -1 the first item in that direction is found.
template <typename Allowed>
int16_t NextItem(int from, int step, int count, Allowed allowed) {
    int at = from < 0 ? (step > 0 ? -1 : count) : from;
    for (int tries = 0; tries < count; ++tries) {
        at = (at + step + count) % count;
        if (allowed(at)) {
            return static_cast<int16_t>(at);
        }
    }
    return -1;
}

int16_t FirstPlayableSlot(const GameState& s) {
    return NextItem(-1, 1, kLastHandSlot + 1, [&](int slot) { return HumanMayPlaySlot(s, slot); });
}

}  // namespace

bool ButtonOffered(const GameState& s, int button) {
    return button >= 0 && button < kContractChoices && s.ContractButton[button].enabled != 0;
}

int16_t FirstOfferedButton(const GameState& s) {
    return NextItem(-1, 1, kContractChoices, [&](int b) { return ButtonOffered(s, b); });
}

namespace {

// The focus and the hint rest only on what the human may choose now; nothing while the game does not
// wait for the human. A new wait starts on the first allowed item from the left (the lowest button).
void KeepFocusAllowed(GameState& s) {
    PlayAids& aids = s.Aids;
    if (AwaitingHumanCard(s)) {
        if (!HumanMayPlaySlot(s, aids.FocusSlot)) {
            aids.FocusSlot = FirstPlayableSlot(s);
        }
        if (!HumanMayPlaySlot(s, aids.HintSlot)) {
            aids.HintSlot = -1;
        }
        aids.FocusButton = aids.HintButton = -1;
    } else if (AwaitingHumanContract(s)) {
        if (!ButtonOffered(s, aids.FocusButton)) {
            aids.FocusButton = FirstOfferedButton(s);
        }
        if (!ButtonOffered(s, aids.HintButton)) {
            aids.HintButton = -1;
        }
        aids.FocusSlot = aids.HintSlot = -1;
    } else {
        aids.FocusSlot = aids.HintSlot = aids.FocusButton = aids.HintButton = -1;
    }
}

void FollowMouse(GameState& s, const InputSnapshot& input) {
    PlayAids& aids = s.Aids;
    if (input.MouseX == aids.MouseXBefore && input.MouseY == aids.MouseYBefore) {
        return;
    }
    if (AwaitingHumanCard(s)) {
        const int16_t slot = HumanCardAt(s, input.MouseX, input.MouseY);
        if (slot >= 0) {
            aids.FocusSlot = slot;
        }
    } else if (AwaitingHumanContract(s)) {
        const int button = ContractButtonAt(s, input.MouseX, input.MouseY);
        if (button >= 0) {
            aids.FocusButton = static_cast<int16_t>(button);
        }
    }
}

void MoveFocus(GameState& s, int step) {
    PlayAids& aids = s.Aids;
    if (AwaitingHumanCard(s)) {
        const int16_t next = NextItem(aids.FocusSlot, step, kLastHandSlot + 1,
                                      [&](int slot) { return HumanMayPlaySlot(s, slot); });
        aids.FocusSlot = next;
    } else if (AwaitingHumanContract(s)) {
        aids.FocusButton =
            NextItem(aids.FocusButton, step, kContractChoices, [&](int b) { return ButtonOffered(s, b); });
    }
}

void ShowHint(GameState& s) {
    PlayAids& aids = s.Aids;
    if (AwaitingHumanCard(s)) {
        aids.HintSlot = ComputerChoiceSlotForHuman(s);
        if (HumanMayPlaySlot(s, aids.HintSlot)) {
            aids.FocusSlot = aids.HintSlot;
        } else {
            aids.HintSlot = -1;
        }
    } else if (AwaitingHumanContract(s)) {
        aids.HintButton = ComputerChoiceButtonForHuman(s);
        if (aids.HintButton >= 0) {
            aids.FocusButton = aids.HintButton;
        }
    }
}

// Enter or Space: what a left click on the focused item does.
void ChooseFocused(GameState& s, GameServices& services) {
    const PlayAids& aids = s.Aids;
    if (s.Phase == Phase::EndOfMatch) {
        StartDeal(s, services);
    } else if (AwaitingHumanContract(s) && ButtonOffered(s, aids.FocusButton)) {
        HumanChoosesContract(s, aids.FocusButton);
    } else if (AwaitingHumanCard(s) && HumanMayPlaySlot(s, aids.FocusSlot)) {
        TakeHumanCard(s, aids.FocusSlot);
        s.CardUnderMouse = aids.FocusSlot;
    }
}

bool TableCardsResting(const GameState& s, int from, int to) {
    for (int slot = from; slot < to; ++slot) {
        if (s.TableCards[slot].Moving) {
            return false;
        }
    }
    return true;
}

// The trick just completed lies on the table, still where it was played, while the game pauses before
// gathering it: that is the picture the last-trick view keeps.
void NoteCompletedTrick(GameState& s) {
    const Phase phase = s.Phase == Phase::Paused ? s.DelayedPhase : s.Phase;
    const int end = s.TableCount;
    const int first = end - kShownTrickCards;
    if (s.Contract == kLayoutContract || phase != Phase::GettingCardsGathering || first < 0 ||
        end > kTableSlots || !TableCardsResting(s, first, end)) {
        return;
    }
    PlayAids& aids = s.Aids;
    // The slots are in the order of play; the winning slot belongs to the trick's winner.
    for (int slot = first; slot < end; ++slot) {
        const CardRecord& card = s.TableCards[slot];
        ShownTrickCard& shown = aids.LastTrick[static_cast<size_t>(slot - first)];
        shown.Card = card.Card;
        shown.Seat = WrapSeat(s.TrickWinner - s.TrickWinSlot + slot);
        shown.X = card.X;
        shown.Y = card.Y;
    }
    aids.LastTrickCount = kShownTrickCards;
    aids.LastTrickWinner = s.TrickWinner;
}

std::array<uint16_t, kLayoutSuitColumns> FilledLayoutCells(const GameState& s) {
    std::array<uint16_t, kLayoutSuitColumns> cells{};
    for (int suit = 0; suit < kLayoutSuitColumns; ++suit) {
        for (int cell = kFirstLayoutCell; cell <= kLastLayoutCell; ++cell) {
            if (s.LayoutGrid[suit][cell].InUse) {
                cells[static_cast<size_t>(suit)] |= static_cast<uint16_t>(1U << cell);
            }
        }
    }
    return cells;
}

// A cell that has filled since the last frame holds the card the current seat has just laid.
void NoteLaidCards(GameState& s) {
    PlayAids& aids = s.Aids;
    const std::array<uint16_t, kLayoutSuitColumns> filled = FilledLayoutCells(s);
    if (s.Contract == kLayoutContract && s.Phase != Phase::DealingCards) {
        for (int suit = 0; suit < kLayoutSuitColumns; ++suit) {
            const auto fresh = static_cast<uint16_t>(filled[static_cast<size_t>(suit)] &
                                                     ~aids.LaidCells[static_cast<size_t>(suit)]);
            for (int cell = kFirstLayoutCell; cell <= kLastLayoutCell; ++cell) {
                if ((fresh & (1U << cell)) == 0) {
                    continue;
                }
                if (aids.LastLaidCount == kLaidCardsShown) {
                    for (int i = 1; i < kLaidCardsShown; ++i) {
                        aids.LastLaid[static_cast<size_t>(i - 1)] = aids.LastLaid[static_cast<size_t>(i)];
                    }
                    --aids.LastLaidCount;
                }
                aids.LastLaid[static_cast<size_t>(aids.LastLaidCount++)] =
                    LaidCardMark{static_cast<int16_t>(suit), static_cast<int16_t>(cell), s.CurrentSeat};
            }
        }
    }
    aids.LaidCells = filled;
}

}  // namespace

bool AwaitingHumanCard(const GameState& s) {
    return s.Phase == Phase::NormalPlay && s.CurrentSeat == kHumanSeat && s.AwaitingHuman &&
           !s.HumanClickTaken;
}

bool AwaitingHumanContract(const GameState& s) {
    return s.Phase == Phase::SelectTrumps && s.CurrentSeat == kHumanSeat && s.AwaitingHuman &&
           s.ContractMenuOn;
}

int16_t ComputerChoiceSlotForHuman(const GameState& s, bool* refused) {
    int slot = -1;
    if (s.Contract == kLayoutContract) {
        slot = ChooseLayoutCard(s, kHumanSeat);
    } else {
        slot = FindHandSlot(s, kHumanSeat, ChooseTrickCard(s, kHumanSeat));
    }
    if (HumanSlotLegal(s, slot)) {
        return static_cast<int16_t>(slot);
    }
    if (refused != nullptr) {
        *refused = true;
    }
    return FirstLegalSlot(s);
}

int16_t ComputerChoiceButtonForHuman(const GameState& s) {
    const int button = ChooseContract(s, kHumanSeat) - 1;
    if (ButtonOffered(s, button)) {
        return static_cast<int16_t>(button);
    }
    return FirstOfferedButton(s);
}

PlayAidKeys ReadPlayAidKeys(GameState& s, const InputSnapshot& input) {
    PlayAids& aids = s.Aids;
    const auto pressed = [&](int key) { return input.Keys[key] && !aids.KeysBefore[key]; };
    const bool shift = input.Keys[kKeyLeftShift] || input.Keys[kKeyRightShift];
    const bool alt = input.Keys[kKeyLeftAlt] || input.Keys[kKeyRightAlt];
    const bool onButtons = AwaitingHumanContract(s);

    PlayAidKeys keys;
    keys.forward = pressed(kKeyRight) || (pressed(kKeyTab) && !shift) || (onButtons && pressed(kKeyUp));
    keys.back = pressed(kKeyLeft) || (pressed(kKeyTab) && shift) || (onButtons && pressed(kKeyDown));
    keys.choose = ((pressed(kKeyEnter) || pressed(kKeyPadEnter)) && !alt) || pressed(kKeySpace);
    keys.hint = pressed(kKeyH);
    if (pressed(kKeyM)) {
        aids.Muted = !aids.Muted;
    }
    aids.KeysBefore = input.Keys;
    return keys;
}

void UsePlayAidKeys(GameState& s, const InputSnapshot& input, const PlayAidKeys& keys, bool clicked,
                    GameServices& services) {
    PlayAids& aids = s.Aids;
    if (!s.Paused) {
        aids.LastTrickShown = input.Keys[kKeyL] || input.Buttons[1];
        KeepFocusAllowed(s);
        if (clicked) {
            aids.FocusVisible = false;
        } else {
            FollowMouse(s, input);
            if (keys.hint) {
                ShowHint(s);
                aids.FocusVisible = true;
            } else if (keys.forward || keys.back) {
                // The first key only shows where the focus is; the next ones move it.
                if (aids.FocusVisible) {
                    MoveFocus(s, keys.forward ? 1 : -1);
                }
                aids.FocusVisible = true;
            }
            if (keys.choose) {
                if (aids.FocusVisible || s.Phase == Phase::EndOfMatch) {
                    ChooseFocused(s, services);
                }
                aids.FocusVisible = true;
            }
        }
    }
    aids.MouseXBefore = input.MouseX;
    aids.MouseYBefore = input.MouseY;
}

void FollowTableForPlayAids(GameState& s) {
    if (s.Phase == Phase::DealingCards) {
        s.Aids.LastTrickCount = 0;
        s.Aids.LastLaidCount = 0;
    }
    NoteCompletedTrick(s);
    NoteLaidCards(s);
    KeepFocusAllowed(s);
}

GameServices AudibleServices(const GameState& s, GameServices& services, SoundSink& silence) {
    return GameServices{services.random, s.Aids.Muted ? silence : services.sound, services.clock,
                        services.computers};
}
