#include "cards/card_tables.h"

#include <string>

const std::array<std::string_view, kOpponentNameCount> kOpponentNames = {
    "Mia ", "Ian ", "Bob ", "Jim ", "Jack", "John", "Rick", "Tom ", "Eve ", "Liz ",
    "Mary", "Mike", "Sean", "Elsa", "Anne", "Nick", "Ted ", "Bill", "Cary", "Kate",
    "Pete", "Tim ", "Lena", "Greg", "Jill", "Dan ", "Stef", "Ed  ", "Jess", "Gas ",
};

namespace {

constexpr std::array<std::string_view, 4> kSuitLetters = {"C", "D", "H", "S"};  // picture suit order
constexpr std::array<std::string_view, 5> kContractPictures = {"tricks.BMP", "diamonds.BMP", "queens.BMP",
                                                               "king.BMP", "zarn.BMP"};

int16_t RankFromName(std::string_view name) {
    switch (name[0]) {
        case 'J':
            return 11;
        case 'Q':
            return 12;
        case 'K':
            return 13;
        case 'A':
            return 1;
        case '1':
            return 10;  // "10x"
        default:
            return static_cast<int16_t>(name[0] - '0');
    }
}

bool SuitFromLetter(char letter, int32_t& suit) {
    switch (letter) {
        case 'C':
            suit = kClubs;
            return true;
        case 'H':
            suit = kHearts;
            return true;
        case 'S':
            suit = kSpades;
            return true;
        case 'D':
            suit = kDiamondsSuit;
            return true;
        default:
            return false;
    }
}

int32_t SuitFromName(std::string_view name) {
    int32_t suit = 0;
    SuitFromLetter(name[1], suit);
    if (name.size() > 2) {
        SuitFromLetter(name[2], suit);  // the ten: "10C.BMP"
    }
    return suit;
}

}  // namespace

void InitCardTables(GameState& s) {
    for (int rank = 1; rank <= 13; ++rank) {
        for (int pictureSuit = 0; pictureSuit < 4; ++pictureSuit) {
            std::string rankText;
            switch (rank) {
                case 1:
                    rankText = "A";
                    break;
                case 11:
                    rankText = "J";
                    break;
                case 12:
                    rankText = "Q";
                    break;
                case 13:
                    rankText = "K";
                    break;
                default:
                    rankText = std::to_string(rank);
                    break;
            }
            s.CardImageName[4 * (rank - 1) + pictureSuit] =
                rankText + std::string(kSuitLetters[pictureSuit]) + ".BMP";
        }
    }
    for (int k = 0; k < 5; ++k) {
        s.ContractImageName[k] = kContractPictures[k];
        s.ContractImageName2[k] = kContractPictures[k];
    }
    s.PassImageName = "pass.BMP";
    BuildCardTables(s);
}

void BuildCardTables(GameState& s) {
    for (int16_t seat = 0; seat < kSeats; ++seat) {
        s.SeatConstant[seat] = seat;
        s.SeatTeam[seat] = (seat % 2 == 0) ? 1 : 2;
    }
    for (int id = 0; id < kCards; ++id) {
        s.CardRank[id] = RankFromName(s.CardImageName[id]);
        s.CardSuit[id] = SuitFromName(s.CardImageName[id]);
    }
    // The pictures are reloaded after a lost display; the heights must stay those of the contract in play.
    SetRankOrder(s);
}

void SetRankOrder(GameState& s) {
    if (s.Contract == kLayoutContract) {
        for (int16_t r = 1; r <= 13; ++r) {
            s.RankOrder[r] = r;
        }
    } else {
        s.RankOrder[1] = 12;
        for (int16_t r = 2; r <= 13; ++r) {
            s.RankOrder[r] = static_cast<int16_t>(r - 2);
        }
    }
}

void NewMatchConstants(GameState& s, Random& random) {
    s.HandSize = kHandCards;
    s.ContractPenaltyTotal[kTricks] = 130;
    s.ContractPenaltyTotal[kDiamonds] = 195;
    s.ContractPenaltyTotal[kQueens] = 100;
    s.ContractPenaltyTotal[kKing] = 75;
    DrawOpponentNames(s, random);
    s.ContractsPlayed = 0;
}

void DrawOpponentNames(GameState& s, Random& random) {
    const int a = RandomInt(random, kOpponentNameCount);
    int b = RandomInt(random, kOpponentNameCount);
    while (b == a) {
        b = RandomInt(random, kOpponentNameCount);
    }
    int c = RandomInt(random, kOpponentNameCount);
    while (c == a || c == b) {
        c = RandomInt(random, kOpponentNameCount);
    }
    s.OpponentName[1] = kOpponentNames[a];
    s.OpponentName[2] = kOpponentNames[b];
    s.OpponentName[3] = kOpponentNames[c];
}

void ResetContractCounters(GameState& s) {
    s.TakenCount.fill(0);
    s.TableCardIdCount = 0;
}

int16_t SeatBefore(const GameState& s, int k) {
    return WrapSeat(s.CurrentSeat - k);
}

int16_t CurrentSeatValue(const GameState& s) {
    return s.CurrentSeat;
}

int16_t FindHandSlot(const GameState& s, int seat, int16_t card) {
    // A played slot keeps its old id, so a held slot is preferred.
    int16_t anySlot = -1;
    for (int16_t slot = 0; slot < kHandCards; ++slot) {
        const CardRecord& record = s.Hand[seat][slot];
        if (record.Card == card) {
            if (record.InUse) {
                return slot;
            }
            if (anySlot < 0) {
                anySlot = slot;
            }
        }
    }
    return anySlot;
}
