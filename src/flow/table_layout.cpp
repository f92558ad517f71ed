#include "flow/table_layout.h"

namespace {

// The design space is 1024 x 768; the screen is 800 x 600.
constexpr float kScaleX = 800.0f / 1024.0f;
constexpr float kScaleY = 600.0f / 768.0f;

constexpr std::array<PointXY, kSeats> kTrickSlotDesign = {{{430, 310}, {520, 260}, {440, 210}, {370, 260}}};

// Hands: seat 0 the human's row at the bottom, then the right, top and left stacks.
constexpr std::array<PointXY, kSeats> kHandOrigin = {{{155, 420}, {680, 190}, {300, 2}, {20, 190}}};
constexpr std::array<PointXY, kSeats> kHandStep = {{{33, 0}, {0, 5}, {5, 0}, {0, 5}}};

// How far the deck stack lies from the hand of the seat that deals.
constexpr int16_t kDeckGap = 30;

bool IsDesignedResolution(const GameState& s) {
    return s.Options.Resolution == "800x600";
}

}  // namespace

PointXY HandSlotPlace(const GameState& s, int seat, int slot) {
    const TableLayout& l = s.Layout;
    return {static_cast<int16_t>(l.HandOrigin[seat].x + slot * l.HandStep[seat].x),
            static_cast<int16_t>(l.HandOrigin[seat].y + slot * l.HandStep[seat].y)};
}

void SetUpTableLayout(GameState& s) {
    TableLayout& l = s.Layout;
    if (IsDesignedResolution(s)) {
        l.PileFrames = s.Options.SlowAnimation ? 40 : 20;
        l.PlayFrames = static_cast<int16_t>(l.PileFrames / 2);
        // The design values (10, 26 x 20, 10, 16 x 10) scaled to the screen.
        l.ArriveTolX = 8;
        l.ArriveTolY = 8;
        l.TrickJitterX = 20;
        l.TrickJitterY = 16;
        l.PileJitterX = 8;
        l.PileJitterY = 8;
        l.LayoutJitterX = 12;
        l.LayoutJitterY = 8;
        l.HandOrigin = kHandOrigin;
        l.HandStep = kHandStep;
    }
    const int16_t width = l.CardWidth;
    l.DealOriginX[0] =
        static_cast<int16_t>(l.HandOrigin[0].x + kHandCards * l.HandStep[0].x - kDeckGap + width);
    l.DealOriginY[0] = l.HandOrigin[0].y;
    l.DealOriginX[1] = static_cast<int16_t>(l.HandOrigin[1].x - width - kDeckGap);
    l.DealOriginY[1] = l.HandOrigin[1].y;
    l.DealOriginX[2] = static_cast<int16_t>(l.HandOrigin[2].x - width - kDeckGap);
    l.DealOriginY[2] = l.HandOrigin[2].y;
    l.DealOriginX[3] =
        static_cast<int16_t>(l.HandOrigin[3].x + kHandCards * l.HandStep[3].y + width + kDeckGap);
    l.DealOriginY[3] = l.HandOrigin[3].y;

    l.PilePos[0] = {20, 400};
    l.PilePos[1] = {static_cast<int16_t>(l.DealOriginX[0] + 10), 400};
    l.PilePos[2] = {static_cast<int16_t>(l.DealOriginX[0] - 70), 5};
    l.PilePos[3] = {20, 20};
}

void ResetTrickPositions(GameState& s) {
    s.TrickSlots = kTrickSlotDesign;
    if (!IsDesignedResolution(s)) {
        return;
    }
    for (PointXY& p : s.TrickSlots) {
        p.x = RoundHalfEven(kScaleX * static_cast<float>(p.x));
        p.y = RoundHalfEven(kScaleY * static_cast<float>(p.y));
    }
}

void PlaceContractButtons(GameState& s) {
    const int16_t bottom = static_cast<int16_t>(s.Layout.HandOrigin[kHumanSeat].y - kContractButtonRise);
    int16_t stacked = 0;
    for (int k = 0; k < 5; ++k) {
        ContractButtonRecord& button = s.ContractButton[k];
        if (button.enabled == 0) {
            continue;
        }
        button.x = kContractButtonX;
        button.y = static_cast<int16_t>(bottom - kContractButtonPitch * stacked);
        ++stacked;
    }
}
