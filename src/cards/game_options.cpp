#include "cards/game_options.h"

#include "cards/game_state.h"

void ApplyResolution(GameOptions& options) {
    if (options.Resolution == "800x600") {
        options.ScreenWidth = 800;
        options.ScreenHeight = 600;
    } else {
        options.ScreenWidth = 1024;
        options.ScreenHeight = 768;
    }
}

void ApplyRules(GameOptions& options) {
    options.DealPacketSize = DealPacketSizeFor(options.PortugueseRules);
}

int16_t DealPacketSizeFor(bool portugueseRules) {
    return static_cast<int16_t>(portugueseRules ? 1 : kHandCards);
}
