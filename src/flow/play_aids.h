#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "flow/game_services.h"
#include "flow/input_snapshot.h"

// The player's aids: choosing from the keyboard, the hint, the last trick and the sound switch. They
// read the game and keep their own state in GameState::Aids; only Enter and Space act on the game,
// and exactly as the equivalent click does.

// The game waits for the human's card: a click (or Enter) on an allowed card would be taken now.
bool AwaitingHumanCard(const GameState& s);

// The human chooses the deal's contract on the buttons.
bool AwaitingHumanContract(const GameState& s);

// The hand slot the computer players would play in the human's seat now. When the rules refuse the
// human that card, the first allowed one from the left instead, and `refused` is set. -1 for none.
int16_t ComputerChoiceSlotForHuman(const GameState& s, bool* refused = nullptr);

// The contract button (0..4) is offered to the human now.
bool ButtonOffered(const GameState& s, int button);

// The lowest contract button offered now, or -1.
int16_t FirstOfferedButton(const GameState& s);

// The contract button (0..4) of the contract the computer players would choose in the human's seat;
// the lowest offered one when their choice is not offered; -1 when none is offered.
int16_t ComputerChoiceButtonForHuman(const GameState& s);

// The aid keys pressed this frame (a held key counts once).
struct PlayAidKeys {
    bool forward = false;  // Right, Tab; Up on the contract buttons
    bool back = false;     // Left, Shift+Tab; Down on the contract buttons
    bool choose = false;   // Enter or Space (not Alt+Enter, which switches the screen mode)
    bool hint = false;     // H
};

// Reads the aid keys of this frame and remembers the keys for the next. M switches the sound here, at
// any time, so a muted frame is silent from its start.
PlayAidKeys ReadPlayAidKeys(GameState& s, const InputSnapshot& input);

// While the game runs: the last-trick view follows L and the right button; the focus follows the
// mouse, the arrows and Tab; H shows the hint; Enter or Space chooses as a click would. `clicked`: the
// left button was down this frame (it wins over the keys, and hides the focus).
void UsePlayAidKeys(GameState& s, const InputSnapshot& input, const PlayAidKeys& keys, bool clicked,
                    GameServices& services);

// After the game step: the focus kept on an allowed item, the last trick and the last laid cards noted.
void FollowTableForPlayAids(GameState& s);

// The services with the sound switched off while the player has muted it.
GameServices AudibleServices(const GameState& s, GameServices& services, SoundSink& silence);
