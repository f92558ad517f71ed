#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/sdl_handles.h"
#include "platform/shrink_filter.h"

// The back buffer shrunk on the processor (AreaShrink) into a texture of exactly the size it is shown
// at, for the shrinks the renderer's linear filter would smear; the renderer then copies it pixel for
// pixel. Where the linear filter does well enough it is not used and holds nothing. Private to this
// folder's sources: the display presents through it.
class ShrunkFrame {
public:
    // Whether a back buffer of the source size shown at the viewport's size goes through here (see
    // AreaShrinkPays; `rendererOnProcessor` for SDL's software renderer). When it does, the texture is
    // made (again) for those sizes as needed; a new one is stale until Update.
    bool Prepare(SDL_Renderer* renderer, int32_t sourceWidth, int32_t sourceHeight, int32_t viewWidth,
                 int32_t viewHeight, bool rendererOnProcessor);
    // True when the texture holds no complete picture yet: the next Update must be given the whole frame.
    bool Stale() const { return stale_; }
    // Shrinks the parts of the RGB565 frame that changed since the last Update (in back-buffer pixels),
    // each on its own, and uploads the target pixels they touch; the whole frame while stale. Parts far
    // apart (a card moving here, the pointer there) cost no more than each alone.
    void Update(const uint8_t* frame, int32_t pitch, std::span<const PixelRect> changed);
    SDL_Texture* Texture() const { return texture_.get(); }
    // Target pixels shrunk so far.
    int64_t ShrunkPixels() const { return shrunkPixels_; }
    // Lets the texture go (before its renderer goes).
    void Release();

private:
    // Shrinks one part of the target and uploads it; false when the upload failed.
    bool ShrinkPart(const uint8_t* frame, int32_t pitch, const PixelRect& part);

    std::optional<AreaShrink> shrink_;
    TexturePtr texture_;
    std::vector<uint8_t> pixels_;  // the shrunk frame, XRGB8888
    int32_t pitch_ = 0;
    bool stale_ = true;
    int64_t shrunkPixels_ = 0;
};
