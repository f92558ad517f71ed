// Checks the generated res118-hd.pak: every picture of res118.pak drawn again at twice and three times
// its size, under the name the game looks for, keeping the key-colour rule and the 1x picture's shape.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "archive/format_checks.h"
#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "picture_checks.h"

namespace {

constexpr std::array<int, 2> kScales = {2, 3};
constexpr std::array<ResourceFolder, 5> kPictureFolders = {ResourceFolder::Bitmaps, ResourceFolder::Numbers,
                                                           ResourceFolder::Roya2, ResourceFolder::Royal,
                                                           ResourceFolder::Fonts};

struct ScaledPicture {
    ResourceFolder folder;
    std::string name;  // the 1x name
    int scale;
    QImage base;
    QImage picture;
};

class HdArchive : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        base_.emplace(ResourceSet::FromFile(ZARN_RES_PAK));
        hd_.emplace(ResourceSet::FromFile(ZARN_RES_HD_PAK));
        for (ResourceFolder folder : kPictureFolders) {
            for (const std::string& name : base_->FileNames(folder)) {
                const QImage base = DecodePicture(*base_->Find(folder, name));
                for (int scale : kScales) {
                    const std::vector<uint8_t>* bytes = hd_->Find(folder, ScaledPictureName(name, scale));
                    pictures_.push_back(
                        {folder, name, scale, base, bytes == nullptr ? QImage() : DecodePicture(*bytes)});
                }
            }
        }
    }
    static void TearDownTestSuite() {
        pictures_.clear();
        hd_.reset();
        base_.reset();
    }

    static std::string Trace(const ScaledPicture& p) {
        return std::string(FolderName(p.folder)) + "/" + ScaledPictureName(p.name, p.scale);
    }

    static inline std::optional<ResourceSet> base_;
    static inline std::optional<ResourceSet> hd_;
    static inline std::vector<ScaledPicture> pictures_;
};

TEST_F(HdArchive, HoldsBothLargerScalesOfEveryPictureAndSpokenPlaysCueAndNothingElse) {
    EXPECT_GT(pictures_.size(), 2 * 110u);
    EXPECT_EQ(hd_->size(), pictures_.size() + 1) << "only the pictures, each at 2x and 3x, and the cue";
    const auto sounds = hd_->FileNames(ResourceFolder::Sounds);
    ASSERT_EQ(sounds.size(), 1U);
    EXPECT_EQ(LowerAscii(sounds[0]), "your_turn.wav");
    EXPECT_EQ(base_->Find(ResourceFolder::Sounds, sounds[0]), nullptr) << "the first archive stays as it was";
    PakArchive archive;
    archive.OpenQ2Pak(ZARN_RES_HD_PAK);
    ASSERT_GE(archive.NumEntrys(), 1);
    EXPECT_EQ(archive.EntryFileName(0).substr(0, 7), "dumm118");
    EXPECT_EQ(archive.EntryFileName(archive.NumEntrys()).substr(0, 7), "dummy2_");
}

TEST_F(HdArchive, EachPictureIsExactlyItsScaleTimesTheSizeOfItsTypeAtOne) {
    for (const ScaledPicture& p : pictures_) {
        SCOPED_TRACE(Trace(p));
        ASSERT_FALSE(p.picture.isNull()) << "missing or not decodable";
        EXPECT_EQ(p.picture.size(), p.base.size() * p.scale);
        const std::vector<uint8_t>& bytes = *hd_->Find(p.folder, ScaledPictureName(p.name, p.scale));
        const std::vector<uint8_t>& baseBytes = *base_->Find(p.folder, p.name);
        if (LowerAscii(p.name).ends_with(".bmp")) {
            const auto info = ReadPngInfo(bytes);
            ASSERT_TRUE(info.has_value()) << "a bitmap is stored compressed, as PNG";
            EXPECT_EQ(info->colourType, 2) << "RGB, no alpha";
            EXPECT_EQ(info->bitDepth, 8);
            // Only the display's own 16-bit colours, each channel's top bits widened again.
            int off565 = 0;
            for (int y = 0; y < p.picture.height(); ++y) {
                for (int x = 0; x < p.picture.width(); ++x) {
                    const QRgb c = p.picture.pixel(x, y);
                    const int r = qRed(c) >> 3;
                    const int g = qGreen(c) >> 2;
                    const int b = qBlue(c) >> 3;
                    off565 +=
                        qRgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)) != c ? 1 : 0;
                }
            }
            EXPECT_EQ(off565, 0) << "pixels that are not a 16-bit colour";
        } else {
            EXPECT_EQ(bytes[0], baseBytes[0]) << "the JPEG stays a JPEG";
        }
    }
}

// Nothing is blended toward the key; where the 1x picture is clearly keyed or clearly drawn (a pixel
// and its eight neighbours agree), the larger one is the same. (The pictures hold the display's own
// 16-bit colours, so no drawn pixel can turn into the key on loading: the generator refuses one that
// would, see image_io_test.)
TEST_F(HdArchive, KeyedPicturesKeepTheKeyRuleAndTheShapeOfTheirKeyedArea) {
    for (const ScaledPicture& p : pictures_) {
        if (!LowerAscii(p.name).ends_with(".bmp") || p.picture.size() != p.base.size() * p.scale) {
            continue;
        }
        SCOPED_TRACE(Trace(p));
        int pinkish = 0;
        int disagree = 0;
        const int k = p.scale;
        for (int y = 0; y < p.picture.height(); ++y) {
            for (int x = 0; x < p.picture.width(); ++x) {
                const QRgb c = p.picture.pixel(x, y);
                pinkish += IsPinkish(c) ? 1 : 0;
                const QPoint at(x / k, y / k);
                const bool key = IsKey(p.base.pixel(at));
                bool clear = true;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q = at + QPoint(dx, dy);
                        clear = clear && (!p.base.rect().contains(q) || IsKey(p.base.pixel(q)) == key);
                    }
                }
                disagree += clear && IsKey(c) != key ? 1 : 0;
            }
        }
        EXPECT_EQ(pinkish, 0) << "pixels blended toward the key colour";
        EXPECT_LE(disagree, p.picture.width() * p.picture.height() / 1000)
            << "keyed where the 1x picture is drawn, or drawn where it is keyed";
    }
}

TEST_F(HdArchive, CardsAndPointerAreKeyedWhereTheyAreAtOne) {
    for (const ScaledPicture& p : pictures_) {
        const int k = p.scale;
        const QImage& pic = p.picture;
        if (pic.size() != p.base.size() * k) {
            continue;
        }
        SCOPED_TRACE(Trace(p));
        if ((p.folder == ResourceFolder::Roya2 || p.folder == ResourceFolder::Royal) &&
            p.name != "FrameBlue.bmp") {
            const int w = pic.width() - 1;
            const int h = pic.height() - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}) {
                EXPECT_TRUE(IsKey(pic.pixel(corner))) << "corner " << corner.x() << "," << corner.y();
            }
            EXPECT_FALSE(IsKey(pic.pixel(w / 2, h / 2)));
        }
        if (p.name == "mouse.bmp") {
            EXPECT_FALSE(IsKey(pic.pixel(16 * k, 16 * k))) << "the tip is on the hot spot";
            EXPECT_TRUE(IsKey(pic.pixel(16 * k - 1, 16 * k - 1))) << "nothing lies before the tip";
        }
    }
}

// Cells of k*19 x k*27, 20 columns: a cell holds ink at k exactly when it does at 1x, within k times
// the advance, and at k times the place.
TEST_F(HdArchive, FontSheetCellsHoldTheirGlyphsAtKTimesThePlace) {
    constexpr int kCell = 19;
    constexpr int kRow = 27;
    struct Span {
        int left = 1 << 20;
        int right = -1;
    };
    auto inkSpan = [](const QImage& sheet, int cell, int k) {
        const QRect box((cell % 20) * kCell * k, (cell / 20) * kRow * k, kCell * k, kRow * k);
        Span span;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                if (!IsKey(sheet.pixel(x, y))) {
                    span.left = std::min(span.left, x - box.left());
                    span.right = std::max(span.right, x - box.left());
                }
            }
        }
        return span;
    };
    int sheets = 0;
    for (const ScaledPicture& p : pictures_) {
        if (p.folder != ResourceFolder::Fonts || p.picture.size() != p.base.size() * p.scale) {
            continue;
        }
        ++sheets;
        SCOPED_TRACE(Trace(p));
        const int k = p.scale;
        ASSERT_EQ(p.picture.width(), 20 * kCell * k);
        const int cells = 20 * (p.base.height() / kRow);
        for (int cell = 0; cell < cells; ++cell) {
            const Span base = inkSpan(p.base, cell, 1);
            const Span scaled = inkSpan(p.picture, cell, k);
            ASSERT_EQ(scaled.right >= 0, base.right >= 0) << "cell " << cell;
            if (base.right < 0) {
                continue;
            }
            EXPECT_LT(scaled.right, (kCell - 2) * k) << "cell " << cell << " runs past the advance";
            EXPECT_NEAR(scaled.left, base.left * k, k + 1) << "cell " << cell;
            EXPECT_NEAR(scaled.right, base.right * k + k - 1, k + 1) << "cell " << cell;
        }
    }
    EXPECT_EQ(sheets, 6);
}

}  // namespace
