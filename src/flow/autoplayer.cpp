#include "flow/autoplayer.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/computer_seats.h"
#include "flow/game_frame.h"
#include "flow/play_aids.h"

namespace {

bool WaitingForHumanCard(const GameState& s) {
    return AwaitingHumanCard(s) && !AnyCardMoving(s);
}

}  // namespace

bool VisibleCardPoint(const GameState& s, int slot, int32_t& x, int32_t& y) {
    const CardRecord& card = s.Hand[kHumanSeat][slot];
    const float midY = card.Y + static_cast<float>(card.Height) / 2.0f;
    float left = card.X;
    float right = card.X + card.Width;
    // Higher slots are drawn over lower ones; cut away every one that covers this card's middle row.
    for (int j = slot + 1; j <= kLastHandSlot; ++j) {
        const CardRecord& over = s.Hand[kHumanSeat][j];
        if (!over.InUse || midY <= over.Y || midY >= over.Y + over.Height) {
            continue;
        }
        const float overRight = over.X + over.Width;
        if (over.X <= left) {
            left = std::max(left, overRight);
        } else {
            right = std::min(right, over.X);
        }
    }
    const int32_t from = static_cast<int32_t>(std::floor(left)) + 1;
    const int32_t to = static_cast<int32_t>(std::ceil(right)) - 1;
    if (to < from) {
        return false;
    }
    x = from + (to - from) / 2;
    y = static_cast<int32_t>(std::floor(midY));
    return true;
}

InputSnapshot AutoPlayer::Idle() const {
    InputSnapshot input;
    input.MouseX = mouseX_;
    input.MouseY = mouseY_;
    return input;
}

InputSnapshot AutoPlayer::Click(int32_t x, int32_t y) {
    mouseX_ = x;
    mouseY_ = y;
    InputSnapshot input = Idle();
    input.Buttons[0] = true;
    return input;
}

InputSnapshot AutoPlayer::NextInput(const GameState& s) {
    if (s.Phase == Phase::DealingCards) {
        sortedThisDeal_ = false;
    }
    if (s.Phase != Phase::EndOfMatch) {
        sheetFrames_ = 0;
    }

    if (s.Phase == Phase::EndOfMatch) {
        if (sheetFrames_++ < options_.ScoreSheetFrames) {
            return Idle();
        }
        return Click(400, 300);
    }

    if (AwaitingHumanContract(s)) {
        int k = -1;
        if (options_.computers != nullptr) {
            const std::optional<int16_t> chosen = options_.computers->Contract(s, kHumanSeat);
            if (!chosen) {
                return Idle();  // still thinking
            }
            k = *chosen - 1;
            if (!ButtonOffered(s, k)) {
                k = FirstOfferedButton(s);
            }
        } else {
            k = ComputerChoiceButtonForHuman(s);
        }
        if (k < 0) {
            return Idle();
        }
        const ContractButtonRecord& b = s.ContractButton[k];
        return Click(b.x + b.width / 2, b.y + b.height / 2);
    }

    if (WaitingForHumanCard(s)) {
        if (options_.SortHandOnFirstTurn && !sortedThisDeal_ && SortAllowed(s)) {
            sortedThisDeal_ = true;
            InputSnapshot input = Idle();
            input.Keys[kKeyR] = true;
            return input;
        }
        bool refused = false;
        int slot = -1;
        if (options_.computers != nullptr) {
            const std::optional<int16_t> chosen = s.Contract == kLayoutContract
                                                      ? options_.computers->LayoutSlot(s, kHumanSeat)
                                                      : options_.computers->TrickCard(s, kHumanSeat);
            if (!chosen) {
                return Idle();  // still thinking
            }
            slot = s.Contract == kLayoutContract ? *chosen : FindHandSlot(s, kHumanSeat, *chosen);
            if (!HumanSlotLegal(s, slot)) {
                refused = true;
                slot = FirstLegalSlot(s);
            }
        } else {
            slot = ComputerChoiceSlotForHuman(s, &refused);
        }
        if (refused) {
            ++refusedChoices_;
        }
        int32_t x = 0;
        int32_t y = 0;
        if (slot < 0 || !VisibleCardPoint(s, slot, x, y)) {
            return Idle();
        }
        return Click(x, y);
    }
    return Idle();
}
