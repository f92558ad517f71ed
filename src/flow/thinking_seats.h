#pragma once

#include <condition_variable>
#include <cstdint>
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
class ThinkingSeats final : public ComputerSeats {
public:
    // `seat0`: seat 0 is played by the computer too (demo mode), so its turns are prepared as well.
    ThinkingSeats(uint64_t seed, bool seat0, ExpertSettings settings = {});
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
    void Work();

    ExpertPlayer player_;  // used by the worker only
    bool seat0_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;
    uint64_t workingKey_ = 0;
    uint64_t doneKey_ = 0;
    int16_t doneAnswer_ = -1;
    bool stop_ = false;
    std::thread worker_;
};

// What a decision depends on, as one number: the kind, the seat, the contract, the deal's play so far,
// the seat's hand and the trick on the table.
uint64_t DecisionKey(ThinkingSeats::Kind kind, const GameState& s, int seat);
