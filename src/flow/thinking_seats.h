#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "flow/computer_seats.h"
#include "players/expert_player.h"

// The expert players on a worker thread, so the frame loop never waits for them. Each question is
// answered from a copy of the state; the answer depends only on that state and the seed, never on
// when the worker ran, so a seeded match plays the same however fast the machine is. During the pause
// before a computer card the next question is worked out ahead (Prepare).
//
// A decision that throws does not end the program on the worker: the exception is kept and thrown
// again on the game's thread at the next question or Prepare, and at every one after it (the player is
// broken for good), so the game's loop can save the match and stop with a reported fault. An exception
// that is no std::exception arrives as a std::runtime_error.
class ThinkingSeats final : public ComputerSeats {
public:
    // `seat0`: seat 0 is played by the computer too (demo mode), so its turns are prepared as well.
    ThinkingSeats(uint64_t seed, bool seat0, ExpertSettings settings = {});
    // The worker asks `player` (tests hand in one that fails).
    ThinkingSeats(std::unique_ptr<SeatPlayer> player, bool seat0);
    ~ThinkingSeats() override;
    ThinkingSeats(const ThinkingSeats&) = delete;
    ThinkingSeats& operator=(const ThinkingSeats&) = delete;

    std::optional<int16_t> Contract(const GameState& s, int seat) override;
    std::optional<int16_t> TrickCard(const GameState& s, int seat) override;
    std::optional<int16_t> LayoutSlot(const GameState& s, int seat) override;
    void Prepare(const GameState& s) override;
    bool Thinking() const override;

    enum class Kind : uint8_t { Contract, TrickCard, LayoutSlot };

private:
    struct Job {
        Kind kind = Kind::TrickCard;
        int seat = 0;
        uint64_t key = 0;
        std::unique_ptr<GameState> state;
    };
    std::optional<int16_t> Ask(Kind kind, const GameState& s, int seat);
    void Start(Kind kind, const GameState& s, int seat, uint64_t key);
    void ThrowIfFailed() const;  // with the lock held
    int16_t Decide(const Job& job);
    void Work();

    std::unique_ptr<SeatPlayer> player_;  // used by the worker only
    bool seat0_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;
    uint64_t workingKey_ = 0;
    uint64_t doneKey_ = 0;
    int16_t doneAnswer_ = -1;
    std::exception_ptr failure_;  // what a decision threw on the worker
    bool stop_ = false;
    std::thread worker_;  // last: it starts once everything above is ready
};

// What a decision depends on, as one number: the kind and the seat's DecisionFacts.
uint64_t DecisionKey(ThinkingSeats::Kind kind, const GameState& s, int seat);
