#include "presentation/table_drawing.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "flow/table_layout.h"
#include "i18n/translation.h"
#include "i18n/utf8.h"
#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/play_aid_drawing.h"
#include "presentation/score_sheet.h"

namespace {

// Won piles show only their most recent cards: the heap looks the same and costs eleven copies.
constexpr int kVisibleWonCards = 11;

// The deck stack shows the next card and up to seven under it, plus the card in flight.
constexpr int kDeckDepthShown = 6;
constexpr int kLastDeckSlot = kCards - 1;
constexpr int kLastDeckSlotBeforeEnd = kLastDeckSlot - kDeckDepthShown;

// Columns of the layout grid used by the four suits, and the cells of the ranks ace..king.
constexpr int kLayoutSuits = 4;
constexpr int kFirstLayoutCell = 1;
constexpr int kLastLayoutCell = 13;

// Hands are drawn top, right, left, then the human's last so no other hand covers it.
constexpr std::array<int, kSeats> kHandDrawOrder{2, 1, 3, 0};

constexpr int kContracts = 5;
constexpr int kDealsPerKingdom = 5;
constexpr int kContractsPerMatch = 20;

// Text glyphs advance by the cell width less two.
constexpr int kGlyphAdvance = kFontCellWidth - 2;
// The banner stops before the clock so the two never overlap.
constexpr size_t kBannerMaxChars =
    static_cast<size_t>((ClockX - BannerX - kFontCellWidth) / kGlyphAdvance + 1);

void DrawPicture(Canvas& canvas, const Rect32& clipRect, PictureId picture, int32_t x, int32_t y,
                 bool keyed = true) {
    BltSurface(canvas, clipRect, picture, Rect32{}, x, y, keyed);
}

void DrawPicture(Canvas& canvas, const Rect32& clipRect, PictureId picture, TableSpot at) {
    BltSurface(canvas, clipRect, picture, Rect32{}, at, true);
}

void DrawCardAs(Canvas& canvas, const Rect32& clipRect, const CardRecord& record, bool faceUp) {
    if (!record.InUse) {
        return;
    }
    const bool knownCard = record.Card >= 0 && record.Card < kCards;
    const PictureId picture = faceUp && knownCard ? CardFacePicture(record.Card) : PictureId::CardBack;
    DrawPicture(canvas, clipRect, picture, TableSpot{record.X, record.Y});
}

void DrawCard(Canvas& canvas, const Rect32& clipRect, const CardRecord& record) {
    DrawCardAs(canvas, clipRect, record, record.FaceUp);
}

void DrawWonPiles(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    for (int seat = 0; seat < kSeats; ++seat) {
        const int count = std::clamp(static_cast<int>(state.WonCount[seat]), 0, kWonPileSlots);
        for (int i = std::max(0, count - kVisibleWonCards); i < count; ++i) {
            DrawCardAs(canvas, clipRect, state.WonPile[seat][i], false);
        }
    }
}

void DrawTableCards(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    if (state.Contract == kLayoutContract) {
        for (int suit = 0; suit < kLayoutSuits; ++suit) {
            for (int cell = kFirstLayoutCell; cell <= kLastLayoutCell; ++cell) {
                DrawCardAs(canvas, clipRect, state.LayoutGrid[suit][cell], true);
            }
        }
        return;
    }
    const int count = std::clamp(static_cast<int>(state.TableCount), 0, kTableSlots);
    for (int slot = 0; slot < count; ++slot) {
        DrawCard(canvas, clipRect, state.TableCards[slot]);
    }
}

void DrawHands(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    for (int seat : kHandDrawOrder) {
        for (int slot = 0; slot < kHandCards; ++slot) {
            if (seat == kHumanSeat && HandSlotMarked(state, slot)) {
                DrawMarkedHandCard(canvas, clipRect, state, slot);
            } else {
                DrawCard(canvas, clipRect, state.Hand[seat][slot]);
            }
        }
    }
}

void DrawContractButtons(Canvas& canvas, const Rect32& clipRect, GameState& state) {
    PlaceContractButtons(state);
    for (int i = 0; i < kContracts; ++i) {
        const ContractButtonRecord& button = state.ContractButton[i];
        if (button.enabled != 0) {
            DrawPicture(canvas, clipRect, ButtonPicture(i + 1), button.x, button.y);
        }
    }
}

// From the deepest visible stack card up to the card in flight, which lies over every hand.
void DrawDeck(Canvas& canvas, const Rect32& clipRect, const GameState& state) {
    const int next = std::clamp(static_cast<int>(state.DeckNext), 0, kCards);
    const int low = next == 0 ? 0 : next - 1;
    int top = kLastDeckSlot;
    if (next == 0) {
        top = kDeckDepthShown + 1;
    } else if (next <= kLastDeckSlotBeforeEnd) {
        top = next + kDeckDepthShown;
    }
    for (int i = top; i >= low; --i) {
        DrawCard(canvas, clipRect, state.Deck[i]);
    }
}

void DrawEndOfContract(Canvas& canvas, const Rect32& clipRect, const GameState& state, GameFonts& fonts,
                       DrawnTextLog* log) {
    DrawPicture(canvas, clipRect, PictureId::Background, 0, 0, false);
    DrawPicture(canvas, clipRect, PictureId::ScorePage, ScorePageX, ScorePageY);
    DrawPicture(canvas, clipRect, PictureId::LineHorz1, kRuleX, kUpperRuleY);
    DrawPicture(canvas, clipRect, PictureId::LineHorz2, kRuleX, kLowerRuleY);
    DrawScoreSheet(canvas, clipRect, state, fonts, log);
}

std::string TrimmedName(std::string name) {
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

// A seat's name as the score sheet and the banner show it; an unnamed seat by its number.
std::string ShownName(const GameState& state, int seat) {
    std::string name = TrimmedName(state.OpponentName[seat]);
    if (name.empty()) {
        // TRANSLATORS: a seat without a name (none has one in a normal game), in the banner's "{name}'s
        // kingdom".
        name = FillText(Tr("Seat {number}"), {{"number", std::to_string(seat)}});
    }
    return name;
}

}  // namespace

std::string LastTrickBannerText(const GameState& state) {
    const PlayAids& aids = state.Aids;
    if (state.Contract == kLayoutContract) {
        return aids.LastLaidCount > 0 ? Tr("Last cards laid, newest in gold") : Tr("No card laid yet");
    }
    if (aids.LastTrickCount == 0) {
        return Tr("No trick taken yet");
    }
    const int winner = std::clamp(static_cast<int>(aids.LastTrickWinner), 0, kSeats - 1);
    if (winner == kHumanSeat) {
        return Tr("Last trick, won by me");
    }
    std::string name = TrimmedName(state.OpponentName[winner]);
    if (name.empty()) {
        // TRANSLATORS: a seat without a name (none has one in a normal game), in "Last trick, won by {name}".
        name = FillText(Tr("seat {number}"), {{"number", std::to_string(winner)}});
    }
    return FillText(Tr("Last trick, won by {name}"), {{"name", name}});
}

namespace {

// The sorting and timed-pause phases stand in for the phase they return to.
Phase UnderlyingPhase(const GameState& state) {
    switch (state.Phase) {
        case Phase::GatherAroundFirstCard:
        case Phase::SpreadAheadFirstCard:
            return state.SavedPhase;
        case Phase::Paused:
            return state.DelayedPhase;
        default:
            return state.Phase;
    }
}

}  // namespace

WallClock LocalWallClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return WallClock{local.tm_hour, local.tm_min};
}

std::string FormatClock(WallClock time) {
    const int hour = ((time.hour % 24) + 24) % 24;
    const int minute = ((time.minute % 60) + 60) % 60;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d %s", hour12, minute, hour < 12 ? "AM" : "PM");
    return text.data();
}

std::string ContractName(int contract) {
    static constexpr std::array<const char*, kContracts> kNames{
        // TRANSLATORS: the names of the five contracts, as the banner and the score sheet show them.
        NIn("contract", "Tricks"), NIn("contract", "Diamonds"), NIn("contract", "Queens"),
        NIn("contract", "King"), NIn("contract", "Zarn")};
    if (contract < 1 || contract > kContracts) {
        return "";
    }
    return TrIn("contract", kNames[contract - 1]);
}

size_t BannerCharacterRoom() {
    return kBannerMaxChars;
}

std::string FullBannerText(const GameState& state) {
    const Phase phase = UnderlyingPhase(state);
    if (state.Phase == Phase::None) {
        return "";
    }
    // The kingdom belongs to the seat before its first seat; the deal counter of the deal's first
    // seat says how many deals of the kingdom came before this one.
    const int owner = WrapSeat(std::clamp(static_cast<int>(state.KingdomSeat), 0, kSeats - 1) - 1);
    const int firstSeat = std::clamp(static_cast<int>(state.FirstSeat), 0, kSeats - 1);
    const int dealOfKingdom =
        std::clamp(state.SeatInfo[firstSeat][kKingdomDealsCell] + 1, 1, kDealsPerKingdom);
    const std::string deal = std::to_string(dealOfKingdom);
    const std::string deals = std::to_string(kDealsPerKingdom);
    // TRANSLATORS: the banner's first part; {deal}/{deals} counts the deals of this kingdom ("2/5").
    const char* mine = Tr("My kingdom {deal}/{deals}");
    // TRANSLATORS: the banner's first part when another seat owns the kingdom; names have 4 letters.
    const char* theirs = Tr("{name}'s kingdom {deal}/{deals}");
    std::string text =
        owner == kHumanSeat
            ? FillText(mine, {{"deal", deal}, {"deals", deals}})
            : FillText(theirs, {{"name", ShownName(state, owner)}, {"deal", deal}, {"deals", deals}});
    text += "  ";
    const std::string total = std::to_string(kContractsPerMatch);

    const std::string contract = ContractName(state.Contract);
    switch (phase) {
        case Phase::None:
        case Phase::DealingCards:
            text += Tr("Dealing");
            break;
        case Phase::SelectTrumps:
            text += state.ContractMenuOn ? Tr("Choose a contract") : Tr("Choosing a contract");
            break;
        case Phase::EndOfMatch:
            text += state.MatchOver
                        ? Tr("Match over")
                        // TRANSLATORS: {played}/{total} counts the contracts of the match ("3/20").
                        : FillText(Tr("{contract} done {played}/{total}"),
                                   {{"contract", contract},
                                    {"played", std::to_string(state.ContractsPlayed)},
                                    {"total", total}});
            break;
        default:
            // TRANSLATORS: the contract being played and its number in the match ("Queens 4/20").
            text += FillText(Tr("{contract} {number}/{total}"),
                             {{"contract", contract},
                              {"number", std::to_string(state.ContractsPlayed + 1)},
                              {"total", total}});
            break;
    }
    return text;
}

std::string BannerText(const GameState& state) {
    return std::string(CharacterPrefix(FullBannerText(state), kBannerMaxChars));
}

void DrawTable(Canvas& canvas, const Rect32& clipRect, GameState& state, GameFonts& fonts, WallClock now,
               DrawnTextLog* log) {
    DrawWonPiles(canvas, clipRect, state);
    DrawTableCards(canvas, clipRect, state);
    DrawHands(canvas, clipRect, state);
    if (state.ShowContractPicture && state.Contract >= 1 && state.Contract <= kContracts) {
        DrawPicture(canvas, clipRect, AnnouncementPicture(state.Contract), ContractPicX, ContractPicY);
    }
    if (state.ContractMenuOn) {
        DrawContractButtons(canvas, clipRect, state);
        DrawContractButtonMarks(canvas, clipRect, state);
    }
    if (state.ShowPassPicture && state.CurrentSeat >= 0 && state.CurrentSeat < kSeats) {
        DrawPicture(canvas, clipRect, PictureId::PassPicture, state.PassPicX[state.CurrentSeat],
                    state.PassPicY[state.CurrentSeat]);
    }
    DrawDeck(canvas, clipRect, state);
    if (state.Phase == Phase::EndOfMatch) {
        DrawEndOfContract(canvas, clipRect, state, fonts, log);
    }
    DrawLastTrickView(canvas, clipRect, state);

    fonts.Digit.XPos = ClockX;
    fonts.Digit.YPos = ClockY;
    fonts.Digit.DrawText(canvas, clipRect, FormatClock(now), true);

    fonts.Deluxe.XPos = BannerX;
    fonts.Deluxe.YPos = BannerY;
    const std::string banner = state.Aids.LastTrickShown ? LastTrickBannerText(state) : BannerText(state);
    fonts.Deluxe.DrawText(canvas, clipRect, banner, true);
    if (log != nullptr) {
        log->Drawn(banner);
    }
    DrawMuteIndicator(canvas, clipRect, state);
}
