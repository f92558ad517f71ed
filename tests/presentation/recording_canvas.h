#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "presentation/canvas.h"
#include "presentation/draw_list.h"

// One copy into the back buffer, as the canvas received it: the record the game's own draw list keeps.
using CopyCall = DrawCall;

void PrintTo(const Rect32& rect, std::ostream* os);
void PrintTo(const CopyCall& call, std::ostream* os);

// Remembers every copy in order. Pictures have the game's sizes unless a test sets others.
class RecordingCanvas final : public Canvas {
public:
    RecordingCanvas();

    void SetPictureSize(PictureId picture, int32_t width, int32_t height);

    Rect32 PictureRect(PictureId picture) const override;
    void CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) override;

    std::vector<CopyCall> calls;

private:
    std::map<PictureId, Rect32> sizes_;
};

// The text a font drew at one y, read back from the glyph cells it copied (19 x 27 cells in rows of
// 20, code 32 first). Glyphs are put in x order; a glyph cut at the left edge is not read.
std::string TextDrawnAt(const std::vector<CopyCall>& calls, PictureId font, int32_t y);

// Whether a copy draws a card: a face or the back.
bool IsCardPicture(PictureId picture);
