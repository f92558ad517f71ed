#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "players/card_bits.h"
#include "players/computer_player.h"
#include "players/layout_choice.h"
#include "players/opponent_model.h"
#include "players/player_knowledge.h"
#include "players/trick_choice.h"
#include "players/trick_search.h"
#include "test_support.h"

// Many random deals played to random points, each choice checked against the rules. The test draws
// its own random numbers; the players draw none.

namespace {

constexpr int kHandScan = 13;

std::span<const int16_t> HeldList(const GameState& s, int seat) {
    return {s.HeldCards[seat].data(), static_cast<size_t>(s.HeldCount[seat])};
}

bool HoldsCard(const GameState& s, int seat, int16_t card) {
    for (int slot = 0; slot < kHandScan; ++slot) {
        if (s.Hand[seat][slot].InUse && s.Hand[seat][slot].Card == card) {
            return true;
        }
    }
    return false;
}

// The rules of play for any seat, as the human's card is judged.
bool SeatMayPlay(const GameState& s, int seat, int16_t card) {
    if (s.Contract == kLayoutContract) {
        return IsLayoutPlayable(s, card);
    }
    if (s.TableCount < 1) {
        return true;
    }
    const int32_t ledSuit = s.CardSuit[s.TableCards[0].Card];
    bool holdsLedSuit = false;
    for (int slot = 0; slot < kHandScan; ++slot) {
        const CardRecord& held = s.Hand[seat][slot];
        holdsLedSuit = holdsLedSuit || (held.InUse && s.CardSuit[held.Card] == ledSuit);
    }
    if (holdsLedSuit) {
        return s.CardSuit[card] == ledSuit;
    }
    const auto held = HeldList(s, seat);
    switch (s.Contract) {
        case kKing:
            return !HoldsKingOfHearts(s, held) || card == kKingOfHearts;
        case kQueens:
            return !HoldsQueen(s, held) || s.CardRank[card] == 12;
        case kDiamonds:
            return !HoldsDiamond(s, held) || s.CardSuit[card] == kDiamondsSuit;
        default:
            return true;
    }
}

GameState RandomDeal(std::mt19937& rng, int16_t contract) {
    GameState s = MakeState(contract);
    std::vector<int16_t> deck(kCards);
    std::iota(deck.begin(), deck.end(), int16_t{0});
    std::shuffle(deck.begin(), deck.end(), rng);
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int slot = 0; slot < kHandScan; ++slot) {
            CardRecord& record = s.Hand[seat][slot];
            record.Card = deck[static_cast<size_t>(seat * kHandScan + slot)];
            record.InUse = true;
        }
        RebuildHeld(s, seat);
    }
    s.Options.Partnership = std::bernoulli_distribution(0.5)(rng);
    s.SuitHigh.fill(10);
    s.SuitLow.fill(12);
    return s;
}

int Pick(std::mt19937& rng, size_t count) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(rng);
}

void RemoveFromHand(GameState& s, int seat, int16_t card) {
    for (int slot = 0; slot < kHandScan; ++slot) {
        if (s.Hand[seat][slot].InUse && s.Hand[seat][slot].Card == card) {
            s.Hand[seat][slot].InUse = false;
        }
    }
    RebuildHeld(s, seat);
}

// Plays one card of a trick contract for the seat to move, as the flow would: the computer's choice or,
// half the time, any card the rules allow; a finished trick goes to its winner's pile.
void PlayTrickCard(GameState& s, std::mt19937& rng) {
    const int seat = s.CurrentSeat;
    int16_t card = 0;
    if (std::bernoulli_distribution(0.5)(rng)) {
        NoteKingLeadSignal(s, seat);
        card = ChooseTrickCard(s, seat);
    } else {
        std::vector<int16_t> legal;
        for (int16_t id : HeldList(s, seat)) {
            if (SeatMayPlay(s, seat, id)) {
                legal.push_back(id);
            }
        }
        card = legal[static_cast<size_t>(Pick(rng, legal.size()))];
    }
    RemoveFromHand(s, seat, card);
    CardRecord& placed = s.TableCards[s.TableCount++];
    placed.Card = card;
    placed.InUse = true;
    if (s.TableCount < 4) {
        s.CurrentSeat = static_cast<int16_t>((seat + 1) % kSeats);
        return;
    }
    const int winner = (seat + 1 + TrickWinnerSlot(s)) % kSeats;  // the leader sits after the fourth seat
    for (int slot = 0; slot < 4; ++slot) {
        s.WonPile[winner][s.WonCount[winner]++] = s.TableCards[slot];
    }
    s.TableCount = 0;
    s.CurrentSeat = static_cast<int16_t>(winner);
}

// Deals the cards the seat cannot see afresh among the other seats, each keeping its number of cards.
GameState ShuffleHiddenHands(const GameState& s, int seat, std::mt19937& rng) {
    GameState other = s;
    std::vector<int16_t> hidden;
    for (int k = 0; k < kSeats; ++k) {
        if (k != seat) {
            for (int16_t id : HeldList(s, k)) {
                hidden.push_back(id);
            }
        }
    }
    std::shuffle(hidden.begin(), hidden.end(), rng);
    size_t next = 0;
    for (int k = 0; k < kSeats; ++k) {
        if (k == seat) {
            continue;
        }
        for (int slot = 0; slot < kHandScan; ++slot) {
            if (other.Hand[k][slot].InUse) {
                other.Hand[k][slot].Card = hidden[next++];
            }
        }
        RebuildHeld(other, k);
    }
    return other;
}

// A random deal of the trick contract, a random seat to move and a random number of cards played;
// with `signals`, King-lead signals left as a human may have left them.
GameState RandomTrickPosition(std::mt19937& rng, int16_t contract, bool signals) {
    GameState s = RandomDeal(rng, contract);
    s.CurrentSeat = static_cast<int16_t>(Pick(rng, kSeats));
    if (signals) {
        for (int seat = 0; seat < kSeats; ++seat) {
            s.SeatInfo[seat][kKingLeadSignalCell] = std::bernoulli_distribution(0.2)(rng) ? kTrueCell : 0;
        }
    }
    const int plays = Pick(rng, kCards);
    for (int k = 0; k < plays; ++k) {
        PlayTrickCard(s, rng);
    }
    return s;
}

TEST(PlayerProperties, SeatLegalityAgreesWithTheHumansRule) {
    std::mt19937 rng(7);
    for (int round = 0; round < 400; ++round) {
        const auto contract = static_cast<int16_t>(1 + round % 4);
        GameState s = RandomDeal(rng, contract);
        s.CurrentSeat = static_cast<int16_t>(Pick(rng, kSeats));
        const int plays = Pick(rng, kCards);
        for (int k = 0; k < plays && s.HeldCount[0] > 0; ++k) {
            PlayTrickCard(s, rng);
        }
        for (int slot = 0; slot < kHandScan; ++slot) {
            const CardRecord& record = s.Hand[0][slot];
            if (record.InUse) {
                ASSERT_EQ(SeatMayPlay(s, 0, record.Card), IsLegalPlay(s, record)) << "card " << record.Card;
            }
        }
    }
}

TEST(PlayerProperties, TrickChoiceIsAlwaysAHeldLegalCardAndDependsOnlyOnWhatTheSeatSees) {
    std::mt19937 rng(2026);
    int checked = 0;
    for (int round = 0; round < 1500; ++round) {
        const auto contract = static_cast<int16_t>(1 + round % 4);
        GameState s = RandomTrickPosition(rng, contract, true);
        const int seat = s.CurrentSeat;
        ASSERT_GT(s.HeldCount[seat], 0);
        const int16_t card = ChooseTrickCard(s, seat);
        ASSERT_TRUE(HoldsCard(s, seat, card)) << "round " << round;
        ASSERT_TRUE(SeatMayPlay(s, seat, card)) << "round " << round;

        const GameState copy = s;
        EXPECT_EQ(ChooseTrickCard(copy, seat), card);
        const GameState shuffled = ShuffleHiddenHands(s, seat, rng);
        EXPECT_EQ(ChooseTrickCard(shuffled, seat), card) << "round " << round;
        EXPECT_EQ(TrickCardScores(shuffled, seat), TrickCardScores(s, seat));
        ++checked;
    }
    EXPECT_EQ(checked, 1500);
}

TEST(PlayerProperties, HeightValueFromTheCountsAgreesWithTheCardsAboveAndBelow) {
    // The counted heights against a walk over the piles: the height, the lopsidedness, a tenth of the size.
    std::mt19937 rng(77);
    for (int round = 0; round < 600; ++round) {
        GameState s = RandomTrickPosition(rng, static_cast<int16_t>(1 + round % 4), false);
        const auto list = HeldList(s, s.CurrentSeat);
        const int count = static_cast<int>(list.size());
        for (int16_t card : list) {
            const int higher = KnownHigher(s, card, list, count);
            const int lower = KnownLower(s, card, list, count);
            const double expected =
                s.RankOrder[s.CardRank[card]] + std::abs(higher - lower) + (lower + higher) / 10.0;
            ASSERT_EQ(HeightValue(s, card, list, count), expected) << "round " << round << " card " << card;
        }
    }
}

// The state's trick position with every hand open, and the signals the seats have given.
TrickPosition OpenPosition(const GameState& s, const CardBitMap& map, const TrickRules& rules) {
    TrickPosition p;
    for (int seat = 0; seat < kSeats; ++seat) {
        p.hands[seat] = map.Of(HeldList(s, seat));
        if (s.SeatInfo[seat][kKingLeadSignalCell] != 0) {
            p.signals = static_cast<uint8_t>(p.signals | (1 << seat));
        }
    }
    p.tableCount = static_cast<int8_t>(s.TableCount);
    p.leader = static_cast<int8_t>((s.CurrentSeat - s.TableCount + kSeats) % kSeats);
    for (int i = 0; i < s.TableCount; ++i) {
        p.table[i] = static_cast<int8_t>(map.BitOf(s.TableCards[i].Card));
    }
    p.penaltyLeft = rules.penalty;
    return p;
}

TEST(PlayerProperties, TheExpertsModelOfAnotherSeatScoresEveryCardAsTheClassicSeatDoes) {
    std::mt19937 rng(4242);
    int checked = 0;
    for (int round = 0; round < 1500; ++round) {
        const auto contract = static_cast<int16_t>(1 + round % 4);
        GameState s = RandomTrickPosition(rng, contract, true);
        const int seat = s.CurrentSeat;
        const CardBitMap map(s, false);
        const TrickRules rules = RulesForContract(contract, map);
        const TrickPosition p = OpenPosition(s, map, rules);
        ASSERT_EQ(p.ToMove(), seat);
        std::array<double, kCards> model{};
        ModelScores(p, rules, s.Options.Partnership, model);
        const std::vector<double> classic = TrickCardScores(s, seat);
        const auto list = HeldList(s, seat);
        const CardBits legal = LegalMoves(p, rules);
        double best = -1e9;
        for (size_t i = 0; i < list.size(); ++i) {
            const int bit = map.BitOf(list[i]);
            ASSERT_EQ((legal & Bit(bit)) != 0, SeatMayPlay(s, seat, list[i])) << "round " << round;
            if ((legal & Bit(bit)) != 0) {
                ASSERT_EQ(model[bit], classic[i]) << "round " << round << " card " << list[i];
                best = std::max(best, classic[i]);
            }
        }
        // The model's card is one the Classic seat rates highest.
        const int move = ModelMove(p, rules, s.Options.Partnership);
        ASSERT_NE(legal & Bit(move), 0U);
        const auto at = std::find(list.begin(), list.end(), map.CardOf(move));
        ASSERT_NE(at, list.end());
        EXPECT_EQ(classic[static_cast<size_t>(at - list.begin())], best) << "round " << round;
        ++checked;
    }
    EXPECT_EQ(checked, 1500);
}

TEST(PlayerProperties, TheModelIsSurprisedExactlyByThePlaysTheClassicSeatWouldNotHaveMade) {
    std::mt19937 rng(515);
    for (int round = 0; round < 400; ++round) {
        const auto contract = static_cast<int16_t>(1 + round % 4);
        GameState s = RandomDeal(rng, contract);
        s.CurrentSeat = static_cast<int16_t>(Pick(rng, kSeats));
        const CardBitMap map(s, false);
        const TrickRules rules = RulesForContract(contract, map);
        const int modelSeats = 1 + Pick(rng, 15);
        const double straying = round % 3 == 0 ? 0.0 : 0.3;  // a third of the deals all by the rules
        std::vector<SeenPlay> seen;
        int expected = 0;
        const int plays = Pick(rng, kCards);
        for (int k = 0; k < plays; ++k) {
            const int seat = s.CurrentSeat;
            const std::vector<double> scores = TrickCardScores(s, seat);
            const double best = *std::max_element(scores.begin(), scores.end());
            std::vector<size_t> legal;
            for (size_t i = 0; i < scores.size(); ++i) {
                if (SeatMayPlay(s, seat, HeldList(s, seat)[i])) {
                    legal.push_back(i);
                }
            }
            size_t pick = static_cast<size_t>(std::find(scores.begin(), scores.end(), best) - scores.begin());
            if (std::bernoulli_distribution(straying)(rng)) {
                pick = legal[static_cast<size_t>(Pick(rng, legal.size()))];
            }
            const int16_t card = HeldList(s, seat)[pick];
            if (((modelSeats >> seat) & 1) != 0 && scores[pick] < best) {
                ++expected;
            }
            NoteKingLeadSignal(s, seat);
            seen.push_back({static_cast<int8_t>(seat), static_cast<int8_t>(map.BitOf(card))});
            RemoveFromHand(s, seat, card);
            s.TableCards[s.TableCount++].Card = card;
            if (s.TableCount < 4) {
                s.CurrentSeat = static_cast<int16_t>((seat + 1) % kSeats);
                continue;
            }
            const int winner = (seat + 1 + TrickWinnerSlot(s)) % kSeats;
            for (int slot = 0; slot < 4; ++slot) {
                s.WonPile[winner][s.WonCount[winner]++] = s.TableCards[slot];
            }
            s.TableCount = 0;
            s.CurrentSeat = static_cast<int16_t>(winner);
        }
        std::array<CardBits, kSeats> hands{};
        for (int seat = 0; seat < kSeats; ++seat) {
            hands[seat] = map.Of(HeldList(s, seat));
        }
        EXPECT_EQ(ModelSurprises(seen, hands, rules, s.Options.Partnership, modelSeats), expected)
            << "round " << round;
    }
}

TEST(PlayerProperties, WholeDealsPlayedByTheComputerFollowTheRules) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        GameState s = RandomDeal(rng, static_cast<int16_t>(1 + round % 4));
        s.CurrentSeat = static_cast<int16_t>(round % kSeats);
        for (int k = 0; k < kCards; ++k) {
            const int seat = s.CurrentSeat;
            NoteKingLeadSignal(s, seat);
            const int16_t card = ChooseTrickCard(s, seat);
            ASSERT_TRUE(HoldsCard(s, seat, card));
            ASSERT_TRUE(SeatMayPlay(s, seat, card));
            RemoveFromHand(s, seat, card);
            CardRecord& placed = s.TableCards[s.TableCount++];
            placed.Card = card;
            if (s.TableCount < 4) {
                s.CurrentSeat = static_cast<int16_t>((seat + 1) % kSeats);
                continue;
            }
            const int winner = (seat + 1 + TrickWinnerSlot(s)) % kSeats;
            for (int slot = 0; slot < 4; ++slot) {
                s.WonPile[winner][s.WonCount[winner]++] = s.TableCards[slot];
            }
            s.TableCount = 0;
            s.CurrentSeat = static_cast<int16_t>(winner);
        }
        EXPECT_EQ(s.WonCount[0] + s.WonCount[1] + s.WonCount[2] + s.WonCount[3], kCards);
    }
}

// Lays a card for the seat if it can: the computer's choice or any fitting card.
void LayCard(GameState& s, int seat, std::mt19937& rng) {
    std::vector<int> fitting;
    for (int slot = 0; slot < kHandScan; ++slot) {
        if (s.Hand[seat][slot].InUse && IsLayoutPlayable(s, s.Hand[seat][slot].Card)) {
            fitting.push_back(slot);
        }
    }
    if (fitting.empty()) {
        return;  // a pass
    }
    const int slot = std::bernoulli_distribution(0.5)(rng)
                         ? ChooseLayoutCard(s, seat)
                         : fitting[static_cast<size_t>(Pick(rng, fitting.size()))];
    const int16_t card = s.Hand[seat][slot].Card;
    const int32_t suit = s.CardSuit[card];
    const int16_t rank = s.CardRank[card];
    if (rank == s.SuitLow[suit] - 1) {
        s.SuitLow[suit] = rank;
    }
    if (rank == s.SuitHigh[suit] + 1) {
        s.SuitHigh[suit] = rank;
    }
    s.Hand[seat][slot].InUse = false;
    RebuildHeld(s, seat);
}

TEST(PlayerProperties, LayoutChoiceIsAlwaysAHeldFittingSlot) {
    std::mt19937 rng(11);
    int asked = 0;
    for (int round = 0; round < 600; ++round) {
        GameState s = RandomDeal(rng, kLayoutContract);
        const int turns = Pick(rng, 120);
        int seat = Pick(rng, kSeats);
        for (int k = 0; k < turns && !LayoutFinished(s); ++k) {
            if (HeldCardCount(s, seat) > 0) {
                LayCard(s, seat, rng);
            }
            seat = (seat + 1) % kSeats;
        }
        for (int who = 0; who < kSeats; ++who) {
            s.CurrentSeat = static_cast<int16_t>(who);
            const int16_t slot = ChooseLayoutCard(s, who);
            if (!CanPlayLayout(s)) {
                EXPECT_EQ(slot, -1);
                continue;
            }
            ++asked;
            ASSERT_GE(slot, 0);
            ASSERT_LT(slot, kHandScan);
            ASSERT_TRUE(s.Hand[who][slot].InUse) << "round " << round;
            ASSERT_TRUE(IsLayoutPlayable(s, s.Hand[who][slot].Card)) << "round " << round;
            const GameState copy = s;
            EXPECT_EQ(ChooseLayoutCard(copy, who), slot);
            EXPECT_EQ(ChooseLayoutCard(ShuffleHiddenHands(s, who, rng), who), slot);
        }
    }
    EXPECT_GT(asked, 600);
}

TEST(PlayerProperties, ContractChoiceIsAlwaysOneTheSeatHasNotChosen) {
    std::mt19937 rng(5);
    for (int round = 0; round < 3000; ++round) {
        GameState s = RandomDeal(rng, kTricks);
        // The order in force is the previous contract's: ace high, or the rank itself after the layout.
        s.Contract = std::bernoulli_distribution(0.2)(rng) ? kLayoutContract : kTricks;
        SetRankOrder(s);
        const int seat = Pick(rng, kSeats);
        const int mask = std::uniform_int_distribution<int>(0, 30)(rng);  // never all five
        for (int16_t contract = 1; contract <= 5; ++contract) {
            if ((mask >> (contract - 1)) & 1) {
                MarkContractChosen(s, seat, contract);
            }
        }
        const int16_t choice = ChooseContract(s, seat);
        ASSERT_GE(choice, 1);
        ASSERT_LE(choice, 5);
        ASSERT_EQ(s.SeatInfo[seat][kContractChosenCell + choice], 0) << "round " << round;
        EXPECT_EQ(ChooseContract(GameState(s), seat), choice);
        EXPECT_EQ(ChooseContract(ShuffleHiddenHands(s, seat, rng), seat), choice);
    }
}

TEST(PlayerProperties, EverySeatChoosesFiveDifferentContractsInAMatch) {
    std::mt19937 rng(31);
    for (int round = 0; round < 300; ++round) {
        GameState s = MakeState(kTricks);
        const int seat = Pick(rng, kSeats);
        std::vector<int16_t> chosen;
        for (int deal = 0; deal < 5; ++deal) {
            GameState dealt = RandomDeal(rng, s.Contract);
            dealt.SeatInfo = s.SeatInfo;
            const int16_t contract = ChooseContract(dealt, seat);
            MarkContractChosen(s, seat, contract);
            chosen.push_back(contract);
            s.Contract = contract;  // its order is the next choice's order
            SetRankOrder(s);
        }
        std::sort(chosen.begin(), chosen.end());
        EXPECT_EQ(chosen, (std::vector<int16_t>{1, 2, 3, 4, 5}));
    }
}

}  // namespace
