#include "cards/game_options.h"

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
    options.DealPacketSize = options.PortugueseRules ? 1 : 13;
}
