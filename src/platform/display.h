#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "platform/letterbox.h"
#include "platform/picture_decoding.h"
#include "platform/picture_pixels.h"
#include "presentation/canvas.h"

// A picture's bytes could not be decoded (the message is the decoder's reason).
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The game's screen: a back buffer in 16 bits (RGB565) that everything is drawn into, the pictures the
// game copies from, and a window (full screen on the desktop's mode, or a resizable window) that shows
// the whole back buffer, scaled with its aspect kept, at every present. At scale k the back buffer is
// k x 800 by k x 600 pixels and the pictures are loaded at k times their size.
//
// Keyed pictures use magenta (RGB565 0xF81F) as their transparent colour.
class Display final : public Canvas {
public:
    static constexpr uint16_t kTransparentColour = 0xF81F;

    // Opens the window, the renderer (with vsync where there is one, else SDL's software renderer)
    // and the back buffer, cleared. Throws SetupError for the procedure "DirectX".
    Display(bool fullScreen, const std::string& title);
    ~Display() override;
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Decodes a picture of the given format into a surface of the back buffer's format (its own
    // size, which must be a whole multiple of the scale) and sets its colour key when `keyed`; replaces
    // an earlier picture of the same id. Throws PictureError.
    void LoadPicture(PictureId picture, std::span<const uint8_t> bytes, PictureFormat format, bool keyed);
    // Makes a picture from RGB565 pixels, row by row (pictures the program draws itself); replaces an
    // earlier picture of the same id. Throws PictureError.
    void SetPicturePixels(PictureId picture, int32_t width, int32_t height, std::span<const uint16_t> pixels,
                          bool keyed);
    // The same with pixels decoded elsewhere, taken over rather than copied (the display keeps what holds
    // them for as long as it shows the picture).
    void SetPicturePixels(PictureId picture, Rgb565Pixels&& decoded, bool keyed);
    void SetPicturePixels(PictureId picture, SharedPixels decoded, bool keyed);
    void ReleasePicture(PictureId picture);
    bool HasPicture(PictureId picture) const;

    // Canvas: the scale, the whole rectangle of a loaded picture in units (empty when none is loaded),
    // and copies.
    int32_t Scale() const override;
    Rect32 PictureRect(PictureId picture) const override;

    // Draws from now on at scale k (1 to 3): a new, cleared back buffer and texture of k times the
    // size. Every picture is released; the caller loads them again at the new scale.
    // Throws SetupError for "DirectX".
    void SetScale(int32_t k);
    // The window's size in output pixels (larger than WindowSize on high-density screens).
    void OutputSize(int& width, int& height) const;
    void CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) override;

    // Fills the back buffer with black.
    void ClearBackBuffer();
    // Shows the back buffer. A picture equal to the one on screen is neither uploaded nor presented
    // (a waiting table redraws the same picture); false then.
    bool FlipScreen();
    // Shows the back buffer where it changed: uploads only `boxes` (back-buffer pixels) and, where the
    // window shows the back buffer pixel for pixel through SDL's software renderer, hands only those
    // boxes to the window; otherwise (and after anything that spoils the window's picture) it presents
    // the whole. Shrunk far, only the shown pixels of the boxes are shrunk again, box by box. No boxes:
    // nothing is uploaded or presented, and false.
    bool PresentBoxes(std::span<const Rect32> boxes);
    // The next present shows the whole window (it was exposed, resized or switched to full screen).
    void PresentWholeNext();
    // Shows the last flipped frame again (the window was exposed or resized while nothing is drawn).
    void ShowLastFrame();
    // Back-buffer pixels uploaded for presents so far.
    int64_t UploadedPixels() const;
    // Shown pixels the area shrink has worked out so far (where the frame is shrunk far).
    int64_t ShrunkPixels() const;
    // How many times a picture was presented (flips that changed it, and the last frame shown again).
    int64_t Presents() const;

    // False after the renderer's device was reset (see DisplayLost) until RestoreDisplay.
    bool DisplayReady() const;
    void DisplayLost();
    // Builds a new renderer and texture. Pictures and the back buffer live in memory and survive.
    // Throws SetupError for "DirectX".
    void RestoreDisplay();

    bool Windowed() const;
    void SetFullScreen(bool fullScreen);
    bool Minimized() const;
    bool HasVsync() const;

    // The window's size in screen pixels (the desktop's in full screen), and a new size for the window
    // when it is not full screen (kept within the desktop).
    void WindowSize(int& width, int& height) const;
    void SetWindowSize(int width, int height);

    // Where a point of the window lies in the back buffer: the one conversion the mouse goes through.
    BackBufferPoint WindowToBackBuffer(int32_t windowX, int32_t windowY) const;

    void SetTitle(const std::string& title);

    // Writes the back buffer to a file: PNG when the name ends in ".png", BMP otherwise.
    // Throws std::runtime_error.
    void SaveScreenshot(const std::string& path) const;

    // A back-buffer pixel in RGB565, in back-buffer pixels (for tests).
    uint16_t PixelAt(int32_t x, int32_t y) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
