#include "archive/format_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "sample_files.h"

using ::testing::HasSubstr;

namespace {

TEST(FormatChecksTest, ReadsTheHeaderFactsOfGoodFiles) {
    const std::optional<BmpInfo> card = ReadBmpInfo(SampleBmp(99, 153, 24));
    ASSERT_TRUE(card);
    EXPECT_EQ(card->width, 99);
    EXPECT_EQ(card->height, 153);
    EXPECT_EQ(card->bitsPerPixel, 24);
    EXPECT_FALSE(card->topDown);

    const std::optional<BmpInfo> topDown = ReadBmpInfo(SampleBmp(32, -32, 32));
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->height, 32);
    EXPECT_TRUE(topDown->topDown);

    const std::optional<JpegInfo> background = ReadJpegInfo(SampleJpeg(800, 600));
    ASSERT_TRUE(background);
    EXPECT_EQ(background->width, 800);
    EXPECT_EQ(background->height, 600);
    EXPECT_EQ(background->components, 3);

    const std::optional<PngInfo> larger = ReadPngInfo(SamplePng(297, 459));
    ASSERT_TRUE(larger);
    EXPECT_EQ(larger->width, 297);
    EXPECT_EQ(larger->height, 459);
    EXPECT_EQ(larger->bitDepth, 8);
    EXPECT_EQ(larger->colourType, 2);

    const std::optional<WavInfo> sound = ReadWavInfo(SampleWav(2, 22050, 16, 10));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->sampleRate, 22050u);
    EXPECT_EQ(sound->bitsPerSample, 16);
    EXPECT_EQ(sound->dataOffset, 44u);
    EXPECT_EQ(sound->dataSize, 40u);
}

TEST(FormatChecksTest, AcceptsEveryAllowedBitmapDepthAndSoundFormat) {
    for (uint16_t bits : {8, 16, 24, 32}) {
        for (int32_t side : {1, 3, 4096}) {
            std::string why;
            EXPECT_TRUE(LooksLikeBmp(SampleBmp(side, 1, bits), &why))
                << bits << " bits, width " << side << why;
        }
    }
    for (uint16_t channels : {1, 2}) {
        for (uint16_t bits : {8, 16}) {
            std::string why;
            EXPECT_TRUE(LooksLikeWav(SampleWav(channels, 11025, bits), &why))
                << channels << "x" << bits << why;
        }
    }
}

TEST(FormatChecksTest, AcceptsBitFieldsAndTheShortCoreHeader) {
    std::vector<uint8_t> fields = SampleBmp(4, 4, 16);
    PutLe32(fields, 30, 3);  // bit fields: three masks after the 40-byte header, pixels move up by 12
    fields.insert(fields.begin() + 54, {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0});
    PutLe32(fields, 10, 66);
    EXPECT_TRUE(LooksLikeBmp(fields));

    std::vector<uint8_t> core(26 + 2 * 8, 0);  // 2 x 2 at 24 bits, 12-byte info header
    core[0] = 'B';
    core[1] = 'M';
    PutLe32(core, 10, 26);
    PutLe32(core, 14, 12);
    PutLe16(core, 18, 2);
    PutLe16(core, 20, 2);
    PutLe16(core, 22, 1);
    PutLe16(core, 24, 24);
    const std::optional<BmpInfo> info = ReadBmpInfo(core);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 2);
}

struct BadFile {
    const char* rule;
    std::function<std::vector<uint8_t>()> make;
    std::function<bool(std::span<const uint8_t>, std::string*)> check;
    const char* why;
};

template <typename Patch>
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, Patch patch) {
    patch(bytes);
    return bytes;
}

bool Bmp(std::span<const uint8_t> b, std::string* why) {
    return LooksLikeBmp(b, why);
}
bool Jpeg(std::span<const uint8_t> b, std::string* why) {
    return LooksLikeJpeg(b, why);
}
bool Png(std::span<const uint8_t> b, std::string* why) {
    return LooksLikePng(b, why);
}
bool Wav(std::span<const uint8_t> b, std::string* why) {
    return LooksLikeWav(b, why);
}

const BadFile kBadFiles[] = {
    {"BMP without BM", [] { return Patched(SampleBmp(2, 2), [](auto& b) { b[0] = 'X'; }); }, Bmp, "\"BM\""},
    {"BMP of zero width", [] { return SampleBmp(0, 2); }, Bmp, "outside 1..4096"},
    {"BMP too wide", [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe32(b, 18, 4097); }); }, Bmp,
     "4097"},
    {"BMP of height minimum int",
     [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe32(b, 22, 0x80000000u); }); }, Bmp, "outside"},
    {"BMP of 4 bits", [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe16(b, 28, 4); }); }, Bmp,
     "4 bits"},
    {"BMP run-length coded", [] { return Patched(SampleBmp(2, 2, 8), [](auto& b) { PutLe32(b, 30, 1); }); },
     Bmp, "compression 1"},
    {"BMP of unknown header size",
     [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe32(b, 14, 41); }); }, Bmp,
     "info header size 41"},
    {"BMP of two planes", [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe16(b, 26, 2); }); }, Bmp,
     "planes"},
    {"BMP pixels past the end", [] { return Patched(SampleBmp(8, 8), [](auto& b) { b.pop_back(); }); }, Bmp,
     "runs past the end"},
    {"BMP pixel offset huge",
     [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe32(b, 10, 0xFFFFFFF0u); }); }, Bmp,
     "past the end"},
    {"BMP pixels over the header",
     [] { return Patched(SampleBmp(2, 2), [](auto& b) { PutLe32(b, 10, 20); }); }, Bmp,
     "overlaps the header"},
    {"BMP palette too big", [] { return Patched(SampleBmp(2, 2, 8), [](auto& b) { PutLe32(b, 46, 257); }); },
     Bmp, "palette"},
    {"JPEG without FF D8", [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b[1] = 0xD9; }); }, Jpeg,
     "FF D8"},
    {"JPEG of zero height", [] { return SampleJpeg(8, 0); }, Jpeg, "outside 1..4096"},
    {"JPEG too wide", [] { return SampleJpeg(5000, 8); }, Jpeg, "5000"},
    {"JPEG scan before the frame", [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b[21] = 0xDA; }); },
     Jpeg, "before the frame header"},
    {"JPEG segment past the end", [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b[5] = 0xFF; }); },
     Jpeg, "past the end"},
    {"JPEG lossless", [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b[21] = 0xC3; }); }, Jpeg,
     "not supported"},
    {"JPEG of 12-bit samples", [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b[24] = 12; }); }, Jpeg,
     "12-bit"},
    {"JPEG frame shorter than its components",
     [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b[29] = 4; }); }, Jpeg, "shorter"},
    {"JPEG cut inside its frame header",
     [] { return Patched(SampleJpeg(8, 8), [](auto& b) { b.resize(25); }); }, Jpeg, "past the end"},
    {"PNG without its signature", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[1] = 'p'; }); }, Png,
     "signature"},
    {"PNG without IHDR first", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[12] = 'X'; }); }, Png,
     "IHDR"},
    {"PNG of zero width", [] { return SamplePng(0, 8); }, Png, "outside 1..4096"},
    {"PNG too tall", [] { return SamplePng(8, 5000); }, Png, "5000"},
    {"PNG RGB of 4 bits", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[24] = 4; }); }, Png,
     "colour type 2 with 4 bits"},
    {"PNG of unknown colour type", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[25] = 5; }); }, Png,
     "colour type 5"},
    {"PNG of unknown filter", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[27] = 1; }); }, Png,
     "filter"},
    {"PNG chunk past the end", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[33] = 0x7F; }); }, Png,
     "runs past the end"},
    {"PNG without IDAT", [] { return Patched(SamplePng(8, 8), [](auto& b) { b[37] = 'X'; }); }, Png,
     "no IDAT"},
    {"PNG without IEND", [] { return Patched(SamplePng(8, 8), [](auto& b) { b.resize(b.size() - 12); }); },
     Png, "no IEND"},
    {"WAV without RIFF", [] { return Patched(SampleWav(), [](auto& b) { b[0] = 'r'; }); }, Wav, "RIFF/WAVE"},
    {"WAV compressed", [] { return Patched(SampleWav(), [](auto& b) { PutLe16(b, 20, 2); }); }, Wav,
     "not plain PCM"},
    {"WAV of three channels", [] { return SampleWav(3, 22050, 16); }, Wav, "3 channels"},
    {"WAV of 24 bits", [] { return SampleWav(2, 22050, 24); }, Wav, "24 bits"},
    {"WAV of zero rate", [] { return SampleWav(2, 0, 16); }, Wav, "sample rate 0"},
    {"WAV block alignment lies", [] { return Patched(SampleWav(), [](auto& b) { PutLe16(b, 32, 8); }); }, Wav,
     "disagree"},
    {"WAV data past the end",
     [] { return Patched(SampleWav(), [](auto& b) { PutLe32(b, 40, 0xFFFFFFFFu); }); }, Wav,
     "\"data\" chunk (4294967295 bytes) runs past the end"},
    {"WAV data before fmt", [] { return Patched(SampleWav(), [](auto& b) { b[12] = 'x'; }); }, Wav,
     "before the \"fmt \""},
    {"WAV without data", [] { return Patched(SampleWav(), [](auto& b) { b.resize(44 - 8); }); }, Wav,
     "no \"data\""},
    {"WAV fmt chunk huge", [] { return Patched(SampleWav(), [](auto& b) { PutLe32(b, 16, 0xFFFFFFF0u); }); },
     Wav, "past the end"},
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.rule;
}

class BadFileTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFileTest, IsRefusedWithAReason) {
    std::string why;
    EXPECT_FALSE(GetParam().check(GetParam().make(), &why)) << GetParam().rule;
    EXPECT_FALSE(why.empty());
    EXPECT_THAT(why, HasSubstr(GetParam().why));
}

INSTANTIATE_TEST_SUITE_P(Rules, BadFileTest, ::testing::ValuesIn(kBadFiles), [](const auto& testInfo) {
    std::string name;
    for (const char* c = testInfo.param.rule; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
});

// Whatever is cut off the end, the readers stop at the end of the bytes they were given and refuse.
TEST(FormatChecksTest, EveryTruncationOfAHeaderIsRefused) {
    const std::vector<uint8_t> bmp = SampleBmp(5, 3, 24);
    for (size_t length = 0; length < bmp.size(); ++length) {
        EXPECT_FALSE(LooksLikeBmp(std::span(bmp).first(length))) << length;
    }
    const std::vector<uint8_t> wav = SampleWav();
    for (size_t length = 0; length < wav.size(); ++length) {
        EXPECT_FALSE(LooksLikeWav(std::span(wav).first(length))) << length;
    }
    const std::vector<uint8_t> jpeg = SampleJpeg(8, 8);
    const size_t frameEnd = 20 + 2 + 17;
    for (size_t length = 0; length < frameEnd; ++length) {
        EXPECT_FALSE(LooksLikeJpeg(std::span(jpeg).first(length))) << length;
    }
    EXPECT_TRUE(LooksLikeJpeg(std::span(jpeg).first(frameEnd)));
    const std::vector<uint8_t> png = SamplePng(8, 8);
    for (size_t length = 0; length < png.size(); ++length) {
        EXPECT_FALSE(LooksLikePng(std::span(png).first(length))) << length;
    }
    EXPECT_TRUE(LooksLikePng(png));
}

TEST(FormatChecksTest, ExtensionChoosesTheCheckIgnoringCase) {
    const std::vector<uint8_t> bmp = SampleBmp(2, 2);
    const std::vector<uint8_t> wav = SampleWav();
    EXPECT_TRUE(MatchesItsExtension("mouse.BMP", bmp));
    EXPECT_FALSE(MatchesItsExtension("mouse.bmp", wav));
    EXPECT_TRUE(MatchesItsExtension("SHUFFLE.WAV", wav));
    EXPECT_FALSE(MatchesItsExtension("SHUFFLE.wav", bmp));
    EXPECT_FALSE(MatchesItsExtension("Back_800x600.JPG", bmp));
    EXPECT_TRUE(MatchesItsExtension("Back.jpeg", SampleJpeg(800, 600)));
    EXPECT_TRUE(MatchesItsExtension("mouse@2x.PNG", SamplePng(64, 64)));
    EXPECT_FALSE(MatchesItsExtension("mouse@2x.png", bmp));
    EXPECT_TRUE(MatchesItsExtension("notes.txt", bmp));
    EXPECT_TRUE(MatchesItsExtension("noextension", wav));
}

}  // namespace
