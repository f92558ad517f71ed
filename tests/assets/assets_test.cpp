// Checks the generated res118.pak: every file the game loads is there with its size and format, the
// keyed pictures keep to the key-colour rule, the cards read as real cards, and the sounds are short,
// clean PCM.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QImage>
#include <QTransform>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "archive/format_checks.h"
#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "cards/card_tables.h"
#include "cards/game_state.h"
#include "picture_checks.h"

namespace {

constexpr int kCardWidth = 99;
constexpr int kCardHeight = 153;
constexpr std::array<ResourceFolder, 2> kDecks = {ResourceFolder::Roya2, ResourceFolder::Royal};
constexpr std::array<const char*, 4> kSuitLetters = {"C", "D", "H", "S"};

bool RedInk(QRgb c) {
    return qRed(c) > 140 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool BlackInk(QRgb c) {
    return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80 && std::abs(qRed(c) - qBlue(c)) < 30;
}
bool SkinTone(QRgb c) {
    return qRed(c) > 220 && qGreen(c) > 180 && qGreen(c) < 230 && qBlue(c) > 140 && qBlue(c) < 200;
}

int CountPixels(const QImage& picture, const QRect& area, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += test(picture.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

class GeneratedArchive : public ::testing::Test {
protected:
    void SetUp() override {
        archive_.OpenQ2Pak(ZARN_RES_PAK);
        ASSERT_GE(archive_.NumEntrys(), 0) << ZARN_RES_PAK << " holds no entries";
        set_ = ResourceSet::FromArchive(archive_);
        names_ = std::make_unique<GameState>();
        InitCardTables(*names_);
    }

    const std::vector<uint8_t>& Bytes(ResourceFolder folder, const std::string& name) const {
        const std::vector<uint8_t>* bytes = set_->Find(folder, name);
        if (bytes == nullptr) {
            ADD_FAILURE() << "missing " << FolderName(folder) << "/" << name;
            return empty_;
        }
        return *bytes;
    }

    QImage Picture(ResourceFolder folder, const std::string& name) const {
        const QImage picture = DecodePicture(Bytes(folder, name));
        EXPECT_FALSE(picture.isNull()) << FolderName(folder) << "/" << name << " does not decode";
        return picture;
    }

    std::string FaceName(int rank, int suit) const {
        return names_->CardImageName[static_cast<size_t>(4 * (rank - 1) + suit)];
    }

    // Every picture that is drawn with the colour key.
    std::vector<std::pair<ResourceFolder, std::string>> KeyedPictures() const {
        std::vector<std::pair<ResourceFolder, std::string>> all;
        for (ResourceFolder folder : {ResourceFolder::Bitmaps, ResourceFolder::Numbers, ResourceFolder::Roya2,
                                      ResourceFolder::Royal, ResourceFolder::Fonts}) {
            for (const std::string& name : set_->FileNames(folder)) {
                if (LowerAscii(name).ends_with(".bmp")) {
                    all.emplace_back(folder, name);
                }
            }
        }
        return all;
    }

    PakArchive archive_;
    std::optional<ResourceSet> set_;
    std::unique_ptr<GameState> names_;
    const std::vector<uint8_t> empty_;
};

TEST_F(GeneratedArchive, HoldsOnlyThisGamesMarkers) {
    std::set<std::string> markers;
    for (int32_t id = 0; id <= archive_.NumEntrys(); ++id) {
        const std::string name = archive_.EntryFileName(id);
        if (name.starts_with("dumm")) {
            markers.insert(name.substr(0, 7));
        }
    }
    EXPECT_EQ(markers, (std::set<std::string>{"dumm118", "dummy2_"}));
}

struct FixedPicture {
    ResourceFolder folder;
    const char* name;
    int width;
    int height;
};

TEST_F(GeneratedArchive, PicturesWithABindingSizeAre24BitBitmapsOfThatSize) {
    const FixedPicture pictures[] = {
        {ResourceFolder::Bitmaps, "mouse.bmp", 32, 32},     {ResourceFolder::Numbers, "tricks.BMP", 256, 52},
        {ResourceFolder::Numbers, "diamonds.BMP", 256, 52}, {ResourceFolder::Numbers, "queens.BMP", 256, 52},
        {ResourceFolder::Numbers, "king.BMP", 256, 52},     {ResourceFolder::Numbers, "zarn.BMP", 256, 52},
    };
    for (const FixedPicture& p : pictures) {
        SCOPED_TRACE(p.name);
        const std::vector<uint8_t>& bytes = Bytes(p.folder, p.name);
        std::string why;
        const std::optional<BmpInfo> info = ReadBmpInfo(bytes, &why);
        ASSERT_TRUE(info.has_value()) << why;
        EXPECT_EQ(info->width, p.width);
        EXPECT_EQ(info->height, p.height);
        EXPECT_EQ(info->bitsPerPixel, 24);
        EXPECT_EQ(Picture(p.folder, p.name).size(), QSize(p.width, p.height));
    }
}

TEST_F(GeneratedArchive, BackgroundIsAScreenSizedBaselineJpeg) {
    const std::vector<uint8_t>& bytes = Bytes(ResourceFolder::Bitmaps, "Back_800x600.jpg");
    std::string why;
    const std::optional<JpegInfo> info = ReadJpegInfo(bytes, &why);
    ASSERT_TRUE(info.has_value()) << why;
    EXPECT_EQ(info->width, 800);
    EXPECT_EQ(info->height, 600);
    EXPECT_EQ(info->components, 3);
    EXPECT_EQ(info->frameMarker, 0xC0);
    const QImage felt = Picture(ResourceFolder::Bitmaps, "Back_800x600.jpg");
    ASSERT_EQ(felt.size(), QSize(800, 600));
    // A green table: green leads in the middle of the screen.
    const QRgb middle = felt.pixel(400, 300);
    EXPECT_GT(qGreen(middle), qRed(middle) + 20);
    EXPECT_GT(qGreen(middle), qBlue(middle) + 10);
}

TEST_F(GeneratedArchive, EachDeckHasEveryFaceItsBackAndFrameAtCardSize) {
    for (ResourceFolder deck : kDecks) {
        std::vector<std::string> files;
        for (int id = 0; id < kCards; ++id) {
            files.push_back(names_->CardImageName[static_cast<size_t>(id)]);
        }
        files.emplace_back("S_cardback.bmp");
        files.emplace_back("FrameBlue.bmp");
        for (const std::string& name : files) {
            SCOPED_TRACE(std::string(FolderName(deck)) + "/" + name);
            const std::optional<BmpInfo> info = ReadBmpInfo(Bytes(deck, name));
            ASSERT_TRUE(info.has_value());
            EXPECT_EQ(info->width, kCardWidth);
            EXPECT_EQ(info->height, kCardHeight);
            EXPECT_EQ(info->bitsPerPixel, 24);
        }
    }
}

TEST_F(GeneratedArchive, KeyColourIsExactMagentaAndNothingIsDrawnTowardIt) {
    const auto pictures = KeyedPictures();
    EXPECT_GT(pictures.size(), 110u);
    for (const auto& [folder, name] : pictures) {
        SCOPED_TRACE(std::string(FolderName(folder)) + "/" + name);
        const QImage picture = Picture(folder, name);
        int strayKeys = 0;
        int pinkish = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y);
                strayKeys += IsKey(c) && (c & 0xFFFFFFu) != 0xFF00FFu ? 1 : 0;
                pinkish += IsPinkish(c) ? 1 : 0;
            }
        }
        EXPECT_EQ(strayKeys, 0) << "pixels that turn into the key only after the 16-bit conversion";
        EXPECT_EQ(pinkish, 0) << "pixels blended toward the key colour";
        for (const QPoint& p : EdgePixels(picture)) {
            ASSERT_FALSE(IsPinkish(picture.pixel(p))) << "pink fringe at " << p.x() << "," << p.y();
        }
    }
}

TEST_F(GeneratedArchive, CardsAreOpaqueButForTheirRoundedCorners) {
    for (ResourceFolder deck : kDecks) {
        std::vector<std::string> files;
        for (int id = 0; id < kCards; ++id) {
            files.push_back(names_->CardImageName[static_cast<size_t>(id)]);
        }
        files.emplace_back("S_cardback.bmp");
        for (const std::string& name : files) {
            SCOPED_TRACE(std::string(FolderName(deck)) + "/" + name);
            const QImage card = Picture(deck, name);
            ASSERT_EQ(card.size(), QSize(kCardWidth, kCardHeight));
            for (const QPoint corner : {QPoint(0, 0), QPoint(98, 0), QPoint(0, 152), QPoint(98, 152)}) {
                EXPECT_TRUE(IsKey(card.pixel(corner))) << "corner " << corner.x() << "," << corner.y();
            }
            int keyOutsideCorners = 0;
            for (int y = 0; y < kCardHeight; ++y) {
                for (int x = 0; x < kCardWidth; ++x) {
                    const bool nearCorner = (x < 8 || x >= kCardWidth - 8) && (y < 8 || y >= kCardHeight - 8);
                    keyOutsideCorners += !nearCorner && IsKey(card.pixel(x, y)) ? 1 : 0;
                }
            }
            EXPECT_EQ(keyOutsideCorners, 0);
        }
        const QImage frame = Picture(deck, "FrameBlue.bmp");
        EXPECT_TRUE(IsKey(frame.pixel(49, 76))) << "the frame is open in the middle";
        EXPECT_FALSE(IsKey(frame.pixel(49, 1))) << "the frame has a rim";
        EXPECT_GT(qBlue(frame.pixel(49, 1)), qRed(frame.pixel(49, 1)) + 60) << "the frame is blue";
    }
}

TEST_F(GeneratedArchive, NumberCardsShowAsManyPipsAsTheirRankAndAcesOne) {
    const QRect pipArea(20, 8, 59, 138);  // between the two corner indices
    for (ResourceFolder deck : kDecks) {
        for (int suit = 0; suit < 4; ++suit) {
            const bool red = suit == 1 || suit == 2;
            for (int rank = 1; rank <= 10; ++rank) {
                SCOPED_TRACE(std::string(FolderName(deck)) + "/" + FaceName(rank, suit));
                const QImage card = Picture(deck, FaceName(rank, suit));
                EXPECT_EQ(CountBlobs(card, pipArea, red ? RedInk : BlackInk), rank);
                EXPECT_EQ(CountBlobs(card, pipArea, red ? BlackInk : RedInk), 0) << "ink of the other colour";
            }
        }
    }
}

TEST_F(GeneratedArchive, CornerIndicesAreInTheSuitsColourAndTurnedRoundOpposite) {
    const QRect topLeft(2, 3, 18, 34);
    for (ResourceFolder deck : kDecks) {
        for (int id = 0; id < kCards; ++id) {
            const int suit = id % 4;
            const bool red = suit == 1 || suit == 2;
            const std::string name = FaceName(id / 4 + 1, suit);
            SCOPED_TRACE(std::string(FolderName(deck)) + "/" + name);
            const QImage card = Picture(deck, name);
            const QImage corner = card.copy(topLeft);
            EXPECT_GT(CountPixels(corner, corner.rect(), red ? RedInk : BlackInk), 40);
            EXPECT_EQ(CountPixels(corner, corner.rect(), red ? BlackInk : RedInk), 0);
            const QRect bottomRight(kCardWidth - topLeft.right() - 1, kCardHeight - topLeft.bottom() - 1,
                                    topLeft.width(), topLeft.height());
            const QImage turned = card.copy(bottomRight).transformed(QTransform().rotate(180));
            EXPECT_LT(MeanDifference(corner, turned), 6.0);
        }
    }
}

TEST_F(GeneratedArchive, CourtCardsShowAFaceInEachHalf) {
    for (ResourceFolder deck : kDecks) {
        for (int rank = 11; rank <= 13; ++rank) {
            for (int suit = 0; suit < 4; ++suit) {
                SCOPED_TRACE(std::string(FolderName(deck)) + "/" + FaceName(rank, suit));
                const QImage card = Picture(deck, FaceName(rank, suit));
                EXPECT_GT(CountPixels(card, QRect(20, 10, 59, 66), SkinTone), 60);
                EXPECT_GT(CountPixels(card, QRect(20, 77, 59, 66), SkinTone), 60);
            }
        }
    }
}

TEST_F(GeneratedArchive, TheTwoDecksLookDifferent) {
    EXPECT_GT(MeanDifference(Picture(ResourceFolder::Roya2, "S_cardback.bmp"),
                             Picture(ResourceFolder::Royal, "S_cardback.bmp")),
              40.0);
    for (int rank = 11; rank <= 13; ++rank) {
        for (int suit = 0; suit < 4; ++suit) {
            SCOPED_TRACE(FaceName(rank, suit));
            EXPECT_GT(MeanDifference(Picture(ResourceFolder::Roya2, FaceName(rank, suit)),
                                     Picture(ResourceFolder::Royal, FaceName(rank, suit))),
                      8.0);
        }
    }
}

TEST_F(GeneratedArchive, ContractPicturesAreDistinctButtonsOnTheFelt) {
    std::vector<QImage> buttons;
    for (const std::string& name : names_->ContractImageName) {
        SCOPED_TRACE(name);
        const QImage button = Picture(ResourceFolder::Numbers, name);
        ASSERT_EQ(button.size(), QSize(256, 52));
        EXPECT_TRUE(IsKey(button.pixel(0, 0)));
        EXPECT_TRUE(IsKey(button.pixel(255, 51)));
        EXPECT_FALSE(IsKey(button.pixel(128, 26)));
        buttons.push_back(button);
    }
    for (size_t a = 0; a < buttons.size(); ++a) {
        for (size_t b = a + 1; b < buttons.size(); ++b) {
            EXPECT_GT(MeanDifference(buttons[a], buttons[b]), 2.0) << a << " and " << b;
        }
    }
    const QImage pass = Picture(ResourceFolder::Numbers, names_->PassImageName);
    EXPECT_GT(pass.width(), 0);
    EXPECT_LE(pass.width(), 160) << "the pass sign of seat 1 must fit left of the screen edge";
}

TEST_F(GeneratedArchive, ScorePageCoversTheSheetAndShowsItsLeftStripAtTheEdge) {
    const QImage page = Picture(ResourceFolder::Bitmaps, "Scorepage_800x600.bmp");
    const QPoint at(156, 4);
    ASSERT_LE(at.x() + page.width(), 800);
    ASSERT_LE(at.y() + page.height(), 572) << "the clock and banner line stays on the felt";
    // The sheet's text runs from (208, 94) to the result line at 469 + 27, 18 glyphs of 17 pixels wide.
    const QRect text(QPoint(208, 94) - at, QPoint(208 + 18 * 17 + 2, 469 + 27) - at);
    ASSERT_TRUE(page.rect().contains(text));
    EXPECT_EQ(CountPixels(page, text, IsKey), 0) << "holes under the sheet's text";
    // During play the page's left 20 columns show at the right screen edge.
    const int strip = CountPixels(page, QRect(0, 0, 20, page.height()), [](QRgb c) { return !IsKey(c); });
    EXPECT_GT(strip, 20 * page.height() / 2);
    const QImage line = Picture(ResourceFolder::Bitmaps, "line_horz.bmp");
    EXPECT_LE(223 + line.width(), at.x() + page.width()) << "the ruling line stays on the paper";
    EXPECT_GT(CountPixels(line, line.rect(), [](QRgb c) { return !IsKey(c); }), line.width());
}

TEST_F(GeneratedArchive, CursorHasItsHotSpotAtTheCentre) {
    const QImage cursor = Picture(ResourceFolder::Bitmaps, "mouse.bmp");
    ASSERT_EQ(cursor.size(), QSize(32, 32));
    EXPECT_FALSE(IsKey(cursor.pixel(16, 16)));
    EXPECT_TRUE(IsKey(cursor.pixel(0, 0)));
    EXPECT_TRUE(IsKey(cursor.pixel(15, 15))) << "nothing of the pointer lies before its tip";
}

TEST_F(GeneratedArchive, FontSheetsHoldANarrowGlyphForEveryPrintableCode) {
    constexpr int kCell = 19;
    constexpr int kRow = 27;
    for (const char* name : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
        SCOPED_TRACE(name);
        const QImage sheet = Picture(ResourceFolder::Fonts, name);
        ASSERT_EQ(sheet.width(), 20 * kCell);
        ASSERT_EQ(sheet.height() % kRow, 0);
        ASSERT_GE(sheet.height() / kRow, 5) << "codes 32 to 126 need five rows";
        const int cells = 20 * (sheet.height() / kRow);
        for (int cell = 0; cell < cells; ++cell) {
            const QRect box((cell % 20) * kCell, (cell / 20) * kRow, kCell, kRow);
            int left = kCell;
            int right = -1;
            for (int y = box.top(); y <= box.bottom(); ++y) {
                for (int x = box.left(); x <= box.right(); ++x) {
                    if (!IsKey(sheet.pixel(x, y))) {
                        left = std::min(left, x - box.left());
                        right = std::max(right, x - box.left());
                    }
                }
            }
            const int code = cell + 32;
            if (code == 32) {
                EXPECT_EQ(right, -1) << "the blank is empty";
            } else if (code <= 126) {
                EXPECT_GE(right, 0) << "no glyph for code " << code;
            }
            if (right >= 0) {
                EXPECT_LE(right - left + 1, 17) << "glyph of code " << code << " wider than the advance";
            }
        }
    }
}

TEST_F(GeneratedArchive, SoundsAreShortCleanStereoPcm) {
    const char* sounds[] = {"CARD_FLIP.WAV", "CARD_FLIP2.WAV", "CARD_FLIP3.WAV", "SIGN1.WAV",
                            "SIGN2.WAV",     "SIGN3.WAV",      "SHUFFLE.WAV",    "INTRO.WAV",
                            "WIN_GAME.WAV",  "LOSE_GAME.WAV"};
    std::set<std::vector<uint8_t>> distinct;
    for (const char* name : sounds) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t>& bytes = Bytes(ResourceFolder::Sounds, name);
        std::string why;
        const std::optional<WavInfo> info = ReadWavInfo(bytes, &why);
        ASSERT_TRUE(info.has_value()) << why;
        EXPECT_EQ(info->channels, 2);
        EXPECT_EQ(info->sampleRate, 22050u);
        EXPECT_EQ(info->bitsPerSample, 16);
        EXPECT_EQ(info->blockAlign, 4);
        EXPECT_EQ(info->byteRate, 88200u);
        const size_t frames = info->dataSize / 4;
        const double seconds = static_cast<double>(frames) / 22050.0;
        EXPECT_GT(seconds, 0.05);
        EXPECT_LT(seconds, 3.0);
        auto sample = [&](size_t frame, int channel) {
            const size_t at = info->dataOffset + frame * 4 + static_cast<size_t>(channel) * 2;
            return static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8));
        };
        int peak = 0;
        double power = 0.0;
        for (size_t f = 0; f < frames; ++f) {
            for (int c = 0; c < 2; ++c) {
                peak = std::max(peak, std::abs(static_cast<int>(sample(f, c))));
                power += static_cast<double>(sample(f, c)) * sample(f, c);
            }
        }
        // No click where the sound starts or stops: both ends at silence.
        for (int c = 0; c < 2; ++c) {
            EXPECT_LE(std::abs(static_cast<int>(sample(0, c))), 64);
            EXPECT_LE(std::abs(static_cast<int>(sample(frames - 1, c))), 64);
        }
        EXPECT_GT(peak, 8000) << "audible";
        EXPECT_LT(peak, 32000) << "not clipped";
        EXPECT_GT(std::sqrt(power / (2.0 * static_cast<double>(frames))), 500.0);
        distinct.insert(std::vector<uint8_t>(bytes.begin() + info->dataOffset, bytes.end()));
    }
    EXPECT_EQ(distinct.size(), std::size(sounds)) << "every effect is a sound of its own";
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AssetGenerator, WritesTheSameArchiveOnEveryRun) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zarn-assetgen-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path again = folder / "res118.pak";
    const std::filesystem::path hdAgain = folder / "res118-hd.pak";
    // In the sanitizer build the generator runs with the leak check of every test on.
    const std::filesystem::path errors = folder / "stderr";
    const std::string command = "env QT_QPA_PLATFORM=offscreen '" + std::string(ZARN_ASSETGEN) + "' '" +
                                again.string() + "' --hd '" + hdAgain.string() + "' 2>'" + errors.string() +
                                "'";
    const int status = std::system(command.c_str());
    const std::vector<uint8_t> errorText = ReadWholeFile(errors);
    ASSERT_EQ(status, 0) << command << "\n" << std::string(errorText.begin(), errorText.end());
    const std::vector<uint8_t> first = ReadWholeFile(ZARN_RES_PAK);
    const std::vector<uint8_t> second = ReadWholeFile(again);
    const std::vector<uint8_t> hdFirst = ReadWholeFile(ZARN_RES_HD_PAK);
    const std::vector<uint8_t> hdSecond = ReadWholeFile(hdAgain);
    std::filesystem::remove_all(folder);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(hdFirst.empty());
    EXPECT_TRUE(first == second) << "the generator's output changed between two runs";
    EXPECT_TRUE(hdFirst == hdSecond) << "the larger pictures changed between two runs";
}

}  // namespace
