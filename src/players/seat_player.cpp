#include "players/seat_player.h"

#include "players/computer_player.h"

int16_t ClassicPlayer::Contract(const GameState& s, int seat) {
    return ChooseContract(s, seat);
}

int16_t ClassicPlayer::TrickCard(const GameState& s, int seat) {
    return ChooseTrickCard(s, seat);
}

int16_t ClassicPlayer::LayoutSlot(const GameState& s, int seat) {
    return ChooseLayoutCard(s, seat);
}
