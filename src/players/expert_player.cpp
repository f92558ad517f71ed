#include "players/expert_player.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "cards/rules.h"
#include "players/deal_sampler.h"
#include "players/layout_search.h"
#include "players/opponent_model.h"

namespace {

constexpr int kContractCount = 5;

// Deals the model explains this badly are all as bad as each other.
constexpr int kSurpriseLimit = 3;

// What a whole contract costs the table: a seat with an average hand bears a quarter of it.
constexpr std::array<double, kContractCount + 1> kContractWhole{0, 130, 195, 100, 75, -500};

int SidePoints(const std::array<int16_t, kSeats>& points, int side) {
    int total = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        total += (side >> seat) & 1 ? points[seat] : 0;
    }
    return total;
}

int SideReward(const LayoutPosition& p, int side) {
    int total = 0;
    for (int seat = 0; seat < kSeats; ++seat) {
        total += (side >> seat) & 1 ? LayoutReward(p.finishCode[seat]) : 0;
    }
    return total;
}

// The trick position of the real table with the sampled hands.
TrickPosition TablePosition(const GameState& s, int seat, const CardBitMap& map, const TrickRules& rules,
                            const std::array<CardBits, kSeats>& hands) {
    TrickPosition p;
    p.hands = hands;
    p.tableCount = static_cast<int8_t>(s.TableCount);
    p.leader = static_cast<int8_t>(WrapSeat(seat - s.TableCount));
    CardBits onTable = 0;
    for (int i = 0; i < s.TableCount; ++i) {
        p.table[i] = static_cast<int8_t>(map.BitOf(s.TableCards[i].Card));
        onTable |= Bit(p.table[i]);
    }
    p.penaltyLeft = rules.penalty & (p.CardsLeft() | onTable);
    for (int other = 0; other < kSeats; ++other) {
        if (s.SeatInfo[other][kKingLeadSignalCell] != 0) {
            p.signals = static_cast<uint8_t>(p.signals | (1 << other));
        }
    }
    return p;
}

// Plays the rest of the contract: the policy until the ending is small, then the exact search.
int FinishPlay(TrickPosition& p, const TrickRules& rules, bool partnership, int side, int exactCards,
               int modelSeats, TrickSolver& solver) {
    PlayOut(p, rules, partnership, exactCards, modelSeats);
    int value = SidePoints(p.points, side);
    if (!p.Over()) {
        value += solver.Solve(p, rules);
    }
    return value;
}

}  // namespace

int SideMask(const GameState& s, int seat) {
    return s.Options.Partnership ? (1 << seat) | (1 << WrapSeat(seat + 2)) : 1 << seat;
}

ExpertPlayer::ExpertPlayer(uint64_t seed, ExpertSettings settings)
    : seed_(seed), settings_(settings), solver_(16) {}

uint64_t DecisionFacts(const GameState& s, int seat) {
    uint64_t h = MixHash(static_cast<uint64_t>(seat), static_cast<uint64_t>(s.ContractsPlayed) << 16 |
                                                          static_cast<uint64_t>(s.Contract) << 8 |
                                                          static_cast<uint64_t>(s.TableCount));
    h = MixHash(h, static_cast<uint64_t>(s.Options.Partnership) << 8 |
                       static_cast<uint64_t>(s.NextFinishCode & 0xFF));
    h = MixHash(h, static_cast<uint64_t>(s.PlayLogCount));
    for (int i = 0; i < s.PlayLogCount; ++i) {
        h = MixHash(
            h, static_cast<uint64_t>(s.PlayLog[i].card + 1) << 4 | static_cast<uint64_t>(s.PlayLog[i].seat));
    }
    for (int slot = 0; slot <= kLastHandSlot; ++slot) {
        const CardRecord& card = s.Hand[seat][slot];
        h = MixHash(h, card.InUse ? static_cast<uint64_t>(card.Card) + 1 : 0);
    }
    h = MixHash(h, static_cast<uint64_t>(s.HeldCount[seat]));
    for (int i = 0; i < s.HeldCount[seat]; ++i) {
        h = MixHash(h, static_cast<uint64_t>(s.HeldCards[seat][i]));
    }
    for (int i = 0; i < s.TableCount; ++i) {
        h = MixHash(h, static_cast<uint64_t>(s.TableCards[i].Card));
    }
    for (int other = 0; other < kSeats; ++other) {
        const auto& info = s.SeatInfo[other];
        uint64_t notes = static_cast<uint16_t>(info[kFinishCodeCell]);
        for (int contract = kTricks; contract <= kLayoutContract; ++contract) {
            notes = notes << 1 | (info[kContractChosenCell + contract] != 0 ? 1 : 0);
        }
        notes = notes << 1 | (info[kKingLeadSignalCell] != 0 ? 1 : 0);
        h = MixHash(h, notes);
    }
    return h;
}

uint64_t ExpertPlayer::DecisionSeed(const GameState& s, int seat) const {
    return MixHash(seed_, DecisionFacts(s, seat));
}

std::vector<std::array<CardBits, kSeats>> ExpertPlayer::TrickDeals(const GameState& s, const SeatView& view,
                                                                   const CardBitMap& map,
                                                                   const TrickRules& rules, int modelSeats,
                                                                   ExpertRandom& random) const {
    std::vector<SeenPlay> plays;
    for (int i = 0; i < s.PlayLogCount; ++i) {
        if (s.PlayLog[i].card >= 0) {
            plays.push_back(
                {static_cast<int8_t>(s.PlayLog[i].seat), static_cast<int8_t>(map.BitOf(s.PlayLog[i].card))});
        }
    }
    const bool infer = modelSeats != 0 && !plays.empty();
    const int pool =
        infer ? settings_.trickSamples * std::max(1, settings_.inferencePool) : settings_.trickSamples;
    std::vector<std::array<CardBits, kSeats>> drawn;
    std::vector<int> surprises;
    int explained = 0;
    std::array<CardBits, kSeats> hands{};
    for (int i = 0; i < pool && explained < settings_.trickSamples; ++i) {
        if (!SampleDeal(view, random, hands)) {
            break;
        }
        const int n =
            infer ? ModelSurprises(plays, hands, rules, s.Options.Partnership, modelSeats, kSurpriseLimit)
                  : 0;
        explained += n == 0 ? 1 : 0;
        drawn.push_back(hands);
        surprises.push_back(n);
    }
    // The deals the model explains best, in the order they were drawn.
    std::vector<size_t> order(drawn.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return surprises[a] < surprises[b]; });
    order.resize(std::min(order.size(), static_cast<size_t>(settings_.trickSamples)));
    std::sort(order.begin(), order.end());
    std::vector<std::array<CardBits, kSeats>> kept;
    kept.reserve(order.size());
    for (size_t i : order) {
        kept.push_back(drawn[i]);
    }
    return kept;
}

int16_t ExpertPlayer::TrickCard(const GameState& s, int seat) {
    const CardBitMap map(s, false);
    const TrickRules rules = RulesForContract(s.Contract, map);
    const SeatView view = TrickSeatView(s, seat, map, rules.forced);
    std::array<CardBits, kSeats> known{};
    known[seat] = view.own;
    const CardBits legal = LegalMoves(TablePosition(s, seat, map, rules, known), rules);
    const std::span<const int16_t> held(s.HeldCards[seat].data(), static_cast<size_t>(s.HeldCount[seat]));
    if (CountBits(legal) <= 1) {
        for (int16_t card : held) {
            if (legal == Bit(map.BitOf(card))) {
                return card;
            }
        }
        return held.empty() ? int16_t{-1} : held.front();
    }
    const bool partnership = s.Options.Partnership;
    const int side = SideMask(s, seat);
    solver_.Reset(side, partnership, settings_.opponentsByPolicy, settings_.opponentsByModel);
    const int modelSeats = settings_.opponentsByModel ? ~side & 15 : 0;
    const int playoutModelSeats = modelSeats | (settings_.sideByModel ? side : 0);
    ExpertRandom random(DecisionSeed(s, seat));
    const int exactCards = s.Contract == kTricks ? settings_.exactCardsTricks : settings_.exactCards;
    const std::vector<std::array<CardBits, kSeats>> deals =
        TrickDeals(s, view, map, rules, modelSeats, random);
    std::array<double, kCards> total{};
    for (const auto& hands : deals) {
        const TrickPosition start = TablePosition(s, seat, map, rules, hands);
        CardBits inPlay = start.CardsLeft();
        for (int t = 0; t < start.tableCount; ++t) {
            inPlay |= Bit(start.table[t]);
        }
        const CardBits distinct = DistinctCards(legal, inPlay, rules.penalty);
        std::array<int, kCards> value{};
        for (CardBits b = legal; b != 0; b &= b - 1) {
            const int bit = LowestBit(b);
            if ((distinct & Bit(bit)) == 0) {
                // The same as the distinct card just below it in this deal.
                const CardBits below = distinct & SuitMask(SuitOfBit(bit)) & (Bit(bit) - 1);
                value[bit] = value[HighestBit(below)];
                total[bit] += value[bit];
                continue;
            }
            TrickPosition p = start;
            PlayCard(p, rules, bit);
            value[bit] = FinishPlay(p, rules, partnership, side, exactCards, playoutModelSeats, solver_);
            total[bit] += value[bit];
        }
    }
    int16_t choice = -1;
    double best = 0;
    for (int16_t card : held) {
        const int bit = map.BitOf(card);
        if ((legal & Bit(bit)) == 0) {
            continue;
        }
        if (choice < 0 || total[bit] < best) {
            choice = card;
            best = total[bit];
        }
    }
    return choice;
}

int16_t ExpertPlayer::LayoutSlot(const GameState& s, int seat) {
    const CardBitMap map(s, true);
    const SeatView view = LayoutSeatView(s, seat, map);
    const CardBits playable = view.own & FittingCards(view.played);
    auto slotOf = [&](int bit) -> int16_t {
        for (int16_t slot = 0; slot <= kLastHandSlot; ++slot) {
            const CardRecord& card = s.Hand[seat][slot];
            if (card.InUse && map.BitOf(card.Card) == bit) {
                return slot;
            }
        }
        return -1;
    };
    if (playable == 0) {
        return -1;
    }
    if (CountBits(playable) == 1) {
        return slotOf(LowestBit(playable));
    }
    LayoutPosition start;
    start.laid = view.played;
    start.toMove = static_cast<int8_t>(seat);
    start.nextCode = static_cast<int8_t>(s.NextFinishCode);
    for (int other = 0; other < kSeats; ++other) {
        start.finishCode[other] = static_cast<int8_t>(s.SeatInfo[other][kFinishCodeCell]);
    }
    const int side = SideMask(s, seat);
    ExpertRandom random(DecisionSeed(s, seat));
    std::array<double, kCards> total{};
    std::array<CardBits, kSeats> hands{};
    for (int i = 0; i < settings_.layoutSamples; ++i) {
        if (!SampleDeal(view, random, hands)) {
            break;
        }
        for (CardBits b = playable; b != 0; b &= b - 1) {
            LayoutPosition p = start;
            p.hands = hands;
            LayCard(p, LowestBit(b));
            if (!p.Over()) {
                NextTurn(p);
                PlayOutLayout(p);
            }
            total[LowestBit(b)] += SideReward(p, side);
        }
    }
    // The highest reward; ties go to the lower hand slot.
    int16_t choice = -1;
    double best = 0;
    for (int16_t slot = 0; slot <= kLastHandSlot; ++slot) {
        const CardRecord& card = s.Hand[seat][slot];
        if (!card.InUse || (playable & Bit(map.BitOf(card.Card))) == 0) {
            continue;
        }
        const double value = total[map.BitOf(card.Card)];
        if (choice < 0 || value > best) {
            choice = slot;
            best = value;
        }
    }
    return choice;
}

int16_t ExpertPlayer::Contract(const GameState& s, int seat) {
    std::vector<int16_t> open;
    for (int16_t contract = kTricks; contract <= kLayoutContract; ++contract) {
        if (s.SeatInfo[seat][kContractChosenCell + contract] == 0) {
            open.push_back(contract);
        }
    }
    if (open.empty()) {
        return kTricks;
    }
    if (open.size() == 1) {
        return open.front();
    }
    const int side = SideMask(s, seat);
    const int sideSize = s.Options.Partnership ? 2 : 1;
    const bool partnership = s.Options.Partnership;
    const CardBitMap trickMap(s, false);
    const CardBitMap layoutMap(s, true);
    SeatView view;
    view.seat = seat;
    view.own = trickMap.Of(
        std::span<const int16_t>(s.HeldCards[seat].data(), static_cast<size_t>(s.HeldCount[seat])));
    view.counts.fill(kHandCards);
    ExpertRandom random(DecisionSeed(s, seat));
    std::array<double, kContractCount + 1> cost{};
    std::vector<std::array<CardBits, kSeats>> deals;
    deals.reserve(static_cast<size_t>(settings_.contractSamples));
    for (int i = 0; i < settings_.contractSamples; ++i) {
        std::array<CardBits, kSeats> hands{};
        if (!SampleDeal(view, random, hands)) {
            break;
        }
        deals.push_back(hands);
    }
    const int leader = WrapSeat(seat + 1);  // the seat after the chooser plays first
    const int modelSeats = settings_.opponentsByModel ? ~side & 15 : 0;
    for (int16_t contract : open) {
        if (contract == kLayoutContract) {
            for (const auto& hands : deals) {
                LayoutPosition p;
                for (int other = 0; other < kSeats; ++other) {
                    // Trick bits to layout bits, card by card.
                    for (CardBits b = hands[other]; b != 0; b &= b - 1) {
                        p.hands[other] |= Bit(layoutMap.BitOf(trickMap.CardOf(LowestBit(b))));
                    }
                }
                p.toMove = static_cast<int8_t>(leader);
                PlayOutLayout(p);
                cost[contract] -= SideReward(p, side);
            }
            continue;
        }
        const TrickRules rules = RulesForContract(contract, trickMap);
        // One contract's rules per table: positions of two contracts must not meet in it.
        if (settings_.contractExactCards > 0) {
            solver_.Reset(side, partnership, settings_.opponentsByPolicy, settings_.opponentsByModel);
        }
        for (const auto& hands : deals) {
            TrickPosition p;
            p.hands = hands;
            p.leader = static_cast<int8_t>(leader);
            p.penaltyLeft = rules.penalty;
            cost[contract] +=
                FinishPlay(p, rules, partnership, side, settings_.contractExactCards, modelSeats, solver_);
        }
    }
    // The contract where the hand does best against what the contract costs an average hand.
    int16_t choice = open.front();
    double best = 0;
    bool first = true;
    for (int16_t contract : open) {
        const double advantage =
            cost[contract] / settings_.contractSamples - kContractWhole[contract] * sideSize / kSeats;
        if (first || advantage < best) {
            choice = contract;
            best = advantage;
            first = false;
        }
    }
    return choice;
}
