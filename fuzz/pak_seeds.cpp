#include "pak_seeds.h"

#include "archive/pak_writer.h"
#include "sample_files.h"

std::vector<std::pair<std::string, std::vector<uint8_t>>> MakePakSeeds() {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> seeds;
    seeds.emplace_back("game.pak", BuildPak(SampleGameEntries()));
    seeds.emplace_back("empty.pak", BuildPak({}));
    seeds.emplace_back("one-entry.pak", BuildPak({{"Xounds_SIGN1.WAV", SampleWav(1, 11025, 8, 3)}}));

    std::vector<uint8_t> nulPadded = BuildPak({{"XntFonts_fntHandParker.bmp", SampleBmp(3, 2, 8)}});
    for (size_t i = 26; i < 56; ++i) {
        nulPadded[DirectoryEntryAt(nulPadded, 0) + i] = 0;
    }
    seeds.emplace_back("nul-padded.pak", nulPadded);

    seeds.emplace_back("bad-marker.pak", BuildPak({{"dummy1_", {}}, {"Xitmaps_mouse.bmp", SampleBmp(4, 4)}}));
    seeds.emplace_back("case-twins.pak", BuildPak({{"Xoyal_a.bmp", {}}, {"XOYAL_A.BMP", {}}}));

    std::vector<uint8_t> lying = BuildPak({{"Xoya2_FrameBlue.bmp", SampleBmp(2, 2)}});
    PutLe32(lying, DirectoryEntryAt(lying, 0) + 60, 0x7FFFFFF0u);
    seeds.emplace_back("lying-size.pak", lying);

    seeds.emplace_back("picture.bmp", SampleBmp(5, -3, 32));
    seeds.emplace_back("background.jpg", SampleJpeg(800, 600));
    seeds.emplace_back("sound.wav", SampleWav());
    return seeds;
}
