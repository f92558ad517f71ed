#pragma once

#include <cstdint>

// One card in any place: hand slot, deck, table, won pile or layout grid. The movement fields are
// driven by the card movement code; the flow only sets targets, faces and the in-use flag.
struct CardRecord {
    float X = 0;  // left edge on screen
    float Y = 0;  // top edge on screen
    int16_t Card = 0;
    bool InUse = false;
    bool FaceUp = false;
    bool Moving = false;
    float TargetX = 0;
    float TargetY = 0;
    float SpeedX = 0;  // distance per step on each axis
    float SpeedY = 0;
    int16_t StepX = 0;  // direction per axis: -1, 0 or +1
    int16_t StepY = 0;
    int16_t HomeX = 0;  // resting position of the slot
    int16_t HomeY = 0;
    int16_t Width = 0;  // picture size, for hit tests
    int16_t Height = 0;
    bool Gather = false;  // table card of the trick just won, to be swept to the winner

    bool operator==(const CardRecord&) const = default;
};
