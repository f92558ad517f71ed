// Fuzz target for the saved-match loader: any bytes, as they are and with their checksum set right
// (so the fields behind it are reached). A loaded match must play on: the game runs a few hundred
// frames from it, which finds any field that passed the checks and still leads outside the state.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "persistence/byte_codec.h"
#include "persistence/saved_match.h"

namespace {

void LoadAndPlay(const std::vector<uint8_t>& bytes) {
    GameState s;
    SeededRandom random(1);
    ManualClock clock(5000);
    try {
        RestoreSavedMatch(bytes, s, random, clock.GetTickCount());
    } catch (const FileFormatError&) {
        return;
    }
    NullSound sound;
    GameServices services{random, sound, clock};
    AutoPlayer player;
    try {
        for (int frame = 0; frame < 400; ++frame) {
            RunGameFrame(s, player.NextInput(s), services, nullptr);
            clock.Advance(50);
        }
    } catch (const std::logic_error&) {
        // A state whose cards contradict each other ends the game with a message, as in the program.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    LoadAndPlay(bytes);
    if (bytes.size() >= 20) {
        const size_t end = bytes.size() - 4;
        const uint32_t crc = Crc32(std::span(bytes).first(end));
        for (int i = 0; i < 4; ++i) {
            bytes[end + i] = static_cast<uint8_t>(crc >> (8 * i));
        }
        LoadAndPlay(bytes);
    }
    return 0;
}
