#pragma once

// Starts SDL and SDL_image for the run and shuts them down at the end. It outlives every display,
// input and sound object; Qt must be gone before one is created.
class SdlLibrary {
public:
    SdlLibrary();
    ~SdlLibrary();
    SdlLibrary(const SdlLibrary&) = delete;
    SdlLibrary& operator=(const SdlLibrary&) = delete;
};

// True when SDL (or the environment) says there is no real screen: the dummy or offscreen video
// driver. Message boxes are not tried then, as nobody could close them.
bool HeadlessVideo();
