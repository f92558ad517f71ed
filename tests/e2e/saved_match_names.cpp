// Loads a saved match with the game's own reader and prints what identifies the match: the opponents'
// names (first line) and the contracts played (second line). The monkey test compares the names before
// and after the game resumed the match: a match the game could not load would be reported, set aside and
// replaced by a new one, with other names. Exit status 1 (and the reader's reason) when the file cannot be
// loaded.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "cards/game_state.h"
#include "persistence/byte_codec.h"
#include "persistence/saved_match.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: saved_match_names FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: no such file\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    GameState state;
    try {
        DecodeSavedMatch(bytes, state);
    } catch (const FileFormatError& e) {
        std::fprintf(stderr, "%s does not load: %s\n", argv[1], e.what());
        return 1;
    }
    std::printf("opponents '%s' '%s' '%s'\n", state.OpponentName[1].c_str(), state.OpponentName[2].c_str(),
                state.OpponentName[3].c_str());
    std::printf("%d contracts played\n", static_cast<int>(state.ContractsPlayed));
    return 0;
}
