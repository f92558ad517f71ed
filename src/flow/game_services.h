#pragma once

#include "cards/seams.h"

// The outside world as the game logic sees it: random numbers, sound requests and the millisecond
// clock. The game holds none of them; the shell, a test or the simulator hands them in.
struct GameServices {
    Random& random;
    SoundSink& sound;
    Clock& clock;
};
