#include "flow/thinking_seats.h"

#include <stdexcept>
#include <utility>

#include "cards/rules.h"
#include "players/mix_hash.h"

uint64_t DecisionKey(ThinkingSeats::Kind kind, const GameState& s, int seat) {
    return MixHash(static_cast<uint64_t>(kind) + 1, DecisionFacts(s, seat)) | 1;  // never 0, "none"
}

ThinkingSeats::ThinkingSeats(uint64_t seed, bool seat0, ExpertSettings settings)
    : ThinkingSeats(std::make_unique<ExpertPlayer>(seed, settings), seat0) {}

ThinkingSeats::ThinkingSeats(std::unique_ptr<SeatPlayer> player, bool seat0)
    : player_(std::move(player)), seat0_(seat0), worker_([this] { Work(); }) {}

ThinkingSeats::~ThinkingSeats() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

int16_t ThinkingSeats::Decide(const Job& job) {
    switch (job.kind) {
        case Kind::Contract:
            return player_->Contract(*job.state, job.seat);
        case Kind::TrickCard:
            return player_->TrickCard(*job.state, job.seat);
        case Kind::LayoutSlot:
            return player_->LayoutSlot(*job.state, job.seat);
    }
    return -1;
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
        std::exception_ptr failure;
        // Nothing may leave the worker's function: an escaping exception would end the program before
        // the game could keep its match.
        try {
            answer = Decide(job);
        } catch (const std::exception&) {
            failure = std::current_exception();
        } catch (...) {
            failure = std::make_exception_ptr(std::runtime_error("a computer player failed"));
        }
        lock.lock();
        workingKey_ = 0;
        if (failure) {
            failure_ = failure;
        } else {
            doneKey_ = job.key;
            doneAnswer_ = answer;
        }
    }
}

void ThinkingSeats::ThrowIfFailed() const {
    if (failure_) {
        std::rethrow_exception(failure_);
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
    ThrowIfFailed();
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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ThrowIfFailed();  // each frame of a pause passes here: a failure surfaces even with no question
    }
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
    const int seat = WrapSeat(s.CurrentSeat + 1);
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
