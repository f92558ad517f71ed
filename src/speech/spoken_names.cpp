#include "speech/spoken_names.h"

#include <array>

#include "i18n/translation.h"

namespace {

constexpr int kRanks = 13;
constexpr int kSuits = 4;
using CardTexts = std::array<std::array<const char*, kRanks>, kSuits>;

// By game suit code (clubs, hearts, spades, diamonds), then rank from the ace.
constexpr CardTexts kCardNames{{
    // TRANSLATORS: spoken; a card named alone, as speech reads a hand, the table or the focused card.
    {NIn("card", "ace of clubs"), NIn("card", "two of clubs"), NIn("card", "three of clubs"),
     NIn("card", "four of clubs"), NIn("card", "five of clubs"), NIn("card", "six of clubs"),
     NIn("card", "seven of clubs"), NIn("card", "eight of clubs"), NIn("card", "nine of clubs"),
     NIn("card", "ten of clubs"), NIn("card", "jack of clubs"), NIn("card", "queen of clubs"),
     NIn("card", "king of clubs")},
    {NIn("card", "ace of hearts"), NIn("card", "two of hearts"), NIn("card", "three of hearts"),
     NIn("card", "four of hearts"), NIn("card", "five of hearts"), NIn("card", "six of hearts"),
     NIn("card", "seven of hearts"), NIn("card", "eight of hearts"), NIn("card", "nine of hearts"),
     NIn("card", "ten of hearts"), NIn("card", "jack of hearts"), NIn("card", "queen of hearts"),
     NIn("card", "king of hearts")},
    {NIn("card", "ace of spades"), NIn("card", "two of spades"), NIn("card", "three of spades"),
     NIn("card", "four of spades"), NIn("card", "five of spades"), NIn("card", "six of spades"),
     NIn("card", "seven of spades"), NIn("card", "eight of spades"), NIn("card", "nine of spades"),
     NIn("card", "ten of spades"), NIn("card", "jack of spades"), NIn("card", "queen of spades"),
     NIn("card", "king of spades")},
    {NIn("card", "ace of diamonds"), NIn("card", "two of diamonds"), NIn("card", "three of diamonds"),
     NIn("card", "four of diamonds"), NIn("card", "five of diamonds"), NIn("card", "six of diamonds"),
     NIn("card", "seven of diamonds"), NIn("card", "eight of diamonds"), NIn("card", "nine of diamonds"),
     NIn("card", "ten of diamonds"), NIn("card", "jack of diamonds"), NIn("card", "queen of diamonds"),
     NIn("card", "king of diamonds")},
}};

constexpr CardTexts kPlayedCardNames{{
    // TRANSLATORS: spoken; a card as the thing played, in "{name} plays {card}." and "You play {card}.".
    {NIn("card played", "the ace of clubs"), NIn("card played", "the two of clubs"),
     NIn("card played", "the three of clubs"), NIn("card played", "the four of clubs"),
     NIn("card played", "the five of clubs"), NIn("card played", "the six of clubs"),
     NIn("card played", "the seven of clubs"), NIn("card played", "the eight of clubs"),
     NIn("card played", "the nine of clubs"), NIn("card played", "the ten of clubs"),
     NIn("card played", "the jack of clubs"), NIn("card played", "the queen of clubs"),
     NIn("card played", "the king of clubs")},
    {NIn("card played", "the ace of hearts"), NIn("card played", "the two of hearts"),
     NIn("card played", "the three of hearts"), NIn("card played", "the four of hearts"),
     NIn("card played", "the five of hearts"), NIn("card played", "the six of hearts"),
     NIn("card played", "the seven of hearts"), NIn("card played", "the eight of hearts"),
     NIn("card played", "the nine of hearts"), NIn("card played", "the ten of hearts"),
     NIn("card played", "the jack of hearts"), NIn("card played", "the queen of hearts"),
     NIn("card played", "the king of hearts")},
    {NIn("card played", "the ace of spades"), NIn("card played", "the two of spades"),
     NIn("card played", "the three of spades"), NIn("card played", "the four of spades"),
     NIn("card played", "the five of spades"), NIn("card played", "the six of spades"),
     NIn("card played", "the seven of spades"), NIn("card played", "the eight of spades"),
     NIn("card played", "the nine of spades"), NIn("card played", "the ten of spades"),
     NIn("card played", "the jack of spades"), NIn("card played", "the queen of spades"),
     NIn("card played", "the king of spades")},
    {NIn("card played", "the ace of diamonds"), NIn("card played", "the two of diamonds"),
     NIn("card played", "the three of diamonds"), NIn("card played", "the four of diamonds"),
     NIn("card played", "the five of diamonds"), NIn("card played", "the six of diamonds"),
     NIn("card played", "the seven of diamonds"), NIn("card played", "the eight of diamonds"),
     NIn("card played", "the nine of diamonds"), NIn("card played", "the ten of diamonds"),
     NIn("card played", "the jack of diamonds"), NIn("card played", "the queen of diamonds"),
     NIn("card played", "the king of diamonds")},
}};

bool IsCard(const GameState& s, int16_t card) {
    return card >= 0 && card < kCards && s.CardRank[card] >= 1 && s.CardRank[card] <= kRanks &&
           s.CardSuit[card] >= 0 && s.CardSuit[card] < kSuits;
}

std::string TrimmedName(std::string name) {
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

}  // namespace

std::string SpokenCardName(const GameState& s, int16_t card) {
    if (!IsCard(s, card)) {
        return "";
    }
    return TrIn("card", kCardNames[s.CardSuit[card]][s.CardRank[card] - 1]);
}

std::string SpokenPlayedCardName(const GameState& s, int16_t card) {
    if (!IsCard(s, card)) {
        return "";
    }
    return TrIn("card played", kPlayedCardNames[s.CardSuit[card]][s.CardRank[card] - 1]);
}

std::string SpokenRankName(int16_t rank) {
    // TRANSLATORS: a rank named alone, in the list of one suit's cards ("Clubs: two, seven, queen.").
    static constexpr std::array<const char*, kRanks> kNames{
        NIn("card rank", "ace"),   NIn("card rank", "two"),   NIn("card rank", "three"),
        NIn("card rank", "four"),  NIn("card rank", "five"),  NIn("card rank", "six"),
        NIn("card rank", "seven"), NIn("card rank", "eight"), NIn("card rank", "nine"),
        NIn("card rank", "ten"),   NIn("card rank", "jack"),  NIn("card rank", "queen"),
        NIn("card rank", "king")};
    if (rank < 1 || rank > kRanks) {
        return "";
    }
    return TrIn("card rank", kNames[rank - 1]);
}

std::string SpokenSuitName(int32_t suit) {
    // TRANSLATORS: a suit as the heading of its cards when speech reads a hand ("Clubs: two, seven.").
    static constexpr std::array<const char*, kSuits> kNames{NIn("suit", "Clubs"), NIn("suit", "Hearts"),
                                                            NIn("suit", "Spades"), NIn("suit", "Diamonds")};
    if (suit < 0 || suit >= kSuits) {
        return "";
    }
    return TrIn("suit", kNames[suit]);
}

std::string SpokenSeatName(const GameState& s, int seat) {
    if (seat < 0 || seat >= kSeats) {
        return "";
    }
    std::string name = TrimmedName(s.OpponentName[seat]);
    if (name.empty()) {
        // TRANSLATORS: a seat without a name (none has one in a normal game), in the banner's "{name}'s
        // kingdom".
        name = FillText(Tr("Seat {number}"), {{"number", std::to_string(seat)}});
    }
    return name;
}

std::string SpokenContractName(int contract) {
    // TRANSLATORS: the names of the five contracts, as the banner and the score sheet show them.
    static constexpr std::array<const char*, 5> kNames{NIn("contract", "Tricks"), NIn("contract", "Diamonds"),
                                                       NIn("contract", "Queens"), NIn("contract", "King"),
                                                       NIn("contract", "Zarn")};
    if (contract < 1 || contract > 5) {
        return "";
    }
    return TrIn("contract", kNames[contract - 1]);
}

std::string ContractCostText(int contract) {
    switch (contract) {
        case kTricks:
            // TRANSLATORS: spoken; what the Tricks contract costs.
            return Tr("10 points for each trick taken.");
        case kDiamonds:
            // TRANSLATORS: spoken; what the contract costs.
            return Tr("15 points for each diamond taken.");
        case kQueens:
            // TRANSLATORS: spoken; what the contract costs.
            return Tr("25 points for each queen taken.");
        case kKing:
            // TRANSLATORS: spoken; what the contract costs.
            return Tr("75 points for taking the king of hearts.");
        case kLayoutContract:
            // TRANSLATORS: spoken; the layout contract: cards are laid in columns by suit from the jacks.
            return Tr(
                "Lay cards in the columns from the jacks up and down; the first out earns 200 points, "
                "then 150, 100 and 50.");
        default:
            return "";
    }
}
