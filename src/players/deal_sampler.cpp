#include "players/deal_sampler.h"

#include <vector>

CardBits SeatView::Unseen() const {
    const CardBits all = ~CardBits{0} >> (64 - kCards);
    return all & ~own & ~played;
}

namespace {

SeatView StartView(const GameState& s, int seat, const CardBitMap& map) {
    SeatView view;
    view.seat = seat;
    view.own =
        map.Of(std::span<const int16_t>(s.HeldCards[seat].data(), static_cast<size_t>(s.HeldCount[seat])));
    view.counts.fill(kHandCards);
    return view;
}

}  // namespace

SeatView TrickSeatView(const GameState& s, int seat, const CardBitMap& map, CardBits forced) {
    SeatView view = StartView(s, seat, map);
    int ledSuit = -1;
    for (int i = 0; i < s.PlayLogCount; ++i) {
        const PlayNote note = s.PlayLog[i];
        if (note.card < 0) {
            continue;
        }
        const int bit = map.BitOf(note.card);
        const int suit = SuitOfBit(bit);
        if (i % 4 == 0) {
            ledSuit = suit;
        } else if (suit != ledSuit) {
            view.excluded[note.seat] |= SuitMask(ledSuit);
            if ((forced & Bit(bit)) == 0) {
                view.excluded[note.seat] |= forced;
            }
        }
        view.played |= Bit(bit);
        --view.counts[note.seat];
    }
    view.counts[seat] = CountBits(view.own);
    return view;
}

SeatView LayoutSeatView(const GameState& s, int seat, const CardBitMap& map) {
    SeatView view = StartView(s, seat, map);
    constexpr int kJackHeight = 10;
    for (int i = 0; i < s.PlayLogCount; ++i) {
        const PlayNote note = s.PlayLog[i];
        if (note.card >= 0) {
            view.played |= Bit(map.BitOf(note.card));
            --view.counts[note.seat];
            continue;
        }
        CardBits fitting = 0;
        for (int suit = 0; suit < 4; ++suit) {
            const CardBits laid = view.played & SuitMask(suit);
            if (laid == 0) {
                fitting |= Bit(kSuitLength * suit + kJackHeight);
                continue;
            }
            const int low = LowestBit(laid);
            const int high = HighestBit(laid);
            if (HeightOfBit(low) > 0) {
                fitting |= Bit(low - 1);
            }
            if (HeightOfBit(high) < kSuitLength - 1) {
                fitting |= Bit(high + 1);
            }
        }
        view.excluded[note.seat] |= fitting;
    }
    view.counts[seat] = CountBits(view.own);
    return view;
}

namespace {

// Hall's condition for the cards still to deal, grouped by the set of seats that may take them:
// every group of seats must have room for the cards that can go nowhere else.
bool Feasible(const std::array<int, 16>& typeCounts, const std::array<int, kSeats>& room) {
    for (int seats = 1; seats < 16; ++seats) {
        int need = 0;
        for (int type = 1; type < 16; ++type) {
            if ((type & ~seats) == 0) {
                need += typeCounts[type];
            }
        }
        int space = 0;
        for (int seat = 0; seat < kSeats; ++seat) {
            space += (seats >> seat) & 1 ? room[seat] : 0;
        }
        if (need > space) {
            return false;
        }
    }
    return typeCounts[0] == 0;
}

}  // namespace

bool SampleDeal(const SeatView& view, ExpertRandom& random, std::array<CardBits, kSeats>& hands) {
    hands.fill(0);
    hands[view.seat] = view.own;
    std::array<int, kSeats> room{};
    for (int seat = 0; seat < kSeats; ++seat) {
        room[seat] = seat == view.seat ? 0 : view.counts[seat];
    }
    int cards[kCards];
    int types[kCards];
    int n = 0;
    std::array<int, 16> typeCounts{};
    for (CardBits b = view.Unseen(); b != 0; b &= b - 1) {
        const int bit = LowestBit(b);
        int type = 0;
        for (int seat = 0; seat < kSeats; ++seat) {
            if (seat != view.seat && room[seat] > 0 && (view.excluded[seat] & Bit(bit)) == 0) {
                type |= 1 << seat;
            }
        }
        cards[n] = bit;
        types[n] = type;
        ++typeCounts[type];
        ++n;
    }
    if (!Feasible(typeCounts, room)) {
        return false;
    }
    for (int i = n - 1; i > 0; --i) {
        const int j = random.Below(i + 1);
        std::swap(cards[i], cards[j]);
        std::swap(types[i], types[j]);
    }
    for (int i = 0; i < n; ++i) {
        --typeCounts[types[i]];
        // Seats that may take the card, drawn in proportion to their room; the first that keeps the
        // rest of the deal possible takes it.
        int tried = 0;
        while (true) {
            int total = 0;
            for (int seat = 0; seat < kSeats; ++seat) {
                if (((types[i] & ~tried) >> seat) & 1) {
                    total += room[seat];
                }
            }
            if (total == 0) {
                return false;
            }
            int pick = random.Below(total);
            int seat = 0;
            for (; seat < kSeats; ++seat) {
                if (((types[i] & ~tried) >> seat) & 1) {
                    if (pick < room[seat]) {
                        break;
                    }
                    pick -= room[seat];
                }
            }
            --room[seat];
            if (Feasible(typeCounts, room)) {
                hands[seat] |= Bit(cards[i]);
                break;
            }
            ++room[seat];
            tried |= 1 << seat;
        }
    }
    return true;
}
