#include "flow/game_frame.h"

#include "cards/card_tables.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/dealing.h"
#include "flow/phase_machine.h"
#include "flow/play_aids.h"
#include "flow/table_layout.h"

namespace {

void HandleLeftClick(GameState& s, const InputSnapshot& input, GameServices& services) {
    switch (s.Phase) {
        case Phase::EndOfMatch:
            StartDeal(s, services);
            break;
        case Phase::SelectTrumps: {
            // Only the buttons on show count: while a computer seat chooses, stale buttons must not
            // take over its choice.
            if (!s.ContractMenuOn) {
                break;
            }
            const int hit = ContractButtonAt(s, input.MouseX, input.MouseY);
            if (hit >= 0) {
                HumanChoosesContract(s, hit);
            }
            break;
        }
        case Phase::NormalPlay:
            // Only while the game waits for the human's card: a click taken at any other moment
            // could send a card out of turn.
            if (s.CurrentSeat == kHumanSeat && !s.HumanClickTaken && s.AwaitingHuman) {
                s.CardUnderMouse = HumanCardHit(s, input.MouseX, input.MouseY);
            }
            break;
        default:
            break;
    }
}

}  // namespace

void StartNewGame(GameState& s, GameServices& given) {
    NullSound silence;
    GameServices services = AudibleServices(s, given, silence);
    InitCardTables(s);
    NewMatchConstants(s, services.random);
    s.DealPacketSize = DealPacketSizeFor(s.Options.PortugueseRules);
    SetUpTableLayout(s);
    StartDeal(s, services);
}

bool SortAllowed(const GameState& s) {
    const bool humanTurn = s.CurrentSeat == kHumanSeat;
    const bool fullHandInPlay =
        s.Phase == Phase::NormalPlay && s.HeldCount[kHumanSeat] == kHandCards && humanTurn;
    const bool choosing = s.Phase == Phase::SelectTrumps && humanTurn;
    return (fullHandInPlay || choosing) && !AnyCardMoving(s);
}

int ContractButtonAt(const GameState& s, int32_t x, int32_t y) {
    int hit = -1;
    for (int i = 4; i >= 0; --i) {
        const ContractButtonRecord& b = s.ContractButton[i];
        if (b.enabled != 0 && b.x < x && x < b.x + b.width && b.y < y && y < b.y + b.height) {
            hit = i;
        }
    }
    return hit;
}

FrameResult RunGameFrame(GameState& s, const InputSnapshot& input, GameServices& given,
                         FrameDrawing* drawing) {
    FrameResult result;
    if (input.Keys[kKeyEscape]) {
        result.ExitRequested = true;
        result.Paused = s.Paused;
        return result;
    }
    // One press toggles the pause once, however long P is held.
    if (input.Keys[kKeyP]) {
        if (!s.PKeyLatch) {
            s.Paused = !s.Paused;
            s.PKeyLatch = true;
        }
    } else {
        s.PKeyLatch = false;
    }
    const PlayAidKeys aidKeys = ReadPlayAidKeys(s, input);
    NullSound silence;
    GameServices services = AudibleServices(s, given, silence);
    if (input.Keys[kKeyR] && SortAllowed(s)) {
        s.SavedPhase = s.Phase;
        s.Phase = Phase::GatherAroundFirstCard;
    }
    s.CardUnderMouse = -1;
    // A paused game takes no clicks: a card taken now could never be played.
    if (input.Buttons[0] && !s.Paused) {
        HandleLeftClick(s, input, services);
    }
    UsePlayAidKeys(s, input, aidKeys, input.Buttons[0], services);
    result.Paused = s.Paused;
    if (s.Paused) {
        return result;
    }

    const bool draw = drawing != nullptr && drawing->WaitForDisplay();
    if (draw) {
        drawing->DrawBackground(s);
    }
    GameStep(s, services);
    FollowTableForPlayAids(s);
    if (draw) {
        drawing->DrawTableLayer(s);
    }
    if (s.CardUnderMouse > -1) {
        PlayCard(s, s.Hand[kHumanSeat][s.CardUnderMouse], services);
    }
    return result;
}
