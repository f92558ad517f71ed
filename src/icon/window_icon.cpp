#include "icon/window_icon.h"

#include <array>

namespace {

// Written by the asset generator (zarn-assetgen --icons).
constexpr std::array<uint8_t, 64 * 64 * 4> kIconRgba = {
#include "window_icon_rgba.inc"
};

}  // namespace

WindowIconPixels WindowIcon() {
    return WindowIconPixels{64, kIconRgba};
}
