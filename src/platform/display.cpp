#include "platform/display.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "archive/format_checks.h"
#include "i18n/translation.h"
#include "platform/bare_x_full_screen.h"
#include "platform/pixel_copy.h"
#include "platform/renderer_choice.h"
#include "platform/sdl_handles.h"
#include "platform/sdl_library.h"
#include "platform/setup_error.h"
#include "platform/shrunk_frame.h"
#include "platform/window_icon_sdl.h"

namespace {

constexpr size_t kPictureSlots = static_cast<size_t>(PictureId::Count);

[[noreturn]] void FailDirectX(const std::string& what) {
    throw SetupError("DirectX", kErrorDisplayLibrary, what + ": " + SDL_GetError());
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) {
        return false;
    }
    return std::equal(
        tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
}

// The largest whole multiple of 800 x 600 that fits the usable part of the screen, at least 1.
int WindowScale() {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) {
        return 1;
    }
    // Leave room for the window's frame and title.
    const int scale = std::min((usable.w - 16) / kBackBufferWidth, (usable.h - 48) / kBackBufferHeight);
    return std::max(scale, 1);
}

// A picture's surface, and what holds the pixels it shows when they were handed over rather than copied
// (the surface only points at them, so it goes first).
class LoadedPicture {
public:
    void Set(SurfacePtr surface, std::shared_ptr<const void> pixels = {}) {
        Release();
        pixels_ = std::move(pixels);
        surface_ = std::move(surface);
    }
    void Release() {
        surface_.reset();
        pixels_.reset();
    }
    SDL_Surface* Surface() const { return surface_.get(); }

private:
    std::shared_ptr<const void> pixels_;
    SurfacePtr surface_;
};

}  // namespace

struct Display::Impl {
    bool windowed = false;
    bool coveredByUs = false;  // full screen made here, without a window manager
    bool lost = false;
    bool vsync = false;
    bool software = false;  // SDL's software renderer, drawing into the window's own pixels
    int32_t scale = 1;
    WindowPtr window;
    RendererPtr renderer;
    TexturePtr texture;
    // Shrinks the linear filter would smear are done on the processor; the texture above then falls
    // behind the frame until it is shown again.
    ShrunkFrame shrunk;
    bool textureBehind = false;
    std::shared_ptr<uint16_t[]> backBufferPixels;  // the back buffer's pixels, which it only points at
    SurfacePtr backBuffer;
    // The picture in the texture, to skip the upload and present of an unchanged frame; empty while
    // the texture holds nothing known (at the start, after a new renderer).
    std::vector<uint8_t> shown;
    int64_t presents = 0;
    int64_t uploadedPixels = 0;
    // True while the window may not show the texture's whole picture (a new renderer or texture, an
    // expose, a new output size): the next present is a whole one.
    bool wholePending = true;
    // True while the texture holds no upload of the back buffer yet: the next upload is a whole one.
    bool textureFresh = true;
    int lastOutputW = 0;
    int lastOutputH = 0;
    std::array<LoadedPicture, kPictureSlots> pictures;

    ~Impl() {
        // Pictures and the back buffer first, then what shows them, then the video subsystem.
        for (auto& p : pictures) {
            p.Release();
        }
        backBuffer.reset();
        shrunk.Release();
        texture.reset();
        renderer.reset();
        window.reset();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void CreateRenderer() {
        shrunk.Release();
        texture.reset();
        renderer.reset();
        renderer = CreateFrameRenderer(window.get());
        if (!renderer) {
            FailDirectX("no renderer for the window");
        }
        SDL_RendererInfo info{};
        const bool haveInfo = SDL_GetRendererInfo(renderer.get(), &info) == 0;
        vsync = haveInfo && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
        software = haveInfo && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
        CreateTexture();
        lost = false;
    }

    void CreateTexture() {
        texture.reset();
        texture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                        kBackBufferWidth * scale, kBackBufferHeight * scale));
        if (!texture) {
            FailDirectX("no texture for the back buffer");
        }
        shrunk.Release();
        textureBehind = false;
        shown.clear();
        wholePending = true;
        textureFresh = true;
    }

    void CreateBackBuffer() {
        backBuffer.reset();
        backBufferPixels.reset();
        // On large pages where the system has them: at scale 3 the buffer is 8 MB, and touching it page
        // by page costs more than drawing a frame into it.
        const int width = kBackBufferWidth * scale;
        const int height = kBackBufferHeight * scale;
        try {
            backBufferPixels = AllocatePixelBlock(static_cast<size_t>(width) * static_cast<size_t>(height));
        } catch (const PictureError&) {
            FailDirectX("no back buffer");
        }
        backBuffer.reset(SDL_CreateRGBSurfaceWithFormatFrom(backBufferPixels.get(), width, height, 16,
                                                            width * static_cast<int>(sizeof(uint16_t)),
                                                            SDL_PIXELFORMAT_RGB565));
        if (!backBuffer) {
            FailDirectX("no back buffer");
        }
        SDL_FillRect(backBuffer.get(), nullptr, 0);
    }

    // True when the back buffer differs from the picture in the texture; remembers it then, and the part
    // that changed (the whole frame when nothing was shown before).
    bool TakeNewPicture(PixelRect& changed) {
        const auto* pixels = static_cast<const uint8_t*>(backBuffer->pixels);
        const size_t size = static_cast<size_t>(backBuffer->pitch) * static_cast<size_t>(backBuffer->h);
        changed = {0, 0, backBuffer->w, backBuffer->h};
        if (shown.size() == size) {
            changed = ChangedPart(shown.data(), pixels, backBuffer->pitch, backBuffer->w, backBuffer->h);
            if (changed.Empty()) {
                return false;
            }
        }
        shown.assign(pixels, pixels + size);
        return true;
    }

    void Upload(const SDL_Rect& box) {
        const auto* pixels = static_cast<const uint8_t*>(backBuffer->pixels) +
                             static_cast<ptrdiff_t>(box.y) * backBuffer->pitch +
                             static_cast<ptrdiff_t>(box.x) * 2;
        SDL_UpdateTexture(texture.get(), &box, pixels, backBuffer->pitch);
        uploadedPixels += static_cast<int64_t>(box.w) * box.h;
    }

    // Hands only the boxes to the window, when that shows the same picture as a whole present: SDL's
    // software renderer copies them pixel for pixel into the window's own pixels (no scaling, so a box
    // comes out exactly as it would in the whole), and only those are sent on. False when it cannot.
    bool PresentOnlyBoxes(std::span<const SDL_Rect> boxes) {
        int outW = 0;
        int outH = 0;
        SDL_GetRendererOutputSize(renderer.get(), &outW, &outH);
        const Viewport v = FitBackBuffer(outW, outH);
        const bool sameOutput = outW == lastOutputW && outH == lastOutputH;
        if (!software || wholePending || !sameOutput || v.width != backBuffer->w ||
            v.height != backBuffer->h) {
            return false;
        }
        std::vector<SDL_Rect> windowBoxes;
        windowBoxes.reserve(boxes.size());
        for (const SDL_Rect& box : boxes) {
            const SDL_Rect target{v.x + box.x, v.y + box.y, box.w, box.h};
            SDL_RenderCopy(renderer.get(), texture.get(), &box, &target);
            windowBoxes.push_back(target);
        }
        if (SDL_RenderFlush(renderer.get()) != 0 ||
            SDL_UpdateWindowSurfaceRects(window.get(), windowBoxes.data(),
                                         static_cast<int>(windowBoxes.size())) != 0) {
            return false;
        }
        ++presents;
        return true;
    }

    // Whether the frame goes through the area shrink at the window's present size (the shrunk texture
    // made, or made again, as needed). The texture of the back buffer then falls behind the frame.
    bool PrepareShrink() {
        int outW = 0;
        int outH = 0;
        SDL_GetRendererOutputSize(renderer.get(), &outW, &outH);
        const Viewport v = FitBackBuffer(outW, outH);
        return shrunk.Prepare(renderer.get(), backBuffer->w, backBuffer->h, v.width, v.height, software);
    }

    // Shows the last frame whole; with `upload`, `changed` are the parts of it new since the last upload.
    // Shrunk far, the frame goes through the area shrink (only the changed parts shrunk again); else the
    // renderer scales the back buffer's texture.
    void Present(bool upload, std::span<const PixelRect> changed) {
        if (lost || !renderer) {
            return;
        }
        int outW = 0;
        int outH = 0;
        SDL_GetRendererOutputSize(renderer.get(), &outW, &outH);
        lastOutputW = outW;
        lastOutputH = outH;
        wholePending = false;
        const Viewport v = FitBackBuffer(outW, outH);
        // The frame last flipped (just taken when uploading), or the back buffer when boxes were uploaded.
        const uint8_t* frame = shown.empty() ? static_cast<const uint8_t*>(backBuffer->pixels) : shown.data();
        SDL_Texture* picture = texture.get();
        if (PrepareShrink()) {
            if (upload || shrunk.Stale() || !changed.empty()) {
                shrunk.Update(frame, backBuffer->pitch, changed);
            }
            picture = shrunk.Texture();
            textureBehind = true;
        } else if (upload || textureBehind) {
            SDL_UpdateTexture(texture.get(), nullptr, frame, backBuffer->pitch);
            uploadedPixels += static_cast<int64_t>(backBuffer->w) * backBuffer->h;
            textureBehind = false;
            textureFresh = false;
        }
        const SDL_Rect target{v.x, v.y, v.width, v.height};
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
        SDL_RenderCopy(renderer.get(), picture, nullptr, &target);
        SDL_RenderPresent(renderer.get());
        ++presents;
    }

    SDL_Surface* Picture(PictureId id) const {
        const auto index = static_cast<size_t>(id);
        return index < kPictureSlots ? pictures[index].Surface() : nullptr;
    }
};

Display::Display(bool fullScreen, const std::string& title) : impl_(std::make_unique<Impl>()) {
    // In full screen a lost focus must not minimise the game; the player may be looking at a dialog.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Smooth scaling of the back buffer to screens that are not a whole multiple of it.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    NameWindowsForTheDesktop(ZARN_APP_ID);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        // Quitting a subsystem that never started is harmless, so the Impl may unwind as usual.
        FailDirectX("the video system did not start");
    }
    // Without a screen SDL falls back on its own to a driver that shows nothing; the game would then run
    // unseen for ever. Such a driver is used only when the caller asks for it (as the tests do).
    if (std::getenv("SDL_VIDEODRIVER") == nullptr && HeadlessVideo()) {
        throw SetupError(
            "DirectX", kErrorDisplayLibrary,
            Tr("no screen to show the game on (neither an X11 nor a Wayland display was found)"));
    }
    impl_->windowed = !fullScreen;
    const int scale = fullScreen ? 1 : WindowScale();
    Uint32 flags = SDL_WINDOW_RESIZABLE;
    if (fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    impl_->window.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                         kBackBufferWidth * scale, kBackBufferHeight * scale, flags));
    if (!impl_->window) {
        FailDirectX("the window did not open");
    }
    SDL_SetWindowMinimumSize(impl_->window.get(), kBackBufferWidth / 4, kBackBufferHeight / 4);
    SetProgramIcon(impl_->window.get());
    if (fullScreen) {
        impl_->coveredByUs = CoverScreenWithoutWindowManager(impl_->window.get());
    }
    impl_->CreateRenderer();
    impl_->CreateBackBuffer();
}

Display::~Display() = default;

void Display::LoadPicture(PictureId picture, std::span<const uint8_t> bytes, PictureFormat format,
                          bool keyed) {
    const auto index = static_cast<size_t>(picture);
    if (index >= kPictureSlots) {
        throw PictureError("no such picture slot");
    }
    // The archive's own header checks first: a decoder only ever sees bytes that look like its format.
    std::string why;
    bool looksRight = false;
    switch (format) {
        case PictureFormat::Jpeg:
            looksRight = LooksLikeJpeg(bytes, &why);
            break;
        case PictureFormat::Png:
            looksRight = LooksLikePng(bytes, &why);
            break;
        case PictureFormat::Bmp:
            looksRight = LooksLikeBmp(bytes, &why);
            break;
    }
    if (!looksRight) {
        throw PictureError(why);
    }
    RwopsPtr rw(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())));
    if (!rw) {
        throw PictureError(SDL_GetError());
    }
    // Decoded by the format the entry is known to have, never by guessing.
    SurfacePtr decoded;
    switch (format) {
        case PictureFormat::Jpeg:
            decoded.reset(IMG_LoadJPG_RW(rw.get()));
            break;
        case PictureFormat::Png:
            decoded.reset(IMG_LoadPNG_RW(rw.get()));
            break;
        case PictureFormat::Bmp:
            decoded.reset(IMG_LoadBMP_RW(rw.get()));
            break;
    }
    if (!decoded) {
        throw PictureError(std::string("the picture could not be decoded: ") + IMG_GetError());
    }
    if (decoded->w % impl_->scale != 0 || decoded->h % impl_->scale != 0) {
        throw PictureError("the picture's size is not a whole multiple of the scale");
    }
    SurfacePtr converted(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGB565, 0));
    if (!converted) {
        throw PictureError(std::string("the picture could not be converted: ") + SDL_GetError());
    }
    // Copies replace pixels; they never blend.
    SDL_SetSurfaceBlendMode(converted.get(), SDL_BLENDMODE_NONE);
    SDL_SetColorKey(converted.get(), keyed ? SDL_TRUE : SDL_FALSE, kTransparentColour);
    impl_->pictures[index].Set(std::move(converted));
}

void Display::SetPicturePixels(PictureId picture, int32_t width, int32_t height,
                               std::span<const uint16_t> pixels, bool keyed) {
    const auto index = static_cast<size_t>(picture);
    if (index >= kPictureSlots) {
        throw PictureError("no such picture slot");
    }
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        throw PictureError("the picture's pixels do not fill its size");
    }
    if (width % impl_->scale != 0 || height % impl_->scale != 0) {
        throw PictureError("the picture's size is not a whole multiple of the scale");
    }
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565));
    if (!surface) {
        throw PictureError(std::string("the picture could not be made: ") + SDL_GetError());
    }
    for (int32_t y = 0; y < height; ++y) {
        auto* row = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
        std::memcpy(row, pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width),
                    static_cast<size_t>(width) * sizeof(uint16_t));
    }
    SDL_SetSurfaceBlendMode(surface.get(), SDL_BLENDMODE_NONE);
    SDL_SetColorKey(surface.get(), keyed ? SDL_TRUE : SDL_FALSE, kTransparentColour);
    impl_->pictures[index].Set(std::move(surface));
}

void Display::SetPicturePixels(PictureId picture, Rgb565Pixels&& decoded, bool keyed) {
    if (decoded.width <= 0 || decoded.height <= 0 ||
        decoded.pixels.size() != static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height)) {
        throw PictureError("the picture's pixels do not fill its size");
    }
    auto pixels = std::make_shared<std::vector<uint16_t>>(std::move(decoded.pixels));
    uint16_t* first = pixels->data();
    SetPicturePixels(picture,
                     SharedPixels{decoded.width, decoded.height, std::shared_ptr<uint16_t>(pixels, first)},
                     keyed);
}

void Display::SetPicturePixels(PictureId picture, SharedPixels decoded, bool keyed) {
    const auto index = static_cast<size_t>(picture);
    if (index >= kPictureSlots) {
        throw PictureError("no such picture slot");
    }
    const int32_t width = decoded.width;
    const int32_t height = decoded.height;
    if (width <= 0 || height <= 0 || !decoded.pixels) {
        throw PictureError("the picture's pixels do not fill its size");
    }
    if (width % impl_->scale != 0 || height % impl_->scale != 0) {
        throw PictureError("the picture's size is not a whole multiple of the scale");
    }
    // The surface shows the pixels where they are: a large picture is not copied once more.
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(decoded.pixels.get(), width, height, 16,
                                                          width * static_cast<int>(sizeof(uint16_t)),
                                                          SDL_PIXELFORMAT_RGB565));
    if (!surface) {
        throw PictureError(std::string("the picture could not be made: ") + SDL_GetError());
    }
    SDL_SetSurfaceBlendMode(surface.get(), SDL_BLENDMODE_NONE);
    SDL_SetColorKey(surface.get(), keyed ? SDL_TRUE : SDL_FALSE, kTransparentColour);
    impl_->pictures[index].Set(std::move(surface), std::move(decoded.pixels));
}

void Display::ReleasePicture(PictureId picture) {
    const auto index = static_cast<size_t>(picture);
    if (index < kPictureSlots) {
        impl_->pictures[index].Release();
    }
}

bool Display::HasPicture(PictureId picture) const {
    return impl_->Picture(picture) != nullptr;
}

int32_t Display::Scale() const {
    return impl_->scale;
}

Rect32 Display::PictureRect(PictureId picture) const {
    const SDL_Surface* s = impl_->Picture(picture);
    if (s == nullptr) {
        return {};
    }
    return {0, 0, s->w / impl_->scale, s->h / impl_->scale};
}

void Display::SetScale(int32_t k) {
    k = std::clamp(k, 1, kLargestScale);
    if (k == impl_->scale) {
        return;
    }
    for (auto& p : impl_->pictures) {
        p.Release();
    }
    impl_->scale = k;
    impl_->CreateBackBuffer();
    if (impl_->renderer && !impl_->lost) {
        impl_->CreateTexture();
    }
}

void Display::OutputSize(int& width, int& height) const {
    SDL_GetWindowSize(impl_->window.get(), &width, &height);
    if (impl_->renderer) {
        SDL_GetRendererOutputSize(impl_->renderer.get(), &width, &height);
    }
}

void Display::CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) {
    SDL_Surface* s = impl_->Picture(picture);
    if (s == nullptr || source.Empty()) {
        return;
    }
    // Pictures and the back buffer are all RGB565 (LoadPicture converts), so the copy is a plain one.
    SDL_Surface* bb = impl_->backBuffer.get();
    const PixelPlane from{static_cast<uint8_t*>(s->pixels), s->w, s->h, s->pitch};
    const PixelPlane to{static_cast<uint8_t*>(bb->pixels), bb->w, bb->h, bb->pitch};
    CopyPixels(from, source.left, source.top, source.right - source.left, source.bottom - source.top, to, x,
               y, keyed ? std::optional<uint16_t>(kTransparentColour) : std::nullopt);
}

void Display::ClearBackBuffer() {
    SDL_FillRect(impl_->backBuffer.get(), nullptr, 0);
}

bool Display::FlipScreen() {
    PixelRect changed;
    if (impl_->lost || !impl_->renderer || !impl_->TakeNewPicture(changed)) {
        return false;
    }
    impl_->Present(true, std::span<const PixelRect>(&changed, 1));
    return true;
}

bool Display::PresentBoxes(std::span<const Rect32> boxes) {
    if (impl_->lost || !impl_->renderer || boxes.empty()) {
        return false;
    }
    const SDL_Surface* bb = impl_->backBuffer.get();
    std::vector<SDL_Rect> rects;
    rects.reserve(boxes.size());
    for (const Rect32& box : boxes) {
        const int left = std::max(box.left, 0);
        const int top = std::max(box.top, 0);
        const int right = std::min(box.right, bb->w);
        const int bottom = std::min(box.bottom, bb->h);
        if (right > left && bottom > top) {
            rects.push_back(SDL_Rect{left, top, right - left, bottom - top});
        }
    }
    if (rects.empty()) {
        return false;
    }
    std::vector<PixelRect> changed;
    changed.reserve(rects.size());
    for (const SDL_Rect& rect : rects) {
        changed.push_back(PixelRect{rect.x, rect.y, rect.w, rect.h});
    }
    // The picture in the texture is no longer the one a whole flip compared against.
    impl_->shown.clear();
    if (impl_->PrepareShrink()) {
        // Shown through the area shrink, which takes the changed boxes one by one; the texture of the
        // back buffer is not shown and gets them all at once when it is again.
        impl_->Present(false, changed);
        return true;
    }
    if (impl_->textureFresh || impl_->textureBehind) {
        // A new texture holds nothing of the earlier frames, and one the area shrink stood in for holds
        // old ones: it gets the whole back buffer once.
        rects.assign(1, SDL_Rect{0, 0, bb->w, bb->h});
        impl_->textureFresh = false;
        impl_->textureBehind = false;
    }
    for (const SDL_Rect& rect : rects) {
        impl_->Upload(rect);
    }
    if (!impl_->PresentOnlyBoxes(rects)) {
        impl_->Present(false, changed);
    }
    return true;
}

void Display::PresentWholeNext() {
    impl_->wholePending = true;
}

void Display::ShowLastFrame() {
    impl_->Present(false, {});
}

int64_t Display::ShrunkPixels() const {
    return impl_->shrunk.ShrunkPixels();
}

int64_t Display::UploadedPixels() const {
    return impl_->uploadedPixels;
}

int64_t Display::Presents() const {
    return impl_->presents;
}

bool Display::DisplayReady() const {
    return !impl_->lost;
}

void Display::DisplayLost() {
    impl_->lost = true;
}

void Display::RestoreDisplay() {
    impl_->CreateRenderer();
}

bool Display::Windowed() const {
    return impl_->windowed;
}

void Display::SetFullScreen(bool fullScreen) {
    if (SDL_SetWindowFullscreen(impl_->window.get(), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        return;
    }
    impl_->windowed = !fullScreen;
    if (fullScreen) {
        impl_->coveredByUs = CoverScreenWithoutWindowManager(impl_->window.get());
    } else if (impl_->coveredByUs) {
        // No window manager gives the window its size back: it gets the one a new window would have.
        impl_->coveredByUs = false;
        const int scale = WindowScale();
        SDL_SetWindowSize(impl_->window.get(), kBackBufferWidth * scale, kBackBufferHeight * scale);
        SDL_SetWindowPosition(impl_->window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

bool Display::Minimized() const {
    return (SDL_GetWindowFlags(impl_->window.get()) & SDL_WINDOW_MINIMIZED) != 0;
}

void Display::WindowSize(int& width, int& height) const {
    SDL_GetWindowSize(impl_->window.get(), &width, &height);
}

void Display::SetWindowSize(int width, int height) {
    if (!impl_->windowed || width <= 0 || height <= 0) {
        return;
    }
    SDL_Rect usable{0, 0, width, height};
    const int screen = SDL_GetWindowDisplayIndex(impl_->window.get());
    if (screen >= 0 && SDL_GetDisplayUsableBounds(screen, &usable) == 0) {
        width = std::min(width, usable.w);
        height = std::min(height, usable.h);
    }
    SDL_SetWindowSize(impl_->window.get(), width, height);
    SDL_SetWindowPosition(impl_->window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool Display::HasVsync() const {
    return impl_->vsync;
}

BackBufferPoint Display::WindowToBackBuffer(int32_t windowX, int32_t windowY) const {
    int windowW = 0;
    int windowH = 0;
    SDL_GetWindowSize(impl_->window.get(), &windowW, &windowH);
    int outW = windowW;
    int outH = windowH;
    if (impl_->renderer) {
        SDL_GetRendererOutputSize(impl_->renderer.get(), &outW, &outH);
    }
    return ::WindowToBackBuffer(windowX, windowY, windowW, windowH, outW, outH);
}

void Display::SetTitle(const std::string& title) {
    SDL_SetWindowTitle(impl_->window.get(), title.c_str());
}

void Display::SaveScreenshot(const std::string& path) const {
    // 24-bit colour: what every viewer reads, and the exact colours of the 16-bit buffer widened.
    SurfacePtr rgb(SDL_ConvertSurfaceFormat(impl_->backBuffer.get(), SDL_PIXELFORMAT_RGB24, 0));
    if (!rgb) {
        throw std::runtime_error(std::string("the screenshot could not be converted: ") + SDL_GetError());
    }
    const bool png = EndsWithIgnoringCase(path, ".png");
    const int result = png ? IMG_SavePNG(rgb.get(), path.c_str()) : SDL_SaveBMP(rgb.get(), path.c_str());
    if (result != 0) {
        throw std::runtime_error("the screenshot could not be written to " + path + ": " + SDL_GetError());
    }
}

uint16_t Display::PixelAt(int32_t x, int32_t y) const {
    const SDL_Surface* bb = impl_->backBuffer.get();
    if (x < 0 || y < 0 || x >= bb->w || y >= bb->h) {
        return 0;
    }
    const auto* row = static_cast<const uint8_t*>(bb->pixels) + static_cast<ptrdiff_t>(y) * bb->pitch;
    uint16_t value = 0;
    SDL_memcpy(&value, row + static_cast<ptrdiff_t>(x) * 2, sizeof value);
    return value;
}
