// Fuzz target for the settings loader: any bytes as the settings file give the settings, or the
// defaults with the file moved aside (damage) or left in place (a newer Zarn's file), never a crash;
// whatever is loaded stays within its ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "dialog/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zarn-settings-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "zarn.conf";
    std::filesystem::remove(folder / "zarn.conf.bad");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const LoadedSettings loaded = LoadSettings(file);
    const PlayerSettings& s = loaded.settings;
    auto side = [](int v, int smallest) { return v == 0 || (v >= smallest && v <= 16384); };
    const bool inRange = (s.DeckName == "Roya2" || s.DeckName == "Royal") && side(s.WindowWidth, 200) &&
                         side(s.WindowHeight, 150);
    const bool setAside = std::filesystem::exists(folder / "zarn.conf.bad");
    const bool leftInPlace = std::filesystem::exists(file);
    // A message comes exactly with a file set aside, or with a newer Zarn's file left as it is.
    const bool told = !loaded.message.empty();
    const bool accounted = loaded.newerVersion ? told && leftInPlace && !setAside : told == setAside;
    if (!inRange || !accounted) {
        std::abort();
    }
    std::filesystem::remove(file);
    return 0;
}
