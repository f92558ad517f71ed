#include "presentation/notice_drawing.h"

#include "i18n/utf8.h"

void DrawNotice(Canvas& canvas, const Rect32& clipRect, GameFonts& fonts, std::string_view text,
                DrawnTextLog* log) {
    if (text.empty()) {
        return;
    }
    text = CharacterPrefix(text, kNoticeMaxChars);
    BitmapFont& font = fonts.Deluxe;
    const int32_t width =
        static_cast<int32_t>(CharacterCount(text) - 1) * (kFontCellWidth - 2) + kFontCellWidth;
    font.XPos = static_cast<float>((kScreenClipRect.right - width) / 2);
    font.YPos = kNoticeY;
    font.DrawText(canvas, clipRect, text, true);
    if (log != nullptr) {
        log->Drawn(text);
    }
}
