#include "flow/thinking_seats.h"

#include "cards/rules.h"
#include "players/deal_sampler.h"

uint64_t DecisionKey(ThinkingSeats::Kind kind, const GameState& s, int seat) {
    uint64_t h = MixHash(static_cast<uint64_t>(kind) + 1, static_cast<uint64_t>(seat));
    h = MixHash(h, static_cast<uint64_t>(s.ContractsPlayed) << 16 | static_cast<uint64_t>(s.Contract) << 8 |
                       static_cast<uint64_t>(s.TableCount));
    h = MixHash(h, static_cast<uint64_t>(s.PlayLogCount));
    for (int i = 0; i < s.PlayLogCount; ++i) {
        h = MixHash(
            h, static_cast<uint64_t>(s.PlayLog[i].card + 1) << 4 | static_cast<uint64_t>(s.PlayLog[i].seat));
    }
    for (int slot = 0; slot <= 12; ++slot) {
        const CardRecord& card = s.Hand[seat][slot];
        h = MixHash(h, card.InUse ? static_cast<uint64_t>(card.Card) + 1 : 0);
    }
    for (int i = 0; i < s.HeldCount[seat]; ++i) {
        h = MixHash(h, static_cast<uint64_t>(s.HeldCards[seat][i]));
    }
    for (int i = 0; i < s.TableCount; ++i) {
        h = MixHash(h, static_cast<uint64_t>(s.TableCards[i].Card));
    }
    for (int other = 0; other < kSeats; ++other) {
        h = MixHash(h, static_cast<uint64_t>(static_cast<uint16_t>(s.SeatInfo[other][kFinishCodeCell])));
        for (int contract = kTricks; contract <= kLayoutContract; ++contract) {
            h = MixHash(h, s.SeatInfo[other][kContractChosenCell + contract] != 0 ? 1 : 0);
        }
    }
    return h | 1;  // never 0, which means "none"
}

ThinkingSeats::ThinkingSeats(uint64_t seed, bool seat0, ExpertSettings settings)
    : player_(seed, settings), seat0_(seat0), worker_([this] { Work(); }) {}

ThinkingSeats::~ThinkingSeats() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void ThinkingSeats::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stop_ || pending_.has_value(); });
        if (stop_) {
            return;
        }
        Job job = std::move(*pending_);
        pending_.reset();
        workingKey_ = job.key;
        lock.unlock();
        int16_t answer = -1;
        switch (job.kind) {
            case Kind::Contract:
                answer = player_.Contract(*job.state, job.seat);
                break;
            case Kind::TrickCard:
                answer = player_.TrickCard(*job.state, job.seat);
                break;
            case Kind::LayoutSlot:
                answer = player_.LayoutSlot(*job.state, job.seat);
                break;
        }
        lock.lock();
        workingKey_ = 0;
        doneKey_ = job.key;
        doneAnswer_ = answer;
    }
}

void ThinkingSeats::Start(Kind kind, const GameState& s, int seat, uint64_t key) {
    // Called with the lock held. A question already being worked on or queued is not asked twice; a
    // newer one replaces a queued one.
    if (workingKey_ == key || (pending_ && pending_->key == key) || doneKey_ == key) {
        return;
    }
    pending_ = Job{kind, seat, key, std::make_unique<GameState>(s)};
    wake_.notify_one();
}

std::optional<int16_t> ThinkingSeats::Ask(Kind kind, const GameState& s, int seat) {
    const uint64_t key = DecisionKey(kind, s, seat);
    std::lock_guard<std::mutex> lock(mutex_);
    if (doneKey_ == key) {
        return doneAnswer_;
    }
    Start(kind, s, seat, key);
    return std::nullopt;
}

std::optional<int16_t> ThinkingSeats::Contract(const GameState& s, int seat) {
    return Ask(Kind::Contract, s, seat);
}

std::optional<int16_t> ThinkingSeats::TrickCard(const GameState& s, int seat) {
    return Ask(Kind::TrickCard, s, seat);
}

std::optional<int16_t> ThinkingSeats::LayoutSlot(const GameState& s, int seat) {
    return Ask(Kind::LayoutSlot, s, seat);
}

void ThinkingSeats::Prepare(const GameState& s) {
    // Only the pause after a card of an unfinished trick (or a laid card) is safe to look past: the next
    // seat and everything it will see are already settled.
    if (s.Phase != Phase::Paused || s.DelayedPhase != Phase::NormalPlay) {
        return;
    }
    GameState next = s;
    if (s.Contract == kLayoutContract) {
        for (int tries = 0; tries < kSeats; ++tries) {
            NextSeat(next);
            if (HeldCardCount(next, next.CurrentSeat) != 0) {
                break;
            }
        }
        if ((next.CurrentSeat == kHumanSeat && !seat0_) || !CanPlayLayout(next) || LayoutFinished(next)) {
            return;
        }
        const uint64_t key = DecisionKey(Kind::LayoutSlot, next, next.CurrentSeat);
        std::lock_guard<std::mutex> lock(mutex_);
        Start(Kind::LayoutSlot, next, next.CurrentSeat, key);
        return;
    }
    if (s.TableCount > 3) {
        return;
    }
    const int seat = (s.CurrentSeat + 1) % kSeats;
    if (seat == kHumanSeat && !seat0_) {
        return;
    }
    const uint64_t key = DecisionKey(Kind::TrickCard, s, seat);
    std::lock_guard<std::mutex> lock(mutex_);
    Start(Kind::TrickCard, s, seat, key);
}

bool ThinkingSeats::Thinking() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return workingKey_ != 0 || pending_.has_value();
}
