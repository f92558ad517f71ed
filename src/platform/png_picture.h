#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/picture_decoding.h"

// Pictures of the language archive are PNG. They are decoded here into the display's own RGB565
// pixels, which Display::SetPicturePixels takes.

// Checks the header first (signature, an IHDR of 8-bit RGB or RGBA, sides 1..kMaxPictureSide, not
// interlaced: what the asset generator writes), so the decoder never sees anything else; then decodes.
// Throws PictureError saying why.
Rgb565Pixels DecodePng565(std::span<const uint8_t> bytes);

// The header check alone, for pictures decoded elsewhere (DecodePictureInto). Throws PictureError.
void CheckPng565Header(std::span<const uint8_t> bytes);
