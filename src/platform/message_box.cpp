#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl_library.h"

void ShowErrorMessage(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (HeadlessVideo()) {
        return;
    }
    // Works with or without an open window; fails quietly when there is no display at all.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
}
