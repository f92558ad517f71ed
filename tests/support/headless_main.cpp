#include <gtest/gtest.h>

#include <cstdlib>

// Every test binary runs headless, whether CTest or a person starts it: SDL's dummy drivers and Qt's
// offscreen platform, unless the caller chose otherwise.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
