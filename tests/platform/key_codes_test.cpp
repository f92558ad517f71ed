#include "platform/key_codes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>

namespace {

struct KeyCase {
    SDL_Scancode sdl;
    uint8_t code;
};

// The keys the game reads, and a spread of the rest of the table.
TEST(ScanCodeForSdlScancode, GivesThePcScanCodes) {
    const KeyCase cases[] = {
        {SDL_SCANCODE_ESCAPE, 1},      {SDL_SCANCODE_P, 25},      {SDL_SCANCODE_R, 19},
        {SDL_SCANCODE_1, 2},           {SDL_SCANCODE_0, 11},      {SDL_SCANCODE_Q, 16},
        {SDL_SCANCODE_A, 30},          {SDL_SCANCODE_Z, 44},      {SDL_SCANCODE_M, 50},
        {SDL_SCANCODE_SPACE, 57},      {SDL_SCANCODE_RETURN, 28}, {SDL_SCANCODE_F1, 59},
        {SDL_SCANCODE_F10, 68},        {SDL_SCANCODE_F11, 87},    {SDL_SCANCODE_F12, 88},
        {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_UP, 0xC8},   {SDL_SCANCODE_DELETE, 0xD3},
        {SDL_SCANCODE_RALT, 0xB8},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(ScanCodeForSdlScancode(c.sdl), c.code) << SDL_GetScancodeName(c.sdl);
    }
}

TEST(ScanCodeForSdlScancode, UnknownAndOutOfRangeKeysHaveNoCode) {
    EXPECT_EQ(ScanCodeForSdlScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(ScanCodeForSdlScancode(SDL_SCANCODE_AUDIOPLAY), 0);
    EXPECT_EQ(ScanCodeForSdlScancode(-1), 0);
    EXPECT_EQ(ScanCodeForSdlScancode(SDL_NUM_SCANCODES), 0);
}

// Two SDL keys on one code would make one key read as another.
TEST(ScanCodeForSdlScancode, NoTwoKeysShareACode) {
    std::set<uint8_t> seen;
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
        const uint8_t code = ScanCodeForSdlScancode(sc);
        if (code != 0) {
            EXPECT_TRUE(seen.insert(code).second) << "code " << int{code} << " used twice";
        }
    }
    EXPECT_GE(seen.size(), 100u);
}

}  // namespace
