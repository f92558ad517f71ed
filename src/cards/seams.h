#pragma once

#include <cstdint>
#include <random>
#include <string>

// The game never calls the system clock, a random source or the sound device directly. It talks to
// these small interfaces; the platform implements them and tests fake them.

// Milliseconds since some start, 32-bit and wrapping: compare with unsigned differences.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t GetTickCount() = 0;
};

// A clock that a test or the simulator advances by hand.
class ManualClock final : public Clock {
public:
    explicit ManualClock(uint32_t start = 0) : now_(start) {}
    uint32_t GetTickCount() override { return now_; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t ms) { now_ = ms; }

private:
    uint32_t now_;
};

// The system's monotonic millisecond counter.
class SystemClock final : public Clock {
public:
    uint32_t GetTickCount() override;
};

// Uniform numbers in [0, 1). Int(Rnd() * n) must stay below n, so 1.0 is never returned.
class Random {
public:
    virtual ~Random() = default;
    virtual double Rnd() = 0;
};

// Int(Rnd x n): 0..n-1.
int RandomInt(Random& random, int n);

// The game's generator: 24-bit uniform steps, like the single-precision generator the game was
// designed around, from a seedable Mersenne Twister.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(uint32_t seed) : engine_(seed) {}
    double Rnd() override;

    // The generator's whole state as text, so a saved match goes on with exactly the numbers it would
    // have drawn.
    std::string State() const;
    // Takes a state written by State(); false (and the generator unchanged) for any other text.
    bool SetState(const std::string& state);

private:
    std::mt19937 engine_;
};

// Seed from the time of day, as the game does when no seed is given.
uint32_t TimeOfDaySeed();

// Sound effects, in the game's load order.
enum class SoundEffect : int {
    CardFlip1 = 0,
    CardFlip2,
    CardFlip3,
    Sign1,
    Sign2,
    Sign3,
    Shuffle,
    ContractEnd,
    MatchWon,
    MatchLost,
    YourTurn,  // spoken play's cue, kept in the second archive
};
inline constexpr int kSoundEffectCount = 11;

// File name of an effect in the archive's sound folder.
const char* SoundFileName(SoundEffect effect);

class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlaySound(SoundEffect effect) = 0;
};

// Silence: used by tests and whenever no audio device opened.
class NullSound final : public SoundSink {
public:
    void PlaySound(SoundEffect) override {}
};
