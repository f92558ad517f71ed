#include "presentation/play_aid_drawing.h"

#include "presentation/blt_surface.h"
#include "presentation/play_aid_pictures.h"

namespace {

constexpr int kContractChoices = 5;
// The hint's arrow stands this far above the hinted card's top, over its left corner.
constexpr int32_t kHintMarkerGap = 4;
constexpr int32_t kHintMarkerInset = 8;

// A filled rectangle cut from one of the colour blocks.
void FillRect(Canvas& canvas, const Rect32& clipRect, PictureId colour, TableSpot at, int32_t w, int32_t h) {
    if (w > 0 && h > 0) {
        BltSurface(canvas, clipRect, colour, Rect32{0, 0, w, h}, at, false);
    }
}

// The frame of thickness t inside the rectangle (at, w, h).
void DrawFrame(Canvas& canvas, const Rect32& clipRect, PictureId colour, TableSpot at, int32_t w, int32_t h,
               int32_t t) {
    FillRect(canvas, clipRect, colour, at, w, t);
    FillRect(canvas, clipRect, colour, at.Offset(0, h - t), w, t);
    FillRect(canvas, clipRect, colour, at.Offset(0, t), t, h - 2 * t);
    FillRect(canvas, clipRect, colour, at.Offset(w - t, t), t, h - 2 * t);
}

// A card face at a spot with a frame around it, just outside its edges.
void DrawOutlinedFace(Canvas& canvas, const Rect32& clipRect, int16_t card, TableSpot at, PictureId colour) {
    if (card < 0 || card >= kCards) {
        return;
    }
    const PictureId face = CardFacePicture(card);
    const Rect32 size = canvas.PictureRect(face);
    BltSurface(canvas, clipRect, face, Rect32{}, at, true);
    DrawFrame(canvas, clipRect, colour, at.Offset(-kCardOutline, -kCardOutline),
              size.right + 2 * kCardOutline, size.bottom + 2 * kCardOutline, kCardOutline);
}

void DrawLaidCards(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    const PlayAids& aids = state.Aids;
    for (int i = 0; i < aids.LastLaidCount && i < kLaidCardsShown; ++i) {
        const LaidCardMark& mark = aids.LastLaid[static_cast<size_t>(i)];
        if (mark.Suit < 0 || mark.Suit >= kLayoutColumns || mark.Cell < 0 || mark.Cell >= kLayoutRows) {
            continue;
        }
        const CardRecord& cell = state.LayoutGrid[mark.Suit][mark.Cell];
        if (!cell.InUse) {
            continue;
        }
        const bool newest = i == aids.LastLaidCount - 1;
        DrawOutlinedFace(canvas, clipRect, cell.Card, TableSpot{cell.X, cell.Y},
                         newest ? PictureId::HintColour : PictureId::FocusColour);
    }
}

void DrawLastTrick(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    const PlayAids& aids = state.Aids;
    // The winner's card goes last, so its gold frame is never covered.
    int winner = -1;
    for (int i = 0; i < aids.LastTrickCount && i < kShownTrickCards; ++i) {
        const ShownTrickCard& shown = aids.LastTrick[static_cast<size_t>(i)];
        if (shown.Seat == aids.LastTrickWinner) {
            winner = i;
            continue;
        }
        if (shown.Card >= 0 && shown.Card < kCards) {
            BltSurface(canvas, clipRect, CardFacePicture(shown.Card), Rect32{}, TableSpot{shown.X, shown.Y},
                       true);
        }
    }
    if (winner >= 0) {
        const ShownTrickCard& shown = aids.LastTrick[static_cast<size_t>(winner)];
        DrawOutlinedFace(canvas, clipRect, shown.Card, TableSpot{shown.X, shown.Y}, PictureId::HintColour);
    }
}

}  // namespace

bool HandSlotMarked(const GameState& state, int slot) {
    const PlayAids& aids = state.Aids;
    return slot >= 0 && ((aids.FocusVisible && aids.FocusSlot == slot) || aids.HintSlot == slot);
}

void DrawMarkedHandCard(Canvas& canvas, const Rect32& clipRect, const GameState& state, int slot) {
    const CardRecord& record = state.Hand[kHumanSeat][slot];
    if (!record.InUse) {
        return;
    }
    const PlayAids& aids = state.Aids;
    const bool focused = aids.FocusVisible && aids.FocusSlot == slot;
    const bool hinted = aids.HintSlot == slot;
    const TableSpot at = TableSpot{record.X, record.Y}.Offset(0, focused ? -kFocusRaise : 0);
    DrawOutlinedFace(canvas, clipRect, record.Card, at,
                     hinted ? PictureId::HintColour : PictureId::FocusColour);
    if (hinted) {
        BltSurface(canvas, clipRect, PictureId::HintMarker, Rect32{},
                   at.Offset(kHintMarkerInset, -kCardOutline - kHintMarkerGap - kHintMarkerHeight), true);
    }
}

void DrawContractButtonMarks(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    const PlayAids& aids = state.Aids;
    for (int i = 0; i < kContractChoices; ++i) {
        const ContractButtonRecord& button = state.ContractButton[i];
        const bool focused = aids.FocusVisible && aids.FocusButton == i;
        const bool hinted = aids.HintButton == i;
        if (button.enabled == 0 || (!focused && !hinted)) {
            continue;
        }
        DrawFrame(canvas, clipRect, hinted ? PictureId::HintColour : PictureId::FocusColour,
                  TableSpot{0, 0, button.x, button.y}, button.width, button.height, kButtonOutline);
    }
}

void DrawLastTrickView(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    if (!state.Aids.LastTrickShown) {
        return;
    }
    if (state.Contract == kLayoutContract) {
        DrawLaidCards(canvas, clipRect, state);
    } else {
        DrawLastTrick(canvas, clipRect, state);
    }
}

void DrawMuteIndicator(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    if (state.Aids.Muted) {
        BltSurface(canvas, clipRect, PictureId::MuteIndicator, Rect32{}, kMuteIndicatorX, kMuteIndicatorY,
                   true);
    }
}
