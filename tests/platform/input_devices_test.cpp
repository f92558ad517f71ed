#include "platform/input_devices.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/display.h"
#include "platform/sdl_library.h"
#include "test_media.h"

namespace {

// Events are pushed into SDL's queue as the window system would deliver them.
class InputDevicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        input.PumpEvents();  // drop the window's own opening events
        input.Read();
    }

    static void PushKey(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat;
        e.key.keysym.scancode = scancode;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    static void PushType(Uint32 type) {
        SDL_Event e{};
        e.type = type;
        SDL_PushEvent(&e);
    }

    SdlLibrary sdl;
    Display display{false, "zarn test"};
    InputDevices input{display};
};

TEST_F(InputDevicesTest, MouseStartsAtTheCentre) {
    const InputState state = input.Read();
    EXPECT_EQ(state.MouseX, 400);
    EXPECT_EQ(state.MouseY, 300);
}

// A driver without a real pointer gives the window no mouse focus; its reported moves still place the
// pointer, and any event wakes a wait at once while an empty queue lets the wait time out.
TEST_F(InputDevicesTest, AMoveWithoutMouseFocusPlacesThePointerAndEventsEndAWait) {
    EXPECT_FALSE(input.WaitForEvent(1));
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 123;
    e.motion.y = 45;
    SDL_PushEvent(&e);
    EXPECT_TRUE(input.WaitForEvent(1000));
    EXPECT_TRUE(input.PumpEvents().anyEvent);
    const InputState moved = input.Read();
    EXPECT_EQ(moved.MouseX, 123);
    EXPECT_EQ(moved.MouseY, 45);
    input.PumpEvents();
    EXPECT_EQ(input.Read().MouseX, 123);
}

TEST_F(InputDevicesTest, AQuickTapBetweenTwoFramesReadsAsDownOnce) {
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_P);
    PushKey(SDL_KEYUP, SDL_SCANCODE_P);
    input.PumpEvents();
    EXPECT_TRUE(input.Read().Keys[25]);
    input.PumpEvents();
    EXPECT_FALSE(input.Read().Keys[25]);
}

TEST_F(InputDevicesTest, AQuickClickBetweenTwoFramesReadsAsDownOnce) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = SDL_PRESSED;
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONUP;
    e.button.state = SDL_RELEASED;
    SDL_PushEvent(&e);
    input.PumpEvents();
    const InputState first = input.Read();
    EXPECT_TRUE(first.Buttons[0]);
    EXPECT_FALSE(first.Buttons[1]);
    input.PumpEvents();
    EXPECT_FALSE(input.Read().Buttons[0]);
}

TEST_F(InputDevicesTest, F11AndAltEnterSwitchTheScreenMode) {
    struct Case {
        const char* name;
        SDL_Scancode key;
        Uint16 mod;
        Uint8 repeat;
        bool toggles;
    };
    const Case cases[] = {
        {"F11", SDL_SCANCODE_F11, KMOD_NONE, 0, true},
        {"AltEnter", SDL_SCANCODE_RETURN, KMOD_LALT, 0, true},
        {"AltKeypadEnter", SDL_SCANCODE_KP_ENTER, KMOD_RALT, 0, true},
        {"EnterAlone", SDL_SCANCODE_RETURN, KMOD_NONE, 0, false},
        {"HeldF11Repeats", SDL_SCANCODE_F11, KMOD_NONE, 1, false},
        {"OtherKey", SDL_SCANCODE_R, KMOD_LALT, 0, false},
    };
    for (const Case& c : cases) {
        PushKey(SDL_KEYDOWN, c.key, c.mod, c.repeat);
        EXPECT_EQ(input.PumpEvents().toggleFullScreen, c.toggles) << c.name;
        input.Read();
    }
}

TEST_F(InputDevicesTest, WindowEventsAreReported) {
    PushType(SDL_QUIT);
    EXPECT_TRUE(input.PumpEvents().closeRequested);
    PushType(SDL_RENDER_DEVICE_RESET);
    const WindowEvents lost = input.PumpEvents();
    EXPECT_TRUE(lost.displayLost);
    EXPECT_FALSE(lost.closeRequested);
    const WindowEvents none = input.PumpEvents();
    EXPECT_FALSE(none.closeRequested || none.displayLost || none.toggleFullScreen);
}

TEST_F(InputDevicesTest, SystemCursorCanBeHiddenAndShown) {
    input.ShowSystemCursor(false);
    EXPECT_FALSE(input.SystemCursorShown());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    input.ShowSystemCursor(true);
    EXPECT_TRUE(input.SystemCursorShown());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

}  // namespace
