#include "speech/spoken_texts.h"

#include <algorithm>
#include <vector>

#include "cards/rules.h"
#include "flow/card_play.h"
#include "flow/scoring.h"
#include "i18n/translation.h"
#include "speech/spoken_names.h"

namespace {

constexpr int kDealsPerKingdom = 5;
constexpr int kSuitCount = 4;

std::string Number(int value) {
    return std::to_string(value);
}

// Sentences of a read-out follow each other with a space; each ends in its own punctuation.
void AddSentence(std::string& text, const std::string& sentence) {
    if (sentence.empty()) {
        return;
    }
    if (!text.empty()) {
        text += ' ';
    }
    text += sentence;
}

// The items of a spoken list ("two, seven, queen"); the separator is the catalogue's.
std::string JoinList(const std::vector<std::string>& items) {
    // TRANSLATORS: spoken; what stands between the items of a list ("two, seven, queen").
    const std::string separator = Tr(", ");
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : separator) + items[i];
    }
    return text;
}

int KingdomOwner(const GameState& s) {
    return WrapSeat(std::clamp(static_cast<int>(s.KingdomSeat), 0, kSeats - 1) - 1);
}

std::string PointsText(int points) {
    // TRANSLATORS: spoken; a number of points, in the sentences of scores and results.
    return FillText(TrPlural("{count} point", "{count} points", static_cast<unsigned long>(std::abs(points))),
                    {{"count", Number(points)}});
}

std::string DealText(const GameState& s, int owner, Verbosity verbosity) {
    const int firstSeat = std::clamp(static_cast<int>(s.FirstSeat), 0, kSeats - 1);
    const std::string deal =
        Number(std::clamp(s.SeatInfo[firstSeat][kKingdomDealsCell] + 1, 1, kDealsPerKingdom));
    const std::string deals = Number(kDealsPerKingdom);
    std::string text =
        owner == kHumanSeat
            // TRANSLATORS: spoken at each deal; {deal} of {deals} counts the deals of the kingdom.
            ? FillText(Tr("Your kingdom, deal {deal} of {deals}."), {{"deal", deal}, {"deals", deals}})
            : FillText(Tr("{name}'s kingdom, deal {deal} of {deals}."),
                       {{"name", SpokenSeatName(s, owner)}, {"deal", deal}, {"deals", deals}});
    if (verbosity == Verbosity::Detailed) {
        // TRANSLATORS: spoken; the deal's number among the contracts of the match.
        AddSentence(text,
                    FillText(Tr("Contract {number} of {total}."), {{"number", Number(s.ContractsPlayed + 1)},
                                                                   {"total", Number(kContractsPerMatch)}}));
    }
    return text;
}

std::string ContractChosenText(const GameState& s, const SpeechEvent& event, Verbosity verbosity) {
    const std::string contract = SpokenContractName(event.contract);
    if (verbosity == Verbosity::Terse) {
        // TRANSLATORS: spoken, terse: the contract just chosen, alone.
        return FillText(Tr("{contract}."), {{"contract", contract}});
    }
    std::string text = event.seat == kHumanSeat
                           // TRANSLATORS: spoken when the player has chosen the contract.
                           ? FillText(Tr("You choose {contract}."), {{"contract", contract}})
                           : FillText(Tr("{name} chooses {contract}."),
                                      {{"name", SpokenSeatName(s, event.seat)}, {"contract", contract}});
    if (verbosity == Verbosity::Detailed) {
        AddSentence(text, ContractCostText(event.contract));
    }
    return text;
}

std::string CardPlayedText(const GameState& s, const SpeechEvent& event, Verbosity verbosity) {
    if (verbosity == Verbosity::Terse) {
        if (event.seat == kHumanSeat) {
            return "";
        }
        // TRANSLATORS: spoken, terse: who played which card ("Lena: queen of hearts.").
        return FillText(Tr("{name}: {card}."),
                        {{"name", SpokenSeatName(s, event.seat)}, {"card", SpokenCardName(s, event.card)}});
    }
    if (event.seat == kHumanSeat) {
        // TRANSLATORS: spoken when the player's own card is played.
        return FillText(Tr("You play {card}."), {{"card", SpokenPlayedCardName(s, event.card)}});
    }
    // TRANSLATORS: spoken when a computer seat plays; {card} is the card "as the thing played".
    return FillText(Tr("{name} plays {card}."),
                    {{"name", SpokenSeatName(s, event.seat)}, {"card", SpokenPlayedCardName(s, event.card)}});
}

std::string PassedText(const GameState& s, const SpeechEvent& event) {
    if (event.seat == kHumanSeat) {
        // TRANSLATORS: spoken in the layout contract: no card could be laid.
        return Tr("You pass.");
    }
    return FillText(Tr("{name} passes."), {{"name", SpokenSeatName(s, event.seat)}});
}

std::string TrickTakenText(const GameState& s, const SpeechEvent& event, Verbosity verbosity) {
    const bool mine = event.seat == kHumanSeat;
    const std::string name = SpokenSeatName(s, event.seat);
    const std::string points = PointsText(event.points);
    if (verbosity == Verbosity::Terse && event.points == 0) {
        return "";
    }
    std::string text;
    if (event.points == 0) {
        text = mine ? Tr("You take the trick.") : FillText(Tr("{name} takes the trick."), {{"name", name}});
    } else if (mine) {
        // TRANSLATORS: spoken; {points} is "25 points".
        text = FillText(Tr("You take the trick and {points}."), {{"points", points}});
    } else {
        text = FillText(Tr("{name} takes the trick and {points}."), {{"name", name}, {"points", points}});
    }
    if (verbosity == Verbosity::Detailed) {
        const int tricks = s.TakenCount[std::clamp(static_cast<int>(event.seat), 0, kSeats - 1)] / kSeats;
        // TRANSLATORS: spoken after a trick is taken: how many its winner holds in this deal.
        AddSentence(
            text, FillText(TrPlural("{count} trick taken in this deal.", "{count} tricks taken in this deal.",
                                    static_cast<unsigned long>(tricks)),
                           {{"count", Number(tricks)}}));
    }
    return text;
}

// One seat's points in the contract just scored (as the score sheet writes them) and its total.
std::string SeatResultText(const GameState& s, int seat, bool withTotal) {
    const std::string points = PointsText(-s.DealScore[seat]);
    const std::string total = Number(s.TotalScore[seat]);
    if (seat == kHumanSeat) {
        return withTotal
                   // TRANSLATORS: spoken after a contract: the player's points in it ("25 points") and total.
                   ? FillText(Tr("You: {points}, total {total}."), {{"points", points}, {"total", total}})
                   : FillText(Tr("You: {points}."), {{"points", points}});
    }
    const std::string name = SpokenSeatName(s, seat);
    return withTotal ? FillText(Tr("{name}: {points}, total {total}."),
                                {{"name", name}, {"points", points}, {"total", total}})
                     : FillText(Tr("{name}: {points}."), {{"name", name}, {"points", points}});
}

std::string ContractScoredText(const GameState& s, const SpeechEvent& event, Verbosity verbosity) {
    // TRANSLATORS: spoken when a contract has been scored, before each seat's points.
    std::string text =
        FillText(Tr("{contract} is over."), {{"contract", SpokenContractName(event.contract)}});
    if (verbosity == Verbosity::Terse) {
        AddSentence(text, SeatResultText(s, kHumanSeat, true));
        return text;
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        AddSentence(text, SeatResultText(s, seat, verbosity == Verbosity::Detailed));
    }
    return text;
}

int LowestSeat(const GameState& s) {
    int best = 0;
    for (int seat = 1; seat < kSeats; ++seat) {
        if (s.TotalScore[seat] < s.TotalScore[best]) {
            best = seat;
        }
    }
    return best;
}

std::string MatchOverText(const GameState& s, Verbosity verbosity) {
    std::string text;
    const std::string total = Number(s.TotalScore[kHumanSeat]);
    if (s.Options.Partnership) {
        text =
            HumanSideWins(s)
                // TRANSLATORS: spoken at the end of a match played in partnerships.
                ? FillText(Tr("The match is over. You and {name} win."), {{"name", SpokenSeatName(s, 2)}})
                : FillText(Tr("The match is over. You and {name} lose."), {{"name", SpokenSeatName(s, 2)}});
    } else if (HumanSideWins(s)) {
        // TRANSLATORS: spoken at the end of a match the player won; {total} is the player's total.
        text = FillText(Tr("The match is over. You win with {total} points."), {{"total", total}});
    } else {
        const int winner = LowestSeat(s);
        text = FillText(Tr("The match is over. {name} wins with {total} points."),
                        {{"name", SpokenSeatName(s, winner)}, {"total", Number(s.TotalScore[winner])}});
    }
    if (verbosity != Verbosity::Terse) {
        AddSentence(text, ScoresText(s));
    }
    return text;
}

int PlayableCount(const GameState& s) {
    int count = 0;
    for (int slot = 0; slot <= kLastHandSlot; ++slot) {
        count += HumanSlotLegal(s, slot) ? 1 : 0;
    }
    return count;
}

std::string HumanToPlayText(const GameState& s, Verbosity verbosity) {
    // TRANSLATORS: spoken when the game waits for the player's card.
    std::string text = Tr("Your turn.");
    if (verbosity == Verbosity::Terse) {
        return text;
    }
    const int playable = PlayableCount(s);
    // TRANSLATORS: spoken after "Your turn.": how many of the player's cards the rules allow now.
    AddSentence(text, FillText(TrPlural("{count} card may be played.", "{count} cards may be played.",
                                        static_cast<unsigned long>(playable)),
                               {{"count", Number(playable)}}));
    if (verbosity == Verbosity::Detailed) {
        AddSentence(text, TableText(s));
    }
    return text;
}

}  // namespace

Utterance EventUtterance(const GameState& s, const SpeechEvent& event, Verbosity verbosity) {
    const bool detailed = verbosity == Verbosity::Detailed;
    switch (event.kind) {
        case SpeechEventKind::DealStarted:
            if (verbosity == Verbosity::Terse) {
                return {};
            }
            return {DealText(s, event.seat, verbosity), SpeechPriority::Normal};
        case SpeechEventKind::ContractChosen:
            return {ContractChosenText(s, event, verbosity), SpeechPriority::Normal};
        case SpeechEventKind::CardPlayed:
            return {CardPlayedText(s, event, verbosity), SpeechPriority::Normal};
        case SpeechEventKind::Passed:
            return {PassedText(s, event), SpeechPriority::Normal};
        case SpeechEventKind::TrickTaken:
            return {TrickTakenText(s, event, verbosity), SpeechPriority::Normal};
        case SpeechEventKind::ContractScored:
            // Never cut short: the score sheet's own line follows it at once.
            return {ContractScoredText(s, event, verbosity), SpeechPriority::Normal};
        case SpeechEventKind::SeatToPlay:
            if (!detailed) {
                return {};
            }
            // TRANSLATORS: spoken at the detailed level when a computer seat's turn comes.
            return {FillText(Tr("{name}'s turn."), {{"name", SpokenSeatName(s, event.seat)}}),
                    SpeechPriority::Interruptible};
        case SpeechEventKind::HumanToPlay:
            return {HumanToPlayText(s, verbosity), SpeechPriority::Urgent};
        case SpeechEventKind::HumanToChoose: {
            // TRANSLATORS: spoken when the player must choose the deal's contract.
            std::string text = Tr("Choose a contract.");
            if (verbosity != Verbosity::Terse) {
                AddSentence(text, OpenContractsText(s, detailed));
            }
            return {text, SpeechPriority::Urgent};
        }
        case SpeechEventKind::MatchOver:
            return {MatchOverText(s, verbosity), SpeechPriority::Urgent};
    }
    return {};
}

std::string HandText(const GameState& s) {
    std::array<std::vector<int16_t>, kSuitCount> bySuit{};
    for (int slot = 0; slot <= kLastHandSlot; ++slot) {
        const CardRecord& card = s.Hand[kHumanSeat][slot];
        if (card.InUse && card.Card >= 0 && card.Card < kCards) {
            const int32_t suit = s.CardSuit[card.Card];
            if (suit >= 0 && suit < kSuitCount) {
                bySuit[suit].push_back(card.Card);
            }
        }
    }
    std::string text;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        auto& cards = bySuit[suit];
        if (cards.empty()) {
            continue;
        }
        std::sort(cards.begin(), cards.end(), [&](int16_t a, int16_t b) {
            return s.RankOrder[s.CardRank[a]] < s.RankOrder[s.CardRank[b]];
        });
        std::vector<std::string> ranks;
        for (int16_t card : cards) {
            ranks.push_back(SpokenRankName(s.CardRank[card]));
        }
        // TRANSLATORS: spoken; one suit of the player's hand, lowest card first ("Clubs: two, seven,
        // queen.").
        AddSentence(text, FillText(Tr("{suit}: {ranks}."),
                                   {{"suit", SpokenSuitName(suit)}, {"ranks", JoinList(ranks)}}));
    }
    if (text.empty()) {
        return Tr("Your hand is empty.");
    }
    return text;
}

namespace {

std::string LayoutRowsText(const GameState& s) {
    std::string text;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        const std::string suitName = SpokenSuitName(suit);
        const int low = s.SuitLow[suit];
        const int high = s.SuitHigh[suit];
        if (low > high || low < 1 || high > 13) {
            // TRANSLATORS: spoken; a suit's column of the layout contract holds no card yet.
            AddSentence(text, FillText(Tr("{suit}: none laid."), {{"suit", suitName}}));
        } else if (low == high) {
            AddSentence(text,
                        // TRANSLATORS: spoken; a suit's column of the layout contract holds only its jack.
                        FillText(Tr("{suit}: {rank} alone."),
                                 {{"suit", suitName}, {"rank", SpokenRankName(static_cast<int16_t>(low))}}));
        } else {
            // TRANSLATORS: spoken; a suit's column of the layout contract runs from {low} to {high}.
            AddSentence(text, FillText(Tr("{suit}: {low} to {high}."),
                                       {{"suit", suitName},
                                        {"low", SpokenRankName(static_cast<int16_t>(low))},
                                        {"high", SpokenRankName(static_cast<int16_t>(high))}}));
        }
    }
    return text;
}

}  // namespace

std::string TableText(const GameState& s) {
    if (s.Contract == kLayoutContract) {
        return LayoutRowsText(s);
    }
    const int inTrick = std::clamp(static_cast<int>(s.TableCount), 0, kSeats);
    if (inTrick == 0) {
        // TRANSLATORS: spoken; no card of the trick is on the table yet.
        return Tr("No card on the table.");
    }
    std::vector<std::string> items;
    for (int slot = 0; slot < inTrick; ++slot) {
        const int16_t card = s.TableCards[slot].Card;
        const std::string name = SpokenCardName(s, card);
        // Who played it the deal's log of turns tells.
        int seat = -1;
        for (int i = std::min<int>(s.PlayLogCount, kPlayLogSlots) - 1; i >= 0 && seat < 0; --i) {
            seat = s.PlayLog[i].card == card ? s.PlayLog[i].seat : -1;
        }
        if (seat == kHumanSeat) {
            // TRANSLATORS: spoken; one card on the table and who played it.
            items.push_back(FillText(Tr("yours, {card}"), {{"card", name}}));
        } else if (seat > 0) {
            items.push_back(
                // TRANSLATORS: spoken; one card on the table and the seat that played it.
                FillText(Tr("{name}, {card}"), {{"name", SpokenSeatName(s, seat)}, {"card", name}}));
        } else {
            items.push_back(name);
        }
    }
    // TRANSLATORS: spoken; the trick so far, in the order played ("On the table: Lena, queen of hearts.").
    return FillText(Tr("On the table: {cards}."), {{"cards", JoinList(items)}});
}

std::string ScoresText(const GameState& s) {
    std::vector<std::string> items;
    // TRANSLATORS: spoken; the player's total in the list of scores.
    items.push_back(FillText(Tr("you {total}"), {{"total", Number(s.TotalScore[kHumanSeat])}}));
    for (int seat = 1; seat < kSeats; ++seat) {
        // TRANSLATORS: spoken; a seat's total in the list of scores.
        items.push_back(FillText(Tr("{name} {total}"),
                                 {{"name", SpokenSeatName(s, seat)}, {"total", Number(s.TotalScore[seat])}}));
    }
    // TRANSLATORS: spoken; every seat's total ("Scores: you 120, Lena 80.").
    return FillText(Tr("Scores: {scores}."), {{"scores", JoinList(items)}});
}

std::string ContractText(const GameState& s) {
    if (s.Contract < kTricks || s.Contract > kLayoutContract) {
        // TRANSLATORS: spoken; asked for the contract while none has been chosen for this deal.
        return Tr("No contract chosen yet.");
    }
    // TRANSLATORS: spoken; the contract in play and its number in the match ("Queens, contract 4 of 20.").
    std::string text = FillText(Tr("{contract}, contract {number} of {total}."),
                                {{"contract", SpokenContractName(s.Contract)},
                                 {"number", Number(s.ContractsPlayed + 1)},
                                 {"total", Number(kContractsPerMatch)}});
    AddSentence(text, ContractCostText(s.Contract));
    return text;
}

std::string FocusText(const GameState& s) {
    const PlayAids& aids = s.Aids;
    if (aids.FocusSlot >= 0 && aids.FocusSlot <= kLastHandSlot) {
        const CardRecord& focused = s.Hand[kHumanSeat][aids.FocusSlot];
        if (!focused.InUse) {
            return "";
        }
        int position = 0;
        int count = 0;
        for (int slot = 0; slot <= kLastHandSlot; ++slot) {
            if (s.Hand[kHumanSeat][slot].InUse) {
                ++count;
                position = slot == aids.FocusSlot ? count : position;
            }
        }
        const std::string card = SpokenCardName(s, focused.Card);
        const bool allowed = HumanSlotLegal(s, aids.FocusSlot);
        // TRANSLATORS: spoken when the focus moves to a card: its place in the hand ("3 of 11").
        return FillText(allowed ? Tr("{card}, {position} of {count}.")
                                // TRANSLATORS: spoken; the focused card, which the rules do not allow now.
                                : Tr("{card}, {position} of {count}, not allowed now."),
                        {{"card", card}, {"position", Number(position)}, {"count", Number(count)}});
    }
    if (aids.FocusButton >= 0 && aids.FocusButton < kLayoutContract) {
        const int contract = aids.FocusButton + 1;
        std::string text = FillText(Tr("{contract}."), {{"contract", SpokenContractName(contract)}});
        AddSentence(text, ContractCostText(contract));
        return text;
    }
    return "";
}

std::string OpenContractsText(const GameState& s, bool withCosts) {
    const int owner = KingdomOwner(s);
    std::vector<std::string> names;
    std::string costs;
    for (int contract = kTricks; contract <= kLayoutContract; ++contract) {
        if (s.SeatInfo[owner][kContractChosenCell + contract] == 0) {
            names.push_back(SpokenContractName(contract));
            // TRANSLATORS: spoken; a contract the player may choose and what it costs.
            AddSentence(costs, FillText(Tr("{contract}: {cost}"), {{"contract", SpokenContractName(contract)},
                                                                   {"cost", ContractCostText(contract)}}));
        }
    }
    if (names.empty()) {
        return "";
    }
    if (withCosts) {
        return costs;
    }
    // TRANSLATORS: spoken; the contracts the kingdom's owner may still choose ("Open: Tricks, Zarn.").
    return FillText(Tr("Open: {contracts}."), {{"contracts", JoinList(names)}});
}
