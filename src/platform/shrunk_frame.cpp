#include "platform/shrunk_frame.h"

bool ShrunkFrame::Prepare(SDL_Renderer* renderer, int32_t sourceWidth, int32_t sourceHeight,
                          int32_t viewWidth, int32_t viewHeight, bool rendererOnProcessor) {
    if (!AreaShrinkPays(sourceWidth, sourceHeight, viewWidth, viewHeight, rendererOnProcessor)) {
        Release();
        return false;
    }
    if (texture_ && shrink_ && shrink_->SourceWidth() == sourceWidth &&
        shrink_->SourceHeight() == sourceHeight && shrink_->TargetWidth() == viewWidth &&
        shrink_->TargetHeight() == viewHeight) {
        return true;
    }
    Release();
    texture_.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                     viewWidth, viewHeight));
    if (!texture_) {
        // The renderer's own filter still shows the frame.
        return false;
    }
    shrink_.emplace(sourceWidth, sourceHeight, viewWidth, viewHeight);
    pitch_ = viewWidth * 4;
    pixels_.assign(static_cast<size_t>(pitch_) * static_cast<size_t>(viewHeight), 0);
    return true;
}

void ShrunkFrame::Update(const uint8_t* frame, int32_t pitch, std::span<const PixelRect> changed) {
    if (!texture_ || !shrink_) {
        return;
    }
    if (stale_) {
        stale_ = !ShrinkPart(frame, pitch, {0, 0, shrink_->TargetWidth(), shrink_->TargetHeight()});
        return;
    }
    for (const PixelRect& part : changed) {
        // A part that could not be shown leaves the texture stale: the next update is a whole one.
        stale_ = !ShrinkPart(frame, pitch, shrink_->TargetRectFor(part)) || stale_;
    }
}

bool ShrunkFrame::ShrinkPart(const uint8_t* frame, int32_t pitch, const PixelRect& part) {
    if (part.Empty()) {
        return true;
    }
    shrink_->Shrink(frame, pitch, pixels_.data(), pitch_, part);
    shrunkPixels_ += int64_t{part.width} * part.height;
    const SDL_Rect rect{part.x, part.y, part.width, part.height};
    const uint8_t* first =
        pixels_.data() + static_cast<ptrdiff_t>(part.y) * pitch_ + static_cast<ptrdiff_t>(part.x) * 4;
    return SDL_UpdateTexture(texture_.get(), &rect, first, pitch_) == 0;
}

void ShrunkFrame::Release() {
    texture_.reset();
    shrink_.reset();
    pixels_.clear();
    pitch_ = 0;
    stale_ = true;
}
