// Writes the fuzzer's seed corpus into the folder given as the only argument.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "pak_seeds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_pak_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : MakePakSeeds()) {
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "make_pak_seeds: cannot write " << (folder / name).string() << "\n";
            return 1;
        }
    }
    return 0;
}
