// Replays a player-file fuzzer's inputs through its target with an ordinary build: the seeds made by
// ZARN_FUZZ_SEEDS (one of player_file_seeds.h), then every file in the folders named on the command
// line. Folders that do not exist are skipped, so the corpus of an earlier fuzzing run is replayed
// when there is one.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "player_file_seeds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void ReplayFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    size_t count = 0;
    for (const auto& seed : ZARN_FUZZ_SEEDS()) {
        LLVMFuzzerTestOneInput(seed.second.data(), seed.second.size());
        ++count;
    }
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path place(argv[i]);
        std::error_code error;
        if (std::filesystem::is_directory(place, error)) {
            for (const auto& item : std::filesystem::directory_iterator(place)) {
                if (item.is_regular_file()) {
                    ReplayFile(item.path());
                    ++count;
                }
            }
        } else if (std::filesystem::is_regular_file(place, error)) {
            ReplayFile(place);
            ++count;
        } else {
            std::cout << "skipped " << place.string() << " (not there)\n";
        }
    }
    std::cout << "replayed " << count << " inputs\n";
    return 0;
}
