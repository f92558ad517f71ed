#pragma once

#include <cstdint>
#include <span>
#include <string>

// The two picture formats the game's archive holds. A picture is decoded by the format its entry is
// known to have, never by guessing from the bytes, so a crafted entry cannot reach decoders for
// formats the game never uses.
enum class PictureFormat { Bmp, Jpeg };

// The format an entry name implies: ".jpg"/".jpeg" are JPEG, everything else BMP.
PictureFormat PictureFormatOfName(const std::string& fileName);
