#include "platform/input_devices.h"

#include <SDL.h>

#include <algorithm>

#include "platform/display.h"
#include "platform/key_codes.h"
#include "platform/letterbox.h"

namespace {

int ButtonIndex(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        case SDL_BUTTON_X1:
            return 3;
        default:
            return -1;
    }
}

}  // namespace

InputDevices::InputDevices(Display& display)
    : display_(display), mouseX_(kBackBufferWidth / 2), mouseY_(kBackBufferHeight / 2) {}

InputDevices::~InputDevices() {
    // The pointer belongs to the desktop again.
    SDL_ShowCursor(SDL_ENABLE);
}

// Takes one event into what the next PumpEvents reports and the next Read sees.
struct InputDevices::EventIntake {
    static void Take(InputDevices& self, const SDL_Event& e, WindowEvents& events) {
        events.anyEvent = true;
        switch (e.type) {
            case SDL_QUIT:
                events.closeRequested = true;
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    events.closeRequested = true;
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                           e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                           e.window.event == SDL_WINDOWEVENT_RESTORED) {
                    events.exposed = true;
                }
                break;
            case SDL_RENDER_DEVICE_RESET:
                events.displayLost = true;
                break;
            case SDL_KEYDOWN: {
                const SDL_Scancode sc = e.key.keysym.scancode;
                const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
                if (e.key.repeat == 0 && (sc == SDL_SCANCODE_F11 || (alt && (sc == SDL_SCANCODE_RETURN ||
                                                                             sc == SDL_SCANCODE_KP_ENTER)))) {
                    events.toggleFullScreen = true;
                }
                const uint8_t code = ScanCodeForSdlScancode(sc);
                if (code != 0) {
                    self.pressedSinceRead_[code] = true;
                }
                break;
            }
            case SDL_MOUSEMOTION:
                self.pointerMovedSinceRead_ = true;
                self.movedToX_ = e.motion.x;
                self.movedToY_ = e.motion.y;
                break;
            case SDL_MOUSEBUTTONDOWN: {
                const int index = ButtonIndex(e.button.button);
                if (index >= 0) {
                    self.clickedSinceRead_[static_cast<size_t>(index)] = true;
                }
                break;
            }
            default:
                break;
        }
    }
};

WindowEvents InputDevices::PumpEvents() {
    WindowEvents events = waited_;
    waited_ = {};
    // Every event queued by now, those queued while the loop waited included (a poll loop would stop
    // at the marker a wait leaves in the queue and keep them for the frame after).
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        EventIntake::Take(*this, e, events);
    }
    return events;
}

bool InputDevices::WaitForEvent(std::optional<uint32_t> timeoutMs) {
    // SDL hands the event that ends the wait over: it is taken now, in its turn, and reported by the
    // next PumpEvents with whatever follows it.
    SDL_Event e;
    int got = 0;
    if (!timeoutMs) {
        got = SDL_WaitEvent(&e);
    } else {
        // SDL takes an int: a wait beyond its range simply ends early and the caller asks again.
        got = SDL_WaitEventTimeout(&e, static_cast<int>(std::min<uint32_t>(*timeoutMs, 1U << 30)));
    }
    if (got != 0) {
        EventIntake::Take(*this, e, waited_);
    }
    return got != 0;
}

InputState InputDevices::Read() {
    InputState state;
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    for (int sc = 0; sc < count; ++sc) {
        if (keys[sc] != 0) {
            const uint8_t code = ScanCodeForSdlScancode(sc);
            if (code != 0) {
                state.Keys[code] = true;
            }
        }
    }
    for (size_t i = 0; i < state.Keys.size(); ++i) {
        state.Keys[i] = state.Keys[i] || pressedSinceRead_[i];
    }
    pressedSinceRead_.fill(false);

    int windowX = 0;
    int windowY = 0;
    const Uint32 buttons = SDL_GetMouseState(&windowX, &windowY);
    const bool focus = SDL_GetMouseFocus() != nullptr;
    // A move reported without the window's mouse focus (a driver without a real pointer) says where.
    if (!focus && pointerMovedSinceRead_) {
        windowX = movedToX_;
        windowY = movedToY_;
    }
    // Until the pointer has been over the window its position is unknown: keep the last one.
    if (focus || pointerMovedSinceRead_) {
        const BackBufferPoint p = display_.WindowToBackBuffer(windowX, windowY);
        mouseX_ = p.x;
        mouseY_ = p.y;
        state.MouseOnPicture = p.inside;
    }
    state.MouseX = mouseX_;
    state.MouseY = mouseY_;
    state.Buttons[0] = (buttons & SDL_BUTTON_LMASK) != 0;
    state.Buttons[1] = (buttons & SDL_BUTTON_RMASK) != 0;
    state.Buttons[2] = (buttons & SDL_BUTTON_MMASK) != 0;
    state.Buttons[3] = (buttons & SDL_BUTTON_X1MASK) != 0;
    for (size_t i = 0; i < state.Buttons.size(); ++i) {
        state.Buttons[i] = state.Buttons[i] || clickedSinceRead_[i];
    }
    clickedSinceRead_.fill(false);
    pointerMovedSinceRead_ = false;
    return state;
}

void InputDevices::PostDisplayLost() {
    SDL_Event e{};
    e.type = SDL_RENDER_DEVICE_RESET;
    SDL_PushEvent(&e);
}

void InputDevices::WakeFromAnyThread() {
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    SDL_PushEvent(&e);
}

void InputDevices::ShowSystemCursor(bool show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    cursorShown_ = show;
}
