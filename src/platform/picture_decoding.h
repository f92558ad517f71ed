#pragma once

#include <cstdint>
#include <span>
#include <string>

// The picture formats the game's archives hold (PNG only in the second one, for the larger pictures). A
// picture is decoded by the format its entry is known to have, never by guessing from the bytes, so a crafted
// entry cannot reach decoders for formats the game never uses.
enum class PictureFormat { Bmp, Jpeg, Png };

// The format an entry name implies: ".jpg"/".jpeg" are JPEG, ".png" PNG, everything else BMP.
PictureFormat PictureFormatOfName(const std::string& fileName);
