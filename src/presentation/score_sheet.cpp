#include "presentation/score_sheet.h"

#include <algorithm>

#include "i18n/translation.h"
#include "i18n/utf8.h"
#include "presentation/draw_layout.h"

std::string NumberField(int16_t value) {
    const std::string digits = std::to_string(value);
    const size_t blanks = digits.size() < 4 ? 4 - digits.size() : 0;
    return std::string(blanks, ' ') + digits;
}

std::string SheetLineText(const GameState& state, int line) {
    if (line == 0) {
        // The player's column is four characters wide, like the numbers under it: the heading is
        // centred in it as far as its length allows.
        // TRANSLATORS: the player's own column on the score sheet; at most 4 letters, 2 fit best.
        std::string me(CharacterPrefix(Tr("Me"), 4));
        const size_t length = CharacterCount(me);
        me = (length < 4 ? " " : "") + me + (length < 3 ? std::string(3 - length, ' ') : "");
        return me + state.OpponentName[1] + " " + state.OpponentName[2] + " " + state.OpponentName[3];
    }
    std::string text;
    for (int seat = 0; seat < kSeats; ++seat) {
        text += NumberField(state.ScoreHistory[seat][line - 1]);
    }
    return text;
}

std::string TotalsText(const GameState& state) {
    std::string text;
    for (int seat = 0; seat < kSeats; ++seat) {
        text += NumberField(state.TotalScore[seat]);
    }
    return text;
}

namespace {

void DrawLine(Canvas& canvas, const Rect32& clipRect, BitmapFont& font, float x, float y,
              const std::string& text, DrawnTextLog* log) {
    font.XPos = x;
    font.YPos = y;
    font.DrawText(canvas, clipRect, text, true);
    if (log != nullptr) {
        log->Drawn(text);
    }
}

}  // namespace

void DrawScoreSheet(Canvas& canvas, const Rect32& clipRect, const GameState& state, GameFonts& fonts,
                    DrawnTextLog* log) {
    // The flow never fills more than ten lines; a larger count would run over the totals and past the
    // sheet's fonts, so it is held to the sheet's size.
    const int lastLine = std::clamp(static_cast<int>(state.ScoreRows), 0, kSheetLines);
    for (int line = 0; line <= lastLine; ++line) {
        DrawLine(canvas, clipRect, fonts.Text[line], kSheetTextX,
                 static_cast<float>(SheetTop + SheetLinePitch * line), SheetLineText(state, line), log);
    }

    DrawLine(canvas, clipRect, fonts.Text[9], kSheetTextX, TotalsY, TotalsText(state), log);

    // The result is kept in English in the match (and its save) and shown in the player's language.
    DrawLine(canvas, clipRect, fonts.Text[10], kSheetTextX, ResultY, Tr(state.ResultText.c_str()), log);
}
