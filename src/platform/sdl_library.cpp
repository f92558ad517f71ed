#include "platform/sdl_library.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <string_view>

SdlLibrary::SdlLibrary() {
    // main() is the program's own; SDL does not need to wrap it.
    SDL_SetMainReady();
    SDL_Init(0);
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
}

SdlLibrary::~SdlLibrary() {
    IMG_Quit();
    SDL_Quit();
}

bool HeadlessVideo() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        driver = std::getenv("SDL_VIDEODRIVER");
    }
    if (driver == nullptr) {
        return false;
    }
    const std::string_view name(driver);
    return name == "dummy" || name == "offscreen" || name == "evdev";
}
