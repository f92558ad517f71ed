#pragma once

#include "cards/seams.h"

class ComputerSeats;

// The outside world as the game logic sees it: random numbers, sound requests and the millisecond
// clock. The game holds none of them; the shell, a test or the simulator hands them in.
struct GameServices {
    Random& random;
    SoundSink& sound;
    Clock& clock;
    // Who decides for seats 1..3 when not the game's own players (null: the game's own players).
    ComputerSeats* computers = nullptr;
};
