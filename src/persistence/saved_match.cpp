#include "persistence/saved_match.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "cards/card_tables.h"
#include "flow/table_layout.h"
#include "i18n/translation.h"
#include "persistence/byte_codec.h"

namespace {

// Screen positions are kept in a generous box around the 800 x 600 table; anything beyond it is damage.
constexpr float kFarAway = 5000.0F;
constexpr int16_t kFarAwayInt = 5000;
constexpr size_t kMaxNameLength = 64;
constexpr size_t kMaxRandomStateLength = 16384;
constexpr uint32_t kLongestPause = 60000;
constexpr size_t kHeaderSize = 16;

// Writes each visited field.
class FieldWriter {
public:
    explicit FieldWriter(ByteWriter& out) : out_(out) {}
    void Int(int16_t& v, int, int) { out_.I16(v); }
    void Int32(int32_t& v, int32_t, int32_t) { out_.I32(v); }
    void U32(uint32_t& v, uint32_t) { out_.U32(v); }
    void Flag(bool& v) { out_.Bool(v); }
    void Position(float& v) { out_.Float(v); }
    void Name(std::string& v) { out_.Text(v); }
    void PhaseValue(Phase& v) { out_.U8(static_cast<uint8_t>(v)); }

private:
    ByteWriter& out_;
};

// Reads each visited field and refuses a value outside its range.
class FieldReader {
public:
    explicit FieldReader(ByteReader& in) : in_(in) {}
    void Int(int16_t& v, int lo, int hi) {
        v = in_.I16();
        if (v < lo || v > hi) {
            throw FileFormatError("a value " + std::to_string(v) + " is outside " + std::to_string(lo) +
                                  ".." + std::to_string(hi));
        }
    }
    void Int32(int32_t& v, int32_t lo, int32_t hi) {
        v = in_.I32();
        if (v < lo || v > hi) {
            throw FileFormatError("a count " + std::to_string(v) + " is out of range");
        }
    }
    void U32(uint32_t& v, uint32_t hi) {
        v = in_.U32();
        if (v > hi) {
            throw FileFormatError("a value " + std::to_string(v) + " is out of range");
        }
    }
    void Flag(bool& v) { v = in_.Bool(); }
    void Position(float& v) {
        v = in_.Float();
        if (v < -kFarAway || v > kFarAway) {
            throw FileFormatError("a card lies far off the table");
        }
    }
    void Name(std::string& v) { v = in_.Text(kMaxNameLength); }
    void PhaseValue(Phase& v) {
        const uint8_t raw = in_.U8();
        if (raw > static_cast<uint8_t>(Phase::SpreadAheadFirstCard)) {
            throw FileFormatError("unknown phase " + std::to_string(raw));
        }
        v = static_cast<Phase>(raw);
    }

private:
    ByteReader& in_;
};

template <class Io>
void VisitCard(Io& io, CardRecord& c) {
    io.Position(c.X);
    io.Position(c.Y);
    io.Int(c.Card, 0, kCards - 1);
    io.Flag(c.InUse);
    io.Flag(c.FaceUp);
    io.Flag(c.Moving);
    io.Position(c.TargetX);
    io.Position(c.TargetY);
    io.Position(c.SpeedX);
    io.Position(c.SpeedY);
    io.Int(c.StepX, -1, 1);
    io.Int(c.StepY, -1, 1);
    io.Int(c.HomeX, -kFarAwayInt, kFarAwayInt);
    io.Int(c.HomeY, -kFarAwayInt, kFarAwayInt);
    io.Int(c.Width, 0, kFarAwayInt);
    io.Int(c.Height, 0, kFarAwayInt);
    io.Flag(c.Gather);
}

template <class Io, size_t N>
void VisitCards(Io& io, std::array<CardRecord, N>& cards) {
    for (CardRecord& c : cards) {
        VisitCard(io, c);
    }
}

template <class Io, size_t N>
void VisitInts(Io& io, std::array<int16_t, N>& values, int lo, int hi) {
    for (int16_t& v : values) {
        io.Int(v, lo, hi);
    }
}

template <class Io, size_t N>
void VisitPoints(Io& io, std::array<PointXY, N>& points) {
    for (PointXY& p : points) {
        io.Int(p.x, -kFarAwayInt, kFarAwayInt);
        io.Int(p.y, -kFarAwayInt, kFarAwayInt);
    }
}

constexpr int kSeatMax = kSeats - 1;
constexpr int kCardMax = kCards - 1;
constexpr int16_t kIntMin = INT16_MIN;
constexpr int16_t kIntMax = INT16_MAX;

// Every field of the state that belongs to the match, in file order. The card tables and the table
// layout are the run's own and are not visited.
template <class Io>
void VisitMatch(Io& io, GameState& s) {
    for (int seat = 1; seat < kSeats; ++seat) {
        io.Name(s.OpponentName[seat]);
    }
    VisitInts(io, s.ContractPenaltyTotal, 0, 1000);
    int16_t trump = static_cast<int16_t>(s.TrumpSuit);
    io.Int(trump, kClubs, kNoSuit);
    s.TrumpSuit = trump;

    for (auto& hand : s.Hand) {
        VisitCards(io, hand);
    }
    VisitCards(io, s.Deck);
    VisitCards(io, s.TableCards);
    for (auto& pile : s.WonPile) {
        VisitCards(io, pile);
    }
    VisitInts(io, s.WonCount, 0, kWonPileSlots);
    for (auto& column : s.LayoutGrid) {
        VisitCards(io, column);
    }

    for (auto& taken : s.TakenCards) {
        VisitInts(io, taken, 0, kCardMax);
    }
    VisitInts(io, s.TakenCount, 0, kTakenSlots);
    for (auto& held : s.HeldCards) {
        VisitInts(io, held, 0, kCardMax);
    }
    VisitInts(io, s.HeldCount, 0, 13);
    VisitInts(io, s.TableCardIds, 0, kCardMax);
    io.Int(s.TableCardIdCount, 0, kTableSlots);

    for (auto& row : s.SeatInfo) {
        VisitInts(io, row, kIntMin, kIntMax);
    }
    for (ContractButtonRecord& b : s.ContractButton) {
        io.Int(b.x, -kFarAwayInt, kFarAwayInt);
        io.Int(b.y, -kFarAwayInt, kFarAwayInt);
        io.Int(b.width, 0, kFarAwayInt);
        io.Int(b.height, 0, kFarAwayInt);
        io.Int(b.enabled, kIntMin, kIntMax);
    }

    io.PhaseValue(s.Phase);
    io.Int(s.Contract, 0, kLayoutContract);
    io.Int(s.HandSize, 0, 13);
    io.Int(s.CurrentSeat, 0, kSeatMax);
    io.Int(s.FirstSeat, 0, kSeatMax);
    io.Int(s.KingdomSeat, 0, kSeatMax);
    io.Flag(s.FirstDealDone);
    io.Int(s.ContractsPlayed, 0, 20);
    io.Flag(s.MatchOver);
    io.Int(s.TableCount, 0, kTableSlots);
    io.Int(s.TrickCards, 0, kCards);  // the layout contract counts every laid card
    io.Int(s.CardsPlayed, 0, kCards);
    io.Int(s.TrickWinner, 0, kSeatMax);
    io.Int(s.TrickWinSlot, 0, kTableSlots - 1);
    io.Int(s.PlaySlot, -1, kHandSlots - 1);
    io.Int(s.DeckNext, 0, kCards);
    io.Int(s.CardsDealt, 0, kCards);
    VisitInts(io, s.DealOrder, 0, kSeatMax);
    io.Int(s.DealTurn, 0, kSeatMax);
    io.Int(s.PacketDealt, 0, 13);
    io.Int(s.DealPacketSize, 1, 13);
    VisitInts(io, s.SuitHigh, -1, 14);
    VisitInts(io, s.SuitLow, -1, 14);
    io.Int(s.NextFinishCode, -1, 3);
    VisitInts(io, s.DealScore, kIntMin, kIntMax);
    VisitInts(io, s.TotalScore, kIntMin, kIntMax);
    for (auto& history : s.ScoreHistory) {
        VisitInts(io, history, kIntMin, kIntMax);
    }
    io.Int(s.ScoreRows, 0, kScoreHistoryRows - 1);
    io.Flag(s.SheetFull);
    io.Name(s.ResultText);
    io.Flag(s.AwaitingHuman);
    io.Flag(s.HumanMoved);
    io.Flag(s.HumanClickTaken);
    io.Flag(s.StepDone);
    io.Flag(s.ShowContractPicture);
    io.Flag(s.ShowPassPicture);
    io.Flag(s.ContractMenuOn);
    io.Flag(s.DelayOver);
    io.PhaseValue(s.DelayedPhase);
    io.U32(s.DelayLength, kLongestPause);
    io.PhaseValue(s.SavedPhase);
    io.Int(s.DeckX, -kFarAwayInt, kFarAwayInt);
    io.Int(s.DeckY, -kFarAwayInt, kFarAwayInt);
    VisitInts(io, s.PassPicX, -kFarAwayInt, kFarAwayInt);
    VisitInts(io, s.PassPicY, -kFarAwayInt, kFarAwayInt);
    VisitPoints(io, s.TrickSlots);
    io.U32(s.SavePoints, UINT32_MAX);
    // What each seat played this deal, in order: the expert players read the hidden hands from it.
    io.Int(s.PlayLogCount, 0, kPlayLogSlots);
    for (int i = 0; i < s.PlayLogCount; ++i) {
        int16_t seat = s.PlayLog[i].seat;
        int16_t card = s.PlayLog[i].card;
        io.Int(seat, 0, kSeatMax);
        io.Int(card, kPassNote, kCardMax);
        s.PlayLog[i] = PlayNote{static_cast<int8_t>(seat), static_cast<int8_t>(card)};
    }
}

template <class Io>
void VisitTally(Io& io, ContractTally& tally) {
    for (int contract = kTricks; contract <= kLayoutContract; ++contract) {
        io.Int32(tally.Contracts[contract], 0, 1000000);
        io.Int32(tally.Points[contract], -100000000, 100000000);
    }
}

// A card in flight goes down on its destination: the next step of its move finds it there and
// completes the move as its arrival would have.
template <size_t N>
void LandCards(std::array<CardRecord, N>& cards) {
    for (CardRecord& c : cards) {
        if (c.Moving) {
            c.X = c.TargetX;
            c.Y = c.TargetY;
            c.SpeedX = 0;
            c.SpeedY = 0;
        }
    }
}

void LandMovingCards(GameState& s) {
    for (auto& hand : s.Hand) {
        LandCards(hand);
    }
    LandCards(s.Deck);
    LandCards(s.TableCards);
}

}  // namespace

std::vector<uint8_t> EncodeSavedMatch(const GameState& state, const SavedMatchExtras& extras) {
    GameState s = state;  // the visitor reads through non-const references
    ByteWriter payload;
    payload.Bool(s.Options.Partnership);
    payload.Bool(s.Options.SevenOfHeartsLead);
    payload.Bool(s.Options.PortugueseRules);
    payload.Text(extras.RandomState);
    payload.U32(std::min(extras.PauseElapsed, kLongestPause));
    ContractTally tally = extras.Tally;
    FieldWriter fields(payload);
    VisitTally(fields, tally);
    VisitMatch(fields, s);

    ByteWriter file;
    file.Raw(std::span(reinterpret_cast<const uint8_t*>(kSavedMatchMagic), sizeof kSavedMatchMagic));
    file.U32(kSavedMatchVersion);
    file.U32(static_cast<uint32_t>(payload.Bytes().size()));
    file.Raw(payload.Bytes());
    file.U32(Crc32(file.Bytes()));
    return std::move(file.Bytes());
}

SavedMatchExtras DecodeSavedMatch(std::span<const uint8_t> bytes, GameState& target) {
    if (bytes.empty()) {
        throw FileFormatError("it is empty");
    }
    ByteReader header(bytes);
    if (bytes.size() < sizeof kSavedMatchMagic ||
        std::memcmp(header.Raw(sizeof kSavedMatchMagic).data(), kSavedMatchMagic, sizeof kSavedMatchMagic) !=
            0) {
        throw FileFormatError("it is not a saved match of this game");
    }
    const uint32_t version = header.U32();
    // A newer game may change everything after the version, so nothing more is checked; a number far
    // beyond any version there will be is damage.
    if (version > kSavedMatchVersion && version <= kMaxSavedMatchVersion) {
        throw NewerFormatError("it was saved by a newer version of the game (format " +
                               std::to_string(version) + ")");
    }
    if (version != kSavedMatchVersion) {
        throw FileFormatError("unknown format " + std::to_string(version));
    }
    const uint32_t length = header.U32();
    if (length > kMaxSavedMatchPayload) {
        throw FileFormatError("it claims a length of " + std::to_string(length) + " bytes");
    }
    if (header.Remaining() != size_t{length} + 4) {
        throw FileFormatError(header.Remaining() < size_t{length} + 4 ? "it is cut short"
                                                                      : "it has bytes after its end");
    }
    const std::span<const uint8_t> payloadBytes = header.Raw(length);
    const uint32_t stored = header.U32();
    if (Crc32(bytes.first(kHeaderSize + length)) != stored) {
        throw FileFormatError("its checksum does not match");
    }

    ByteReader in(payloadBytes);
    GameState s = target;
    SavedMatchExtras extras;
    s.Options.Partnership = in.Bool();
    s.Options.SevenOfHeartsLead = in.Bool();
    s.Options.PortugueseRules = in.Bool();
    ApplyRules(s.Options);
    extras.RandomState = in.Text(kMaxRandomStateLength);
    extras.PauseElapsed = in.U32();
    FieldReader fields(in);
    VisitTally(fields, extras.Tally);
    VisitMatch(fields, s);
    if (in.Remaining() != 0) {
        throw FileFormatError("its fields end before its payload does");
    }
    // The rank heights follow the contract in play.
    SetRankOrder(s);
    LandMovingCards(s);
    s.Paused = false;
    s.PKeyLatch = false;
    s.CardUnderMouse = -1;
    target = std::move(s);
    return extras;
}

SavedMatchExtras TakeExtras(const GameState& s, const SeededRandom& random, uint32_t now,
                            const ContractTally& tally) {
    SavedMatchExtras extras;
    extras.RandomState = random.State();
    extras.PauseElapsed = s.Phase == Phase::Paused ? static_cast<uint32_t>(now - s.DelayStart) : 0;
    extras.Tally = tally;
    return extras;
}

SavedMatchExtras RestoreSavedMatch(std::span<const uint8_t> bytes, GameState& s, SeededRandom& random,
                                   uint32_t now) {
    GameState resumed = s;
    InitCardTables(resumed);
    SetUpTableLayout(resumed);
    const SavedMatchExtras extras = DecodeSavedMatch(bytes, resumed);
    if (!random.SetState(extras.RandomState)) {
        throw FileFormatError("its random generator state is damaged");
    }
    resumed.DelayStart = now - extras.PauseElapsed;
    s = std::move(resumed);
    return extras;
}

SavedMatchSummary SummarizeSavedMatch(const GameState& s) {
    SavedMatchSummary summary;
    summary.ContractNumber = std::clamp<int>(s.ContractsPlayed + 1, 1, 20);
    // The kingdom belongs to the seat that deals it, the seat before the deal's first seat.
    summary.KingdomOwnerSeat = WrapSeat(s.FirstSeat - 1);
    // TRANSLATORS: the player among the names of the saved match's totals ("you 120, Lena 80, ...").
    const char* you = Tr("you");
    summary.KingdomOwner =
        summary.KingdomOwnerSeat == kHumanSeat ? you : s.OpponentName[summary.KingdomOwnerSeat];
    summary.Names[0] = you;
    for (int seat = 0; seat < kSeats; ++seat) {
        summary.Totals[seat] = s.TotalScore[seat];
        if (seat > 0) {
            summary.Names[seat] = s.OpponentName[seat];
        }
    }
    summary.Partnership = s.Options.Partnership;
    summary.FrenchRules = !s.Options.PortugueseRules;
    summary.SevenOfHeartsLead = s.Options.SevenOfHeartsLead;
    return summary;
}
