#include "platform/window_icon_sdl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "icon/window_icon.h"
#include "platform/display.h"
#include "platform/sdl_library.h"

namespace {

// The game's window carries the icon drawn at build time, pixel for pixel: transparent around the
// rounded square, opaque in the middle.
TEST(WindowIconTest, TheSurfaceHoldsTheCompiledInIcon) {
    SdlLibrary sdl;
    const WindowIconPixels icon = WindowIcon();
    ASSERT_EQ(icon.size, 64);
    ASSERT_EQ(icon.rgba.size(), 64u * 64u * 4u);
    const SurfacePtr surface = WindowIconSurface();
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    ASSERT_EQ(surface->w, icon.size);
    ASSERT_EQ(surface->h, icon.size);
    ASSERT_EQ(surface->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGBA32));
    for (int y = 0; y < icon.size; ++y) {
        const auto* row =
            static_cast<const uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
        ASSERT_EQ(std::memcmp(row, icon.rgba.data() + static_cast<size_t>(y) * icon.size * 4,
                              static_cast<size_t>(icon.size) * 4),
                  0)
            << "row " << y;
    }
    const auto alpha = [&](int x, int y) {
        return icon.rgba[(static_cast<size_t>(y) * icon.size + x) * 4 + 3];
    };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(icon.size / 2, icon.size / 2), 255);
}

// The Wayland application id names the menu entry, unless the player chose another.
TEST(WindowIconTest, WaylandWindowsCarryTheApplicationId) {
    unsetenv("SDL_VIDEO_WAYLAND_WMCLASS");
    NameWindowsForTheDesktop("net.example.First");
    EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), "net.example.First");
    NameWindowsForTheDesktop("net.example.Second");
    EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), "net.example.First");
    unsetenv("SDL_VIDEO_WAYLAND_WMCLASS");
}

TEST(WindowIconTest, TheGamesWindowOpensWithTheIcon) {
    SdlLibrary sdl;
    // SDL gives no way to read a window's icon back; opening a window must simply not trip over it.
    Display display{false, "zarn icon test"};
    EXPECT_TRUE(display.DisplayReady());
}

}  // namespace
