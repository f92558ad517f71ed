#pragma once

#include <array>
#include <cstdint>
#include <optional>

class Display;

// One frame's view of the keyboard and the mouse, by the game's key codes (1 ESCAPE, 19 R, 25 P, ...)
// and in back-buffer pixels.
struct InputState {
    std::array<bool, 256> Keys{};
    int32_t MouseX = 0;
    int32_t MouseY = 0;
    bool MouseOnPicture = false;    // the pointer is over the shown back buffer (not a bar, not outside)
    std::array<bool, 4> Buttons{};  // 0 left, 1 right, 2 middle, 3 the first extra button
};

// What happened to the window since the last pump.
struct WindowEvents {
    bool closeRequested = false;    // the window's close button, or the system asks the program to end
    bool toggleFullScreen = false;  // F11 or Alt+Enter
    bool displayLost = false;       // the renderer's device was reset
    bool exposed = false;           // the window needs its picture shown again (resized, uncovered)
    bool anyEvent = false;          // any event at all, the pointer's moves included
};

// The keyboard and the mouse. A key or button pressed and released between two reads still reads as
// down once, so a quick tap is never lost between frames.
class InputDevices {
public:
    // The mouse starts at the centre of the back buffer until the pointer is first seen.
    explicit InputDevices(Display& display);
    ~InputDevices();
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    // Handles the pending window events (the "do events" of the loop).
    WindowEvents PumpEvents();

    // Sleeps until an event comes or `timeoutMs` has passed (none: until an event); true when one came.
    // The event is reported by the next PumpEvents and seen by the next Read.
    bool WaitForEvent(std::optional<uint32_t> timeoutMs);

    // The snapshot for this frame (the keyboard and mouse reads of the frame).
    InputState Read();

    // Queues the signal the renderer gives when its device was reset, as if the display had been lost
    // (a test hook: the game then restores the display and reloads its pictures).
    void PostDisplayLost();
    // Ends a wait from any thread (SDL's event queue takes events from any thread): work finished
    // elsewhere, such as pictures read in the background, gets its frame.
    static void WakeFromAnyThread();

    // Shows or hides the system's pointer over the game's window.
    void ShowSystemCursor(bool show);
    bool SystemCursorShown() const { return cursorShown_; }

private:
    struct EventIntake;  // takes one window-system event into the fields below
    Display& display_;
    WindowEvents waited_;  // the event that ended a wait, until the next PumpEvents
    std::array<bool, 256> pressedSinceRead_{};
    std::array<bool, 4> clickedSinceRead_{};
    bool pointerMovedSinceRead_ = false;
    int32_t movedToX_ = 0;
    int32_t movedToY_ = 0;
    int32_t mouseX_;
    int32_t mouseY_;
    bool cursorShown_ = true;
};
