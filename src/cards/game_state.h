#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards/card_record.h"
#include "cards/game_options.h"
#include "cards/phase.h"
#include "cards/play_aids.h"

// Sizes of the card arrays and tables of the game state.
inline constexpr int kSeats = 4;
inline constexpr int kCards = 52;
inline constexpr int kCardIdSlots = 55;  // arrays by card id run 0..54; 52..54 stay unused
inline constexpr int kHandSlots = 16;
inline constexpr int kHandCards = 13;                 // cards dealt to each seat, in slots 0..12
inline constexpr int kLastHandSlot = kHandCards - 1;  // the highest slot a dealt card lies in
inline constexpr int kDeckSlots = 53;
inline constexpr int kTableSlots = 36;
inline constexpr int kWonPileSlots = 53;
inline constexpr int kLayoutColumns = 5;
inline constexpr int kLayoutRows = 15;
inline constexpr int kTakenSlots = 56;
inline constexpr int kSeatInfoRows = 5;
inline constexpr int kSeatInfoCells = 23;
inline constexpr int kContractButtons = 17;
inline constexpr int kScoreHistoryRows = 41;
inline constexpr int kOpponentNameCount = 30;
inline constexpr int kPlayLogSlots = 256;  // a layout contract's passes come on top of its 52 cards

// Seats: 0 is the human at the bottom, then right, top and left in turn order.
inline constexpr int16_t kHumanSeat = 0;

// A seat number counted round the table, brought back to 0..3: `WrapSeat(seat + 1)` is the next seat in
// turn order, `WrapSeat(seat - 1)` the one before, whatever the sign.
constexpr int16_t WrapSeat(int seat) {
    return static_cast<int16_t>((seat % kSeats + kSeats) % kSeats);
}

// Contracts.
inline constexpr int16_t kTricks = 1;
inline constexpr int16_t kDiamonds = 2;
inline constexpr int16_t kQueens = 3;
inline constexpr int16_t kKing = 4;
inline constexpr int16_t kLayoutContract = 5;

// Game suit codes (not the picture order of the card ids).
inline constexpr int32_t kClubs = 0;
inline constexpr int32_t kHearts = 1;
inline constexpr int32_t kSpades = 2;
inline constexpr int32_t kDiamondsSuit = 3;
inline constexpr int32_t kNoSuit = 4;

// Card ids that the rules single out.
inline constexpr int16_t kSevenOfHearts = 26;
inline constexpr int16_t kKingOfHearts = 50;

// 16-bit true as the game stores it in the seat rows.
inline constexpr int16_t kTrueCell = -1;

// Cells of a SeatInfo row.
inline constexpr int kContractChosenCell = 13;  // + contract 1..5: the seat has chosen that contract
inline constexpr int kKingdomDealsCell = 20;
inline constexpr int kFinishCodeCell = 21;
inline constexpr int kKingLeadSignalCell = 22;

struct ContractButtonRecord {
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    int16_t enabled = 0;

    bool operator==(const ContractButtonRecord&) const = default;
};

// One turn of the current deal: the seat and the card it played, or kPassNote when it passed.
struct PlayNote {
    int8_t seat = 0;
    int8_t card = 0;

    bool operator==(const PlayNote&) const = default;
};
inline constexpr int8_t kPassNote = -1;

struct PointXY {
    int16_t x = 0;
    int16_t y = 0;

    bool operator==(const PointXY&) const = default;
};

// Screen positions and animation constants, computed once per run by SetUpTableLayout.
struct TableLayout {
    int16_t PlayFrames = 0;  // frames of a single card's move
    int16_t PileFrames = 0;  // frames of a group move
    int16_t ArriveTolX = 0;
    int16_t ArriveTolY = 0;
    int16_t TrickJitterX = 0;
    int16_t TrickJitterY = 0;
    int16_t PileJitterX = 0;
    int16_t PileJitterY = 0;
    int16_t LayoutJitterX = 0;
    int16_t LayoutJitterY = 0;
    std::array<PointXY, kSeats> HandOrigin{};
    std::array<PointXY, kSeats> HandStep{};
    std::array<PointXY, kSeats> PilePos{};
    std::array<int16_t, kSeats> DealOriginX{};
    std::array<int16_t, kSeats> DealOriginY{};
    int16_t DeckOffsetX = 8;
    int16_t DeckStepX = 1;
    int16_t CardWidth = 99;
    int16_t CardHeight = 153;

    bool operator==(const TableLayout&) const = default;
};

// The one block of game state. Every game operation reads and writes it directly; a test creates a
// fresh one, fills what the case needs and calls the operation.
struct GameState {
    GameOptions Options;
    TableLayout Layout;

    // Card tables, filled by InitCardTables / BuildCardTables.
    std::array<std::string, kCardIdSlots> CardImageName{};
    std::array<std::string, 5> ContractImageName{};   // announcement pictures
    std::array<std::string, 5> ContractImageName2{};  // button pictures (the same names)
    std::string PassImageName;
    std::array<int16_t, kCardIdSlots> CardRank{};
    std::array<int32_t, kCardIdSlots> CardSuit{};
    std::array<int16_t, 14> RankOrder{};  // by rank 1..13
    std::array<int16_t, kSeats> SeatConstant{};
    std::array<int16_t, kSeats> SeatTeam{};
    std::array<std::string, kSeats> OpponentName{};  // seats 1..3
    std::array<int16_t, 6> ContractPenaltyTotal{};   // by contract 1..4
    int32_t TrumpSuit = 0;

    // Card records.
    std::array<std::array<CardRecord, kHandSlots>, kSeats> Hand{};
    std::array<CardRecord, kDeckSlots> Deck{};
    std::array<CardRecord, kTableSlots> TableCards{};
    std::array<std::array<CardRecord, kWonPileSlots>, kSeats> WonPile{};
    std::array<int16_t, kSeats> WonCount{};
    std::array<std::array<CardRecord, kLayoutRows>, kLayoutColumns> LayoutGrid{};

    // Plain id lists.
    std::array<std::array<int16_t, kTakenSlots>, kSeats> TakenCards{};
    std::array<int16_t, kSeats> TakenCount{};
    std::array<std::array<int16_t, kHandSlots>, kSeats> HeldCards{};
    std::array<int16_t, kSeats> HeldCount{};
    std::array<int16_t, kTableSlots> TableCardIds{};
    int16_t TableCardIdCount = 0;
    // Every turn of the current deal in order, as everyone at the table saw it.
    std::array<PlayNote, kPlayLogSlots> PlayLog{};
    int16_t PlayLogCount = 0;

    std::array<std::array<int16_t, kSeatInfoCells>, kSeatInfoRows> SeatInfo{};
    std::array<ContractButtonRecord, kContractButtons> ContractButton{};

    // Game-state variables.
    ::Phase Phase = ::Phase::None;
    int16_t Contract = 0;
    int16_t HandSize = 0;
    int16_t CurrentSeat = 0;
    int16_t FirstSeat = 0;
    int16_t KingdomSeat = 0;
    bool FirstDealDone = false;
    int16_t ContractsPlayed = 0;
    bool MatchOver = false;
    int16_t TableCount = 0;
    int16_t TrickCards = 0;
    int16_t CardsPlayed = 0;
    int16_t TrickWinner = 0;
    int16_t TrickWinSlot = 0;
    int16_t PlaySlot = 0;
    int16_t DeckNext = 0;
    int16_t CardsDealt = 0;
    std::array<int16_t, kSeats> DealOrder{};
    int16_t DealTurn = 0;
    int16_t PacketDealt = 0;
    int16_t DealPacketSize = 0;
    std::array<int16_t, 5> SuitHigh{};
    std::array<int16_t, 5> SuitLow{};
    int16_t NextFinishCode = 0;
    std::array<int16_t, kSeats> DealScore{};
    std::array<int16_t, kSeats> TotalScore{};
    std::array<std::array<int16_t, kScoreHistoryRows>, kSeats> ScoreHistory{};
    int16_t ScoreRows = 0;
    bool SheetFull = false;
    std::string ResultText;
    bool AwaitingHuman = false;
    bool HumanMoved = false;
    bool HumanClickTaken = false;
    bool StepDone = false;
    bool ShowContractPicture = false;
    bool ShowPassPicture = false;
    bool ContractMenuOn = false;
    bool DelayOver = false;
    ::Phase DelayedPhase = ::Phase::None;
    uint32_t DelayStart = 0;
    uint32_t DelayLength = 0;
    ::Phase SavedPhase = ::Phase::None;

    // Deck stack and pass-picture places of the current deal.
    int16_t DeckX = 0;
    int16_t DeckY = 0;
    std::array<int16_t, kSeats> PassPicX{};
    std::array<int16_t, kSeats> PassPicY{};
    std::array<PointXY, kSeats> TrickSlots{};

    // Frame state of the shell that the game operations also touch.
    int16_t CardUnderMouse = -1;  // human hand slot clicked this frame, -1 for none
    bool Paused = false;
    bool PKeyLatch = false;

    // The player's aids (focus, hint, last trick, sound switch): never read by the rules.
    PlayAids Aids;
    // Counts the moments worth keeping a match at: a trick swept to its pile, a card laid in the layout
    // contract, a contract scored. The program saves the match whenever the count changes; the game
    // itself writes nothing anywhere.
    uint32_t SavePoints = 0;
    // Whole states compare field by field (tests use it to see that a frame changed nothing).
    bool operator==(const GameState&) const = default;
};
