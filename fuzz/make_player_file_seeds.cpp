// Writes the player-file fuzzers' seed corpora into FOLDER/saved_match, FOLDER/statistics and
// FOLDER/settings (used by scripts/fuzz.sh).
#include <filesystem>
#include <fstream>
#include <iostream>

#include "player_file_seeds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_player_file_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    const std::pair<const char*, FuzzSeeds> sets[] = {
        {"saved_match", MakeSavedMatchSeeds()},
        {"statistics", MakeStatisticsSeeds()},
        {"settings", MakeSettingsSeeds()},
    };
    for (const auto& [folder, seeds] : sets) {
        std::filesystem::create_directories(root / folder);
        for (const auto& [name, bytes] : seeds) {
            std::ofstream out(root / folder / name, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::cerr << "make_player_file_seeds: cannot write " << (root / folder / name).string()
                          << "\n";
                return 1;
            }
        }
    }
    return 0;
}
