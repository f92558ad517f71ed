#include "shell/game_driver.h"

void GameDriver::BeforeFrame() {
    SleepMicroseconds(pacer_.WaitBeforeFrame(MonotonicMicroseconds()));
    pacer_.FrameStarted(MonotonicMicroseconds());
}
