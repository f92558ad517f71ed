#include "cards/seams.h"

#include <chrono>
#include <sstream>

uint32_t SystemClock::GetTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // Wraps like a 32-bit millisecond counter; callers compare differences.
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int RandomInt(Random& random, int n) {
    return static_cast<int>(random.Rnd() * n);
}

double SeededRandom::Rnd() {
    // 24 random bits over 2^24: the largest value is 1 - 2^-24, so Int(Rnd * n) < n for every n < 2^24.
    const uint32_t bits = engine_() >> 8;
    return static_cast<double>(bits) / 16777216.0;
}

std::string SeededRandom::State() const {
    std::ostringstream out;
    out << engine_;
    return out.str();
}

bool SeededRandom::SetState(const std::string& state) {
    // The engine's text is its 624 state words and its position, each a 32-bit decimal number. The
    // engine would keep a wider word as it stands and draw numbers of 1.0 and more from it.
    std::istringstream words(state);
    std::string word;
    size_t count = 0;
    while (words >> word) {
        if (word.size() > 10 || word.find_first_not_of("0123456789") != std::string::npos ||
            std::stoull(word) > 0xFFFFFFFFULL) {
            return false;
        }
        ++count;
    }
    if (count != std::mt19937::state_size + 1) {
        return false;
    }
    std::istringstream in(state);
    std::mt19937 engine;
    in >> engine;
    // Only text that writes itself back unchanged is a state: this refuses leading zeros, other
    // spacing and a position out of range.
    if (in.fail()) {
        return false;
    }
    std::ostringstream back;
    back << engine;
    if (back.str() != state) {
        return false;
    }
    engine_ = engine;
    return true;
}

uint32_t TimeOfDaySeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

const char* SoundFileName(SoundEffect effect) {
    switch (effect) {
        case SoundEffect::CardFlip1:
            return "CARD_FLIP.WAV";
        case SoundEffect::CardFlip2:
            return "CARD_FLIP2.WAV";
        case SoundEffect::CardFlip3:
            return "CARD_FLIP3.WAV";
        case SoundEffect::Sign1:
            return "SIGN1.WAV";
        case SoundEffect::Sign2:
            return "SIGN2.WAV";
        case SoundEffect::Sign3:
            return "SIGN3.WAV";
        case SoundEffect::Shuffle:
            return "SHUFFLE.WAV";
        case SoundEffect::ContractEnd:
            return "INTRO.WAV";
        case SoundEffect::MatchWon:
            return "WIN_GAME.WAV";
        case SoundEffect::MatchLost:
            return "LOSE_GAME.WAV";
        case SoundEffect::YourTurn:
            return "YOUR_TURN.WAV";
    }
    return "";
}
