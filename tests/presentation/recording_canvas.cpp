#include "recording_canvas.h"

#include <algorithm>

#include "presentation/bitmap_font.h"

void PrintTo(const Rect32& rect, std::ostream* os) {
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

void PrintTo(const CopyCall& call, std::ostream* os) {
    *os << "{picture " << static_cast<int>(call.picture) << ", source ";
    PrintTo(call.source, os);
    *os << " at (" << call.x << ", " << call.y << ")" << (call.keyed ? " keyed" : "") << "}";
}

RecordingCanvas::RecordingCanvas() {
    SetPictureSize(PictureId::Background, 800, 600);
    SetPictureSize(PictureId::CardBack, 99, 153);
    SetPictureSize(PictureId::PassPicture, 128, 52);
    SetPictureSize(PictureId::ScorePage, 488, 592);
    SetPictureSize(PictureId::LineHorz1, 354, 6);
    SetPictureSize(PictureId::LineHorz2, 354, 6);
    SetPictureSize(PictureId::FramePicture, 99, 153);
    SetPictureSize(PictureId::Cursor, 32, 32);
    // Codes 32..255 in rows of 20 cells: 12 rows.
    for (PictureId font : {PictureId::FontHandwriting, PictureId::FontDigit, PictureId::FontDeluxe}) {
        SetPictureSize(font, 20 * 19, 12 * 27);
    }
    for (int card = 0; card < 52; ++card) {
        SetPictureSize(CardFacePicture(card), 99, 153);
    }
    for (int contract = 1; contract <= 5; ++contract) {
        SetPictureSize(AnnouncementPicture(contract), 256, 52);
        SetPictureSize(ButtonPicture(contract), 256, 52);
    }
}

void RecordingCanvas::SetPictureSize(PictureId picture, int32_t width, int32_t height) {
    sizes_[picture] = Rect32{0, 0, width, height};
}

Rect32 RecordingCanvas::PictureRect(PictureId picture) const {
    const auto found = sizes_.find(picture);
    return found == sizes_.end() ? Rect32{} : found->second;
}

void RecordingCanvas::CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) {
    calls.push_back(CopyCall{picture, source, x, y, keyed});
}

std::string TextDrawnAt(const std::vector<CopyCall>& calls, PictureId font, int32_t y) {
    std::vector<std::pair<int32_t, char>> glyphs;
    for (const CopyCall& call : calls) {
        if (call.picture != font || call.y != y || call.source.left % kFontCellWidth != 0) {
            continue;
        }
        const int column = call.source.left / kFontCellWidth;
        const int row = call.source.top / kFontCellHeight;
        glyphs.emplace_back(call.x, static_cast<char>(32 + row * kFontColumns + column));
    }
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    for (const auto& glyph : glyphs) {
        text += glyph.second;
    }
    return text;
}

bool IsCardPicture(PictureId picture) {
    const int id = static_cast<int>(picture);
    const int first = static_cast<int>(PictureId::FirstCardFace);
    return picture == PictureId::CardBack || (id >= first && id < first + 52);
}
