#include "platform/display.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sdl_library.h"
#include "platform/setup_error.h"
#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/frame_composer.h"
#include "test_media.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint16_t kRed565 = 0xF800;
constexpr uint16_t kBlue565 = 0x001F;

// Runs with SDL's dummy video driver: a real window object with nothing on a screen.
class DisplayTest : public ::testing::Test {
protected:
    SdlLibrary sdl;
    Display display{false, "zarn test"};

    // A 4 x 3 picture: red, with a magenta (transparent) left column.
    std::vector<uint8_t> keyedRed = MakeBmp(4, 3, [](int x, int) { return x == 0 ? kMagenta : 0xFF0000u; });
};

TEST_F(DisplayTest, OpensWithAClearedBackBuffer) {
    EXPECT_TRUE(display.DisplayReady());
    EXPECT_TRUE(display.Windowed());
    EXPECT_EQ(display.PixelAt(0, 0), 0);
    EXPECT_EQ(display.PixelAt(799, 599), 0);
}

TEST_F(DisplayTest, PictureRectIsThePicturesOwnSize) {
    EXPECT_TRUE(display.PictureRect(PictureId::ScorePage).Empty());
    display.LoadPicture(PictureId::ScorePage, keyedRed, PictureFormat::Bmp, true);
    EXPECT_EQ(display.PictureRect(PictureId::ScorePage), (Rect32{0, 0, 4, 3}));
}

TEST_F(DisplayTest, KeyedCopyLeavesTheTransparentColourOut) {
    display.LoadPicture(PictureId::Background, MakeBmp(8, 8, [](int, int) { return 0x0000FFu; }),
                        PictureFormat::Bmp, false);
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, true);
    display.CopyRect(PictureId::Background, {0, 0, 8, 8}, 10, 10, false);
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 10, 10, true);
    EXPECT_EQ(display.PixelAt(10, 10), kBlue565);  // magenta column: the background shows through
    EXPECT_EQ(display.PixelAt(11, 10), kRed565);
    EXPECT_EQ(display.PixelAt(13, 12), kRed565);
    EXPECT_EQ(display.PixelAt(14, 10), kBlue565);  // beyond the picture
}

TEST_F(DisplayTest, PicturesMadeFromPixelsAreCopiedAsTheyWereDrawn) {
    // Three columns: magenta (transparent), red, a colour of our own; two rows.
    const std::vector<uint16_t> pixels{Display::kTransparentColour, kRed565, 0x07FF,
                                       Display::kTransparentColour, kRed565, 0x07FF};
    display.SetPicturePixels(PictureId::MuteIndicator, 3, 2, pixels, true);
    EXPECT_EQ(display.PictureRect(PictureId::MuteIndicator), (Rect32{0, 0, 3, 2}));
    display.CopyRect(PictureId::MuteIndicator, {0, 0, 3, 2}, 20, 30, true);
    EXPECT_EQ(display.PixelAt(20, 31), 0) << "the transparent colour left out";
    EXPECT_EQ(display.PixelAt(21, 31), kRed565);
    EXPECT_EQ(display.PixelAt(22, 30), 0x07FF);
    EXPECT_THROW(display.SetPicturePixels(PictureId::MuteIndicator, 3, 3, pixels, true), PictureError);
    EXPECT_THROW(display.SetPicturePixels(PictureId::Count, 3, 2, pixels, true), PictureError);
}

TEST_F(DisplayTest, UnkeyedCopyOfAKeyedPictureCopiesEveryPixel) {
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, true);
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 0, 0, false);
    EXPECT_EQ(display.PixelAt(0, 0), Display::kTransparentColour);
    // And keyed again afterwards.
    display.ClearBackBuffer();
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 0, 0, true);
    EXPECT_EQ(display.PixelAt(0, 0), 0);
}

TEST_F(DisplayTest, CopyOfAPartOfAPicture) {
    display.LoadPicture(PictureId::LineHorz1,
                        MakeBmp(6, 2, [](int x, int) { return x < 3 ? 0xFF0000u : 0x0000FFu; }),
                        PictureFormat::Bmp, false);
    display.CopyRect(PictureId::LineHorz1, {3, 0, 6, 2}, 100, 100, false);
    EXPECT_EQ(display.PixelAt(100, 100), kBlue565);
    EXPECT_EQ(display.PixelAt(102, 101), kBlue565);
    EXPECT_EQ(display.PixelAt(103, 100), 0);
}

TEST_F(DisplayTest, CopyOfAMissingPictureOrEmptyRectangleDrawsNothing) {
    display.CopyRect(PictureId::CardBack, {0, 0, 10, 10}, 0, 0, true);
    display.LoadPicture(PictureId::CardBack, keyedRed, PictureFormat::Bmp, false);
    display.CopyRect(PictureId::CardBack, {2, 0, 2, 3}, 0, 0, false);
    EXPECT_EQ(display.PixelAt(0, 0), 0);
}

TEST_F(DisplayTest, CopiesAtTheBackBufferEdgeStayInside) {
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, false);
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 798, 598, false);
    EXPECT_EQ(display.PixelAt(799, 599), kRed565);
}

TEST_F(DisplayTest, PicturesAreDecodedOnlyByTheirKnownFormat) {
    // BMP bytes handed over as JPEG are refused: nothing guesses the format from the bytes.
    EXPECT_THROW(display.LoadPicture(PictureId::Background, keyedRed, PictureFormat::Jpeg, false),
                 PictureError);
    const std::vector<uint8_t> junk = {'B', 'M', 1, 2, 3};
    EXPECT_THROW(display.LoadPicture(PictureId::Background, junk, PictureFormat::Bmp, false), PictureError);
    EXPECT_THROW(display.LoadPicture(PictureId::Background, {}, PictureFormat::Bmp, false), PictureError);
    EXPECT_FALSE(display.HasPicture(PictureId::Background));
}

TEST_F(DisplayTest, ReleasedPictureIsGone) {
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, true);
    display.ReleasePicture(PictureId::Cursor);
    EXPECT_FALSE(display.HasPicture(PictureId::Cursor));
    EXPECT_TRUE(display.PictureRect(PictureId::Cursor).Empty());
}

TEST_F(DisplayTest, LostDisplayIsRestoredWithThePicturesKept) {
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, false);
    display.DisplayLost();
    EXPECT_FALSE(display.DisplayReady());
    display.FlipScreen();  // ignored while lost
    display.RestoreDisplay();
    EXPECT_TRUE(display.DisplayReady());
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 0, 0, false);
    display.FlipScreen();
    EXPECT_EQ(display.PixelAt(1, 1), kRed565);
}

// An unchanged picture is neither uploaded nor presented again; a changed one is, and so is the same
// picture after a new renderer (its texture starts empty), and the last frame shown again on request.
TEST_F(DisplayTest, OnlyAChangedPictureIsPresented) {
    EXPECT_TRUE(display.FlipScreen());
    EXPECT_FALSE(display.FlipScreen());
    EXPECT_EQ(display.Presents(), 1);
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, false);
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 796, 597, false);  // the very last pixel changes
    EXPECT_TRUE(display.FlipScreen());
    EXPECT_FALSE(display.FlipScreen());
    EXPECT_EQ(display.Presents(), 2);
    display.ShowLastFrame();
    EXPECT_EQ(display.Presents(), 3);
    display.DisplayLost();
    EXPECT_FALSE(display.FlipScreen());
    display.RestoreDisplay();
    EXPECT_TRUE(display.FlipScreen());
    EXPECT_EQ(display.Presents(), 4);
}

// Only the changed boxes are uploaded; no box, nothing uploaded or presented. A new texture (after a
// new renderer) first gets the whole back buffer, whatever the boxes.
TEST_F(DisplayTest, OnlyTheChangedBoxesAreUploaded) {
    const int64_t whole = int64_t{800} * 600;
    EXPECT_FALSE(display.PresentBoxes({}));
    EXPECT_EQ(display.UploadedPixels(), 0);
    EXPECT_EQ(display.Presents(), 0);
    const std::vector<Rect32> card{{100, 200, 201, 353}};
    EXPECT_TRUE(display.PresentBoxes(card));
    EXPECT_EQ(display.UploadedPixels(), whole) << "the new texture gets everything once";
    EXPECT_TRUE(display.PresentBoxes(card));
    EXPECT_EQ(display.UploadedPixels(), whole + 101 * 153);
    EXPECT_EQ(display.Presents(), 2);
    EXPECT_FALSE(display.PresentBoxes({}));
    const std::vector<Rect32> outside{{800, 0, 900, 10}};
    EXPECT_FALSE(display.PresentBoxes(outside));
    EXPECT_EQ(display.UploadedPixels(), whole + 101 * 153);
    EXPECT_EQ(display.Presents(), 2);
    display.DisplayLost();
    EXPECT_FALSE(display.PresentBoxes(card));
    display.RestoreDisplay();
    EXPECT_TRUE(display.PresentBoxes(card));
    EXPECT_EQ(display.UploadedPixels(), 2 * whole + 101 * 153);
}

// The game's frame as it runs: the composer draws only what differs from the last frame and the display
// uploads only that. A frame with nothing changed (the same copies again) uploads and presents nothing,
// at every scale; a card moved is shown again.
TEST_F(DisplayTest, AFrameWithNothingChangedUploadsNothing) {
    for (int32_t k : {1, 2, 3}) {
        display.SetScale(k);
        display.LoadPicture(PictureId::Background,
                            MakeBmp(800 * k, 600 * k, [](int, int) { return 0x006000u; }), PictureFormat::Bmp,
                            false);
        display.LoadPicture(PictureId::CardBack, MakeBmp(99 * k, 153 * k, [](int, int) { return 0xFFFFFFu; }),
                            PictureFormat::Bmp, true);
        FrameComposer composer(display);
        const auto frame = [&](int32_t cardX) {
            Canvas& canvas = composer.BeginFrame();
            BltSurface(canvas, kScreenClipRect, PictureId::Background, {}, 0, 0, false);
            BltSurface(canvas, kScreenClipRect, PictureId::CardBack, {}, cardX, 200, true);
            return display.PresentBoxes(composer.Compose());
        };
        EXPECT_TRUE(frame(100)) << "scale " << k;
        const int64_t uploaded = display.UploadedPixels();
        const int64_t presents = display.Presents();
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(frame(100)) << "scale " << k;
        }
        EXPECT_EQ(display.UploadedPixels(), uploaded) << "scale " << k;
        EXPECT_EQ(display.Presents(), presents) << "scale " << k;
        EXPECT_TRUE(frame(104)) << "scale " << k;
        if (k == 1) {
            // Where the window shows the back buffer pixel for pixel: the card's old and new place only.
            EXPECT_EQ(display.UploadedPixels() - uploaded, int64_t{103} * 153);
        }
    }
}

// Shrunk far (scale 2 in the 800 x 600 window: 0.5), the first frame is shrunk whole, then only the shown
// pixels of each changed box, box by box: two small boxes far apart cost no more than each alone, not the
// box around both. The back buffer's own texture is not shown then, so nothing is uploaded to it.
TEST_F(DisplayTest, ShrunkFarOnlyTheChangedBoxesAreShrunkAgain) {
    display.SetScale(2);
    const int64_t whole = int64_t{800} * 600;
    const std::vector<Rect32> card{{200, 400, 402, 706}};
    EXPECT_TRUE(display.PresentBoxes(card));
    EXPECT_EQ(display.ShrunkPixels(), whole) << "the new shrunk picture gets everything once";
    EXPECT_TRUE(display.PresentBoxes(card));
    EXPECT_EQ(display.ShrunkPixels(), whole + 101 * 153);
    const std::vector<Rect32> apart{{0, 0, 64, 64}, {1536, 1136, 1600, 1200}};
    EXPECT_TRUE(display.PresentBoxes(apart));
    EXPECT_EQ(display.ShrunkPixels(), whole + 101 * 153 + 2 * 32 * 32);
    EXPECT_EQ(display.Presents(), 3);
    EXPECT_EQ(display.UploadedPixels(), 0);
    // A whole flip after them shrinks again only what differs from the last flip's picture: all of it
    // the first time, the box around a changed pixel the next.
    EXPECT_TRUE(display.FlipScreen());
    EXPECT_EQ(display.ShrunkPixels(), 2 * whole + 101 * 153 + 2 * 32 * 32);
    const std::vector<uint16_t> red(4, kRed565);
    display.SetPicturePixels(PictureId::Cursor, 2, 2, red, false);
    display.CopyRect(PictureId::Cursor, {0, 0, 2, 2}, 800, 600, false);
    EXPECT_TRUE(display.FlipScreen());
    EXPECT_EQ(display.ShrunkPixels(), 2 * whole + 101 * 153 + 2 * 32 * 32 + 1);
}

TEST_F(DisplayTest, SwitchesBetweenFullScreenAndWindow) {
    display.SetFullScreen(true);
    EXPECT_FALSE(display.Windowed());
    display.FlipScreen();
    display.SetFullScreen(false);
    EXPECT_TRUE(display.Windowed());
    display.FlipScreen();
}

TEST_F(DisplayTest, MouseConversionUsesTheWindowSize) {
    // The dummy window is 800 x 600: points map one to one.
    EXPECT_EQ(display.WindowToBackBuffer(17, 23), (BackBufferPoint{17, 23, true}));
}

TEST_F(DisplayTest, ScreenshotIsWrittenAsPngOrBmp) {
    display.LoadPicture(PictureId::Cursor, keyedRed, PictureFormat::Bmp, false);
    display.CopyRect(PictureId::Cursor, {0, 0, 4, 3}, 0, 0, false);
    const auto dir = std::filesystem::temp_directory_path();
    const auto png = dir / ("zarn_display_test_" + std::to_string(::getpid()) + ".png");
    const auto bmp = dir / ("zarn_display_test_" + std::to_string(::getpid()) + ".BMP");
    display.SaveScreenshot(png.string());
    display.SaveScreenshot(bmp.string());
    auto head = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::string bytes(4, '\0');
        in.read(bytes.data(), 4);
        return bytes;
    };
    EXPECT_EQ(head(png), "\x89PNG");
    EXPECT_EQ(head(bmp).substr(0, 2), "BM");
    // The BMP reads back as the same picture.
    std::ifstream in(bmp, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    display.LoadPicture(PictureId::Background, bytes, PictureFormat::Bmp, false);
    EXPECT_EQ(display.PictureRect(PictureId::Background), (Rect32{0, 0, 800, 600}));
    std::filesystem::remove(png);
    std::filesystem::remove(bmp);
    EXPECT_THROW(display.SaveScreenshot("/nonexistent-dir/shot.png"), std::runtime_error);
}

TEST(DisplayOpen, FailureIsReportedAsDirectXError) {
    SdlLibrary sdl;
    ::setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    try {
        Display display(false, "zarn test");
        ADD_FAILURE() << "the display opened without a video driver";
    } catch (const SetupError& e) {
        EXPECT_EQ(e.Procedure(), "DirectX");
        EXPECT_EQ(std::string(e.what()).rfind("Error in function DirectX() \r\nError Number: ", 0), 0u);
    }
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
}

}  // namespace
