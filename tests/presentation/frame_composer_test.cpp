#include "presentation/frame_composer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cards/card_tables.h"
#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "flow/input_snapshot.h"
#include "presentation/blt_surface.h"
#include "presentation/draw_layout.h"
#include "presentation/draw_list.h"
#include "presentation/memory_canvas.h"
#include "presentation/notice_drawing.h"
#include "presentation/play_aid_pictures.h"
#include "presentation/table_drawing.h"
#include "recording_canvas.h"
#include "test_support.h"

// A frame drawn only where it changed must be, pixel for pixel, the frame drawn whole.

namespace {

constexpr uint16_t kKey = MemoryCanvas::kTransparent;

// A picture whose every pixel tells where in which picture it lies, so a copy from the wrong place, to
// the wrong place or of the wrong picture shows. Keyed pictures get a key border and keyed spots.
Picture565 PatternPicture(int id, int32_t width, int32_t height, bool keyed) {
    Picture565 p{width, height, std::vector<uint16_t>(static_cast<size_t>(width * height))};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            auto colour = static_cast<uint16_t>((x * 37 + y * 101 + id * 4099) & 0xFFFF);
            if (colour == kKey) {
                colour = 0;
            }
            const bool hole =
                keyed && (x < 3 || y < 3 || x >= width - 3 || y >= height - 3 || (x + y) % 11 == 0);
            p.pixels[static_cast<size_t>(y * width + x)] = hole ? kKey : colour;
        }
    }
    return p;
}

// Two canvases at scale k with the same pictures: every picture at the game's size in units.
void LoadTestPictures(MemoryCanvas& canvas, int32_t k) {
    const RecordingCanvas sizes;
    for (int id = 0; id < static_cast<int>(PictureId::Count); ++id) {
        const Rect32 r = sizes.PictureRect(static_cast<PictureId>(id));
        if (!r.Empty()) {
            const bool keyed = static_cast<PictureId>(id) != PictureId::Background;
            canvas.SetPicture(static_cast<PictureId>(id),
                              PatternPicture(id, r.right * k, r.bottom * k, keyed));
        }
    }
    for (auto& [id, picture] : PlayAidPictures(k)) {
        canvas.SetPicture(id, picture);
    }
}

// Copies of the same picture into a canvas, to mess up its back buffer as a lost display may.
void Scribble(MemoryCanvas& canvas) {
    const int32_t k = canvas.Scale();
    for (int32_t i = 0; i < 40; ++i) {
        canvas.CopyRect(CardFacePicture(i), Rect32{0, 0, 99 * k, 153 * k}, (i * 97) % (700 * k),
                        (i * 53) % (450 * k), false);
    }
}

// What the player does besides the demo's clicks, by frame: the aids, a pause, a lost display, a notice.
struct Script {
    std::optional<int> pauseAt;        // P pressed at this frame and again 120 frames later
    std::optional<int> loseDisplayAt;  // the back buffer spoilt and everything drawn anew
    bool aids = true;                  // focus keys, hints, the last trick, the mute switch now and then
};

InputSnapshot PlayerKeys(const Script& script, int frame, InputSnapshot input) {
    const auto press = [&input](int key) { input.Keys[key] = true; };
    if (script.pauseAt && (frame == *script.pauseAt || frame == *script.pauseAt + 120)) {
        press(kKeyP);
    }
    if (script.aids) {
        if (frame % 700 == 100) {
            press(kKeyRight);  // the focus shows
        }
        if (frame % 900 == 300) {
            press(kKeyH);
        }
        if (frame % 1500 >= 600 && frame % 1500 < 640) {
            press(kKeyL);  // the last trick while L is held
        }
        if (frame % 4000 == 2000) {
            press(kKeyM);
        }
    }
    return input;
}

constexpr int kContractsPerMatch = 20;
// Every changed frame is compared whole in an optimised build, at both scales. An unoptimised
// (sanitizer) build plays the scale-1 match alone and compares every sixteenth changed frame, or the
// matches would take many minutes there.
#ifdef NDEBUG
constexpr int kCompareEvery = 1;
constexpr bool kBothScales = true;
#else
constexpr int kCompareEvery = 16;
constexpr bool kBothScales = false;
#endif
// Frames each score sheet stays up before the demo clicks on.
constexpr int kSheetFrames = 60;

struct MatchFigures {
    int framesDrawn = 0;
    int framesChanged = 0;
    int mismatches = 0;
    int64_t boxPixels = 0;
    int64_t wholePixels = 0;
};

// One autoplayed match at scale k drawn through a FrameComposer into one canvas, every changed frame
// also drawn whole into another, and the two compared after every frame.
class ComposedMatch final : public FrameDrawing {
public:
    ComposedMatch(int32_t k, uint32_t seed)
        : composed_(800, 600, 0, k), whole_(800, 600, 0, k), composer_(composed_), random_(seed) {
        LoadTestPictures(composed_, k);
        LoadTestPictures(whole_, k);
        fonts_ = LoadFonts(composed_);
        state_.Options = GameOptions{};
        ApplyRules(state_.Options);
    }

    MatchFigures Play(const Script& script) {
        GameServices services{random_, sound_, clock_};
        StartNewGame(state_, services);
        AutoPlayer player(AutoPlayerOptions{kSheetFrames});
        const int32_t k = composed_.Scale();
        // The match, then a while of its final score sheet.
        for (int frame = 0; endFrames_ < kSheetFrames; ++frame) {
            if (frame > 120000) {
                ADD_FAILURE() << "the match never ended; phase " << static_cast<int>(state_.Phase)
                              << " paused " << state_.Paused << " contracts " << state_.ContractsPlayed;
                break;
            }
            endFrames_ +=
                state_.ContractsPlayed == kContractsPerMatch && state_.Phase == Phase::EndOfMatch ? 1 : 0;
            if (script.loseDisplayAt && frame == *script.loseDisplayAt) {
                Scribble(composed_);
                composer_.RedrawAll();
                spoilt_ = true;
            }
            // The wall clock turns a minute every 1000 frames; a notice shows for a while now and then.
            now_ = WallClock{12, frame / 1000 % 60};
            notice_ = frame % 3000 >= 1500 && frame % 3000 < 1560;
            const InputSnapshot input = PlayerKeys(script, frame, player.NextInput(state_));
            drawn_ = false;
            const FrameResult result = RunGameFrame(state_, input, services, this);
            clock_.Advance(50);
            if (result.Paused || !drawn_) {
                continue;
            }
            BltSurface(composer_.Recorder(), kScreenClipRect, PictureId::Cursor, {0, 0, 32, 32},
                       input.MouseX - 16, input.MouseY - 16, true);
            ++figures_.framesDrawn;
            const std::vector<DrawCall> calls = composer_.FrameCalls();
            const std::vector<Rect32> boxes = composer_.Compose();
            for (const Rect32& box : boxes) {
                figures_.boxPixels += static_cast<int64_t>(box.right - box.left) * (box.bottom - box.top);
            }
            figures_.wholePixels += int64_t{800} * 600 * k * k;
            const bool spoilt = std::exchange(spoilt_, false);
            if (calls == lastCalls_ && !spoilt) {
                // The same copies make the same picture: nothing may be drawn or shown.
                EXPECT_TRUE(boxes.empty()) << "frame " << frame;
                continue;
            }
            ++figures_.framesChanged;
            lastCalls_ = calls;
            if (figures_.framesChanged % kCompareEvery != 0 && !spoilt) {
                continue;
            }
            ReplayInBox(whole_, calls, Rect32{0, 0, 800 * k, 600 * k});
            if (composed_.BackBuffer().pixels != whole_.BackBuffer().pixels && figures_.mismatches++ < 3) {
                ADD_FAILURE() << "frame " << frame << " at scale " << k << " differs from the whole frame";
            }
        }
        return figures_;
    }

    bool WaitForDisplay() override { return true; }
    void DrawBackground(const GameState&) override {
        drawn_ = true;
        BltSurface(composer_.BeginFrame(), kScreenClipRect, PictureId::Background, {}, 0, 0, false);
    }
    void DrawTableLayer(const GameState&) override {
        Canvas& canvas = composer_.Recorder();
        BltSurface(canvas, kScreenClipRect, PictureId::ScorePage, {}, kScorePageEdgeX, kScorePageEdgeY, true);
        DrawTable(canvas, kScreenClipRect, state_, fonts_, now_);
        if (notice_) {
            DrawNotice(canvas, kScreenClipRect, fonts_, "The match could not be saved");
        }
    }

    const GameState& State() const { return state_; }

private:
    MemoryCanvas composed_;
    MemoryCanvas whole_;
    FrameComposer composer_;
    GameFonts fonts_;
    GameState state_;
    SeededRandom random_;
    NullSound sound_;
    ManualClock clock_{1000};
    WallClock now_{};
    bool notice_ = false;
    bool drawn_ = false;
    bool spoilt_ = false;  // the back buffer was spoilt since the last frame drawn
    int endFrames_ = 0;
    std::vector<DrawCall> lastCalls_;
    MatchFigures figures_;
};

// Whole matches, every contract among them, with the aids in use, a pause and a lost display.
TEST(FrameComposer, EveryFrameOfWholeMatchesEqualsTheWholeFrame) {
    struct Case {
        int32_t scale;
        uint32_t seed;
        Script script;
    };
    const std::vector<Case> cases{
        {1, 7, Script{2500, 9000, true}},
        {2, 11, Script{6000, 3000, true}},

    };
    for (const Case& c : cases) {
        if (c.scale > 1 && !kBothScales) {
            continue;
        }
        SCOPED_TRACE("scale " + std::to_string(c.scale));
        ComposedMatch match(c.scale, c.seed);
        const MatchFigures figures = match.Play(c.script);
        EXPECT_EQ(match.State().ContractsPlayed, kContractsPerMatch);
        // The comparison ran, and most frames changed only a small part of the table.
        EXPECT_GT(figures.framesChanged, 1000);
        EXPECT_LT(figures.boxPixels * 4, figures.wholePixels)
            << figures.boxPixels << " of " << figures.wholePixels << " pixels drawn again";
    }
}

// The list a frame records is the frame: replaying it whole gives what drawing straight into the canvas
// gives, at every scale.
TEST(FrameComposer, ARecordedFrameReplaysToTheFrameDrawnStraight) {
    for (int32_t k = 1; k <= kLargestScale; ++k) {
        MemoryCanvas straight(800, 600, 0, k);
        MemoryCanvas replayed(800, 600, 0, k);
        LoadTestPictures(straight, k);
        LoadTestPictures(replayed, k);
        GameFonts fonts = LoadFonts(straight);
        GameState state = MakeState();
        state.Phase = Phase::NormalPlay;
        GiveHand(state, 0, {"AS", "KH", "7D"});
        PutOnTable(state, {"QC"});
        state.Hand[0][1].X = 300.25F;  // a card between whole units
        state.Hand[0][1].Y = 410.5F;
        DrawListCanvas recorder(replayed);
        for (Canvas* canvas : {static_cast<Canvas*>(&straight), static_cast<Canvas*>(&recorder)}) {
            BltSurface(*canvas, kScreenClipRect, PictureId::Background, {}, 0, 0, false);
            DrawTable(*canvas, kScreenClipRect, state, fonts, WallClock{9, 41});
            BltSurface(*canvas, kScreenClipRect, PictureId::Cursor, {0, 0, 32, 32}, 790, 590, true);
        }
        ReplayInBox(replayed, recorder.Calls(), Rect32{0, 0, 800 * k, 600 * k});
        EXPECT_EQ(straight.BackBuffer().pixels, replayed.BackBuffer().pixels) << "scale " << k;
    }
}

// A frame with nothing changed draws nothing and gives no box to show.
TEST(FrameComposer, AnUnchangedFrameDrawsAndShowsNothing) {
    MemoryCanvas canvas(800, 600, 0, 1);
    LoadTestPictures(canvas, 1);
    FrameComposer composer(canvas);
    const auto frame = [&composer](int32_t cardX) {
        Canvas& c = composer.BeginFrame();
        BltSurface(c, kScreenClipRect, PictureId::Background, {}, 0, 0, false);
        BltSurface(c, kScreenClipRect, CardFacePicture(3), {}, cardX, 200, true);
        return composer.Compose();
    };
    EXPECT_EQ(frame(100), (std::vector<Rect32>{{0, 0, 800, 600}})) << "the first frame is drawn whole";
    const std::vector<uint16_t> before = canvas.BackBuffer().pixels;
    // A scribble the composer does not know of stays: an unchanged frame does not touch the back buffer.
    canvas.CopyRect(PictureId::Cursor, Rect32{0, 0, 32, 32}, 0, 0, false);
    const std::vector<uint16_t> scribbled = canvas.BackBuffer().pixels;
    EXPECT_TRUE(frame(100).empty());
    EXPECT_EQ(canvas.BackBuffer().pixels, scribbled);
    EXPECT_NE(before, scribbled);
    // The card moved two units: one box from where it was to where it is.
    EXPECT_EQ(frame(102), (std::vector<Rect32>{{100, 200, 201, 353}}));
    composer.RedrawAll();
    EXPECT_EQ(frame(102), (std::vector<Rect32>{{0, 0, 800, 600}}));
}

DrawCall Copy(PictureId picture, int32_t x, int32_t y, int32_t w = 10, int32_t h = 10) {
    return DrawCall{picture, Rect32{0, 0, w, h}, x, y, true};
}

// Which boxes two lists of copies differ in: the copies they do not share in the same order.
TEST(ChangedBoxes, MarkTheCopiesTheListsDoNotShareInOrder) {
    const Rect32 whole{0, 0, 800, 600};
    const DrawCall back{PictureId::Background, Rect32{0, 0, 800, 600}, 0, 0, false};
    const DrawCall a = Copy(PictureId::CardBack, 100, 100);
    const DrawCall b = Copy(PictureId::Cursor, 300, 300);
    const DrawCall c = Copy(PictureId::PassPicture, 500, 100);
    const DrawCall aMoved = Copy(PictureId::CardBack, 104, 100);
    const DrawCall aOverB = Copy(PictureId::CardBack, 305, 305);
    struct Case {
        const char* rule;
        std::vector<DrawCall> before;
        std::vector<DrawCall> after;
        std::vector<Rect32> boxes;
    };
    const std::vector<Case> cases{
        {"the same copies: nothing", {back, a, b}, {back, a, b}, {}},
        {"a copy moved: one box from where it was to where it is",
         {back, a, b},
         {back, aMoved, b},
         {{100, 100, 114, 110}}},
        {"a copy added", {back, a}, {back, a, c}, {{500, 100, 510, 110}}},
        {"a copy gone", {back, a, c}, {back, c}, {{100, 100, 110, 110}}},
        {"two changes far apart: two boxes",
         {back, a, c},
         {back, aMoved, b, c},
         {{100, 100, 114, 110}, {300, 300, 310, 310}}},
        {"overlapping copies swap their order: where they overlap",
         {back, aOverB, b},
         {back, b, aOverB},
         {{305, 305, 315, 315}}},
        {"a copy drawn later, the others kept", {back, a, b, c}, {back, b, c, a}, {{100, 100, 110, 110}}},
        {"outside the back buffer: nothing to show", {back}, {back, Copy(PictureId::CardBack, 900, 100)}, {}},
        {"half the screen or more: the whole",
         {back},
         {back, Copy(PictureId::Background, 0, 0, 800, 400)},
         {whole}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ChangedBoxes(test.before, test.after, whole), test.boxes) << test.rule;
    }
    // Hundreds of changed copies (a deal, the score sheet): the whole.
    std::vector<DrawCall> many{back};
    for (int32_t i = 0; i < 300; ++i) {
        many.push_back(Copy(PictureId::CardBack, i, i % 7, 1, 1));
    }
    EXPECT_EQ(ChangedBoxes(std::vector<DrawCall>{back}, many, whole), (std::vector<Rect32>{whole}));
}

// A replay cut to a box touches nothing outside it and makes inside what the whole replay makes.
TEST(ReplayInBox, DrawsInsideTheBoxAsTheWholeReplayAndNothingOutside) {
    for (int32_t k = 1; k <= 2; ++k) {
        MemoryCanvas whole(800, 600, 0, k);
        MemoryCanvas cut(800, 600, 0x1234, k);
        LoadTestPictures(whole, k);
        LoadTestPictures(cut, k);
        const std::vector<DrawCall> calls{
            DrawCall{PictureId::Background, Rect32{0, 0, 800 * k, 600 * k}, 0, 0, false},
            DrawCall{CardFacePicture(5), Rect32{0, 0, 99 * k, 153 * k}, 95 * k, 100 * k, true},
            DrawCall{CardFacePicture(6), Rect32{5, 7, 99 * k, 153 * k}, 150 * k, 180 * k, true},
        };
        const Rect32 box{120 * k + 1, 150 * k, 260 * k - 1, 220 * k + 3};
        ReplayInBox(whole, calls, Rect32{0, 0, 800 * k, 600 * k});
        ReplayInBox(cut, calls, box);
        int wrong = 0;
        for (int32_t y = 0; y < 600 * k; ++y) {
            for (int32_t x = 0; x < 800 * k; ++x) {
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                const uint16_t expected = inside ? whole.Pixel(x, y) : uint16_t{0x1234};
                wrong += cut.Pixel(x, y) != expected ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << "scale " << k;
    }
}

}  // namespace
