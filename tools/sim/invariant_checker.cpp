#include "invariant_checker.h"

#include <sstream>

#include "cards/rules.h"
#include "flow/scoring.h"

namespace {

// The text of a broken rule, put together only when a rule is broken: the checks run on every
// decision and most of the simulator's time would otherwise go into making streams.
template <typename... Parts>
std::string Text(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

std::string CardName(const GameState& s, int card) {
    std::string name = s.CardImageName[card];
    const auto dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int TakenTotal(const GameState& s) {
    int total = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        total += s.TakenCount[seat];
    }
    return total;
}

int CountTaken(const GameState& s, bool (*matches)(const GameState&, int16_t)) {
    int n = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int i = 0; i < s.TakenCount[seat]; ++i) {
            n += matches(s, s.TakenCards[seat][i]) ? 1 : 0;
        }
    }
    return n;
}

}  // namespace

int ContractWhole(int16_t contract) {
    switch (contract) {
        case kTricks:
            return -130;
        case kDiamonds:
            return -195;
        case kQueens:
            return -100;
        case kKing:
            return -75;
        case kLayoutContract:
            return 500;
        default:
            return 0;
    }
}

bool ContractEndRuleMet(const GameState& s) {
    switch (s.Contract) {
        case kTricks:
            return TakenTotal(s) == kCards;
        case kDiamonds:
            return CountTaken(
                       s, [](const GameState& g, int16_t c) { return g.CardSuit[c] == kDiamondsSuit; }) == 13;
        case kQueens:
            return CountTaken(s, [](const GameState& g, int16_t c) { return g.CardRank[c] == 12; }) == 4;
        case kKing:
            return CountTaken(s, [](const GameState&, int16_t c) { return c == kKingOfHearts; }) == 1;
        case kLayoutContract:
            return LayoutFinished(s);
        default:
            return false;
    }
}

namespace {

// Calls visit(card, place) for every card the state holds somewhere; `place` names it only when asked.
template <typename Visit>
void VisitCardPlaces(const GameState& s, Visit&& visit) {
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int slot = 0; slot <= kLastHandSlot; ++slot) {
            if (s.Hand[seat][slot].InUse) {
                visit(s.Hand[seat][slot].Card,
                      [=] { return "hand " + std::to_string(seat) + " slot " + std::to_string(slot); });
            }
        }
        for (int i = 0; i < s.WonCount[seat]; ++i) {
            visit(s.WonPile[seat][i].Card, [=] { return "won pile " + std::to_string(seat); });
        }
    }
    for (int slot = 0; slot < kCards; ++slot) {
        // Not yet dealt, or in flight to a hand (the carrying record is retired on arrival).
        if (slot >= s.DeckNext || s.Deck[slot].InUse) {
            visit(s.Deck[slot].Card, [=] { return "deck slot " + std::to_string(slot); });
        }
    }
    for (int slot = 0; slot < s.TableCount; ++slot) {
        visit(s.TableCards[slot].Card, [=] { return "table slot " + std::to_string(slot); });
    }
    for (int suit = 0; suit < 4; ++suit) {
        for (int row = 1; row <= 13; ++row) {
            if (s.LayoutGrid[suit][row].InUse) {
                visit(s.LayoutGrid[suit][row].Card, [=] { return "layout column " + std::to_string(suit); });
            }
        }
    }
}

}  // namespace

std::optional<std::string> CheckCardConservation(const GameState& s) {
    // Counted first, cheaply, every frame; the places are named only for a broken count.
    std::array<int, kCards> count{};
    bool outOfRange = false;
    VisitCardPlaces(s, [&](int card, auto&&) {
        if (card >= 0 && card < kCards) {
            ++count[card];
        } else {
            outOfRange = true;
        }
    });
    if (outOfRange) {
        return "a card record holds an id outside 0..51";
    }
    for (int card = 0; card < kCards; ++card) {
        if (count[card] == 1) {
            continue;
        }
        std::ostringstream out;
        out << "card " << CardName(s, card);
        if (count[card] == 0) {
            out << " is nowhere";
            return out.str();
        }
        out << " is in " << count[card] << " places:";
        VisitCardPlaces(s, [&](int other, auto&& place) {
            if (other == card) {
                out << " [" << place() << "]";
            }
        });
        return out.str();
    }
    return std::nullopt;
}

void InvariantChecker::StartMatch() {
    contractsInMatch_ = 0;
    chosen_ = {};
    choices_ = {};
    rowSums_ = {};
}

std::optional<std::string> InvariantChecker::CheckChoice(const GameState& s) {
    const int chooser = WrapSeat(s.CurrentSeat + 1);
    const int contract = s.Contract;
    if (contract < kTricks || contract > kLayoutContract) {
        return Text("seat ", chooser, " chose no contract (", contract, ")");
    }
    if (chooser != WrapSeat(s.FirstSeat - 1)) {
        return Text("seat ", chooser, " chose the contract, but the first seat is ", s.FirstSeat);
    }
    if (chosen_[chooser][contract]) {
        return Text("seat ", chooser, " chose contract ", contract, " a second time in the match");
    }
    if (s.SeatInfo[chooser][kContractChosenCell + contract] == 0) {
        return Text("seat ", chooser, "'s choice of contract ", contract, " is not marked");
    }
    chosen_[chooser][contract] = true;
    if (++choices_[chooser] > 5) {
        return Text("seat ", chooser, " chose a sixth contract in the match");
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckContractEnd(const GameState& s, bool swept, bool laid) {
    const bool ruleMet = ContractEndRuleMet(s);
    if (s.Contract == kLayoutContract) {
        if (laid && ruleMet != contractEnded_) {
            return Text("layout contract ", (ruleMet ? "did not end with three hands empty" : "ended early"));
        }
        if (contractEnded_ && !laid) {
            return Text("layout contract ended without a laid card");
        }
        return std::nullopt;
    }
    if (swept && ruleMet != contractEnded_) {
        return Text(
            "contract ", s.Contract,
            (ruleMet ? " did not end at the sweep that completed it" : " ended before its rule was met"));
    }
    if (contractEnded_ && !swept) {
        return Text("contract ", s.Contract, " ended other than at a trick's sweep");
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckScores(const GameState& s) {
    int sum = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        sum += s.DealScore[seat];
    }
    if (sum != ContractWhole(s.Contract)) {
        return Text("contract ", s.Contract, " scored ", sum, " in all, not ", ContractWhole(s.Contract));
    }
    if (s.ScoreRows < 1 || s.ScoreRows > kSheetRows) {
        return Text("score sheet holds ", s.ScoreRows, " rows");
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        const int row = s.ScoreHistory[seat][s.ScoreRows - 1];
        if (row != -s.DealScore[seat]) {
            return Text("sheet row of seat ", seat, " is ", row, ", its deal score ", s.DealScore[seat]);
        }
        rowSums_[seat] += row;
        if (s.TotalScore[seat] != rowSums_[seat]) {
            return Text("total of seat ", seat, " is ", s.TotalScore[seat], ", its rows add up to ",
                        rowSums_[seat]);
        }
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckMatchEnd(const GameState& s) {
    if (s.ContractsPlayed != contractsInMatch_) {
        return Text("the game counts ", s.ContractsPlayed, " contracts, the match has had ",
                    contractsInMatch_);
    }
    if (s.MatchOver != (contractsInMatch_ == 20)) {
        return Text("match ", (s.MatchOver ? "over" : "not over"), " after ", contractsInMatch_,
                    " contracts");
    }
    if (!s.MatchOver) {
        return std::nullopt;
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        if (choices_[seat] != 5) {
            return Text("seat ", seat, " chose ", choices_[seat], " contracts in the match, not 5");
        }
    }
    if (s.ResultText != "We Won!" && s.ResultText != "We lost!") {
        return Text("match ended without a result");
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::AfterFrame(const GameState& s) {
    contractEnded_ = false;
    matchEnded_ = false;
    if (!prev_.valid) {
        prev_ = {s.Phase, s.ContractsPlayed, TakenTotal(s), s.CardsPlayed, true};
    }
    if (prev_.contractsPlayed == 20 && s.ContractsPlayed == 0) {
        ++match_;
        StartMatch();
        const auto& n = s.OpponentName;
        if (n[1] == n[2] || n[1] == n[3] || n[2] == n[3]) {
            return "the new match's opponents are not three different names";
        }
    }
    if (s.Phase == Phase::DealingCards && prev_.phase != Phase::DealingCards) {
        framesInContract_ = 0;
    }
    if (++framesInContract_ > frameBound_) {
        return "contract " + std::to_string(s.Contract) + " did not end within " +
               std::to_string(frameBound_) + " frames (phase \"" + std::string(PhaseText(s.Phase)) +
               "\", seat " + std::to_string(s.CurrentSeat) + ")";
    }

    if (auto broken = CheckCardConservation(s)) {
        return broken;
    }
    if (s.Phase == Phase::ShowContract && prev_.phase != Phase::ShowContract) {
        if (auto broken = CheckChoice(s)) {
            return broken;
        }
    }

    const int taken = TakenTotal(s);
    const bool sameDeal = s.ContractsPlayed >= prev_.contractsPlayed && s.Phase != Phase::DealingCards;
    const bool swept = sameDeal && taken > prev_.takenTotal;
    const bool laid = sameDeal && s.CardsPlayed > prev_.cardsPlayed;
    contractEnded_ = s.ContractsPlayed == prev_.contractsPlayed + 1;
    if (s.ContractsPlayed != prev_.contractsPlayed && !contractEnded_ &&
        !(prev_.contractsPlayed == 20 && s.ContractsPlayed == 0)) {
        return "contract count jumped from " + std::to_string(prev_.contractsPlayed) + " to " +
               std::to_string(s.ContractsPlayed);
    }
    if (auto broken = CheckContractEnd(s, swept, laid)) {
        return broken;
    }
    if (contractEnded_) {
        ++contractsInMatch_;
        ++contractsTotal_;
        if (auto broken = CheckScores(s)) {
            return broken;
        }
        if (auto broken = CheckMatchEnd(s)) {
            return broken;
        }
        matchEnded_ = s.MatchOver;
    }
    prev_ = {s.Phase, s.ContractsPlayed, taken, s.CardsPlayed, true};
    return std::nullopt;
}
