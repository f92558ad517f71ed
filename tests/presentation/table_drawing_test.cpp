#include "presentation/table_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "presentation/draw_layout.h"
#include "recording_canvas.h"
#include "test_support.h"

namespace {

// The hand lines of the 800 x 600 table; the drawing reads only the human's origin.
void FillHandLayout(TableLayout& layout) {
    layout.HandOrigin = {PointXY{155, 420}, PointXY{680, 190}, PointXY{300, 2}, PointXY{20, 190}};
    layout.HandStep = {PointXY{33, 0}, PointXY{0, 5}, PointXY{5, 0}, PointXY{0, 5}};
}

void Place(CardRecord& record, int16_t card, float x, float y, bool faceUp) {
    record.Card = card;
    record.X = x;
    record.Y = y;
    record.InUse = true;
    record.FaceUp = faceUp;
}

struct Drawn {
    PictureId picture;
    int32_t x;
    int32_t y;
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

void PrintTo(const Drawn& d, std::ostream* os) {
    *os << "{picture " << static_cast<int>(d.picture) << " at (" << d.x << ", " << d.y << ")}";
}

bool IsFont(PictureId picture) {
    return picture == PictureId::FontHandwriting || picture == PictureId::FontDigit ||
           picture == PictureId::FontDeluxe;
}

class DrawTableTest : public testing::Test {
protected:
    DrawTableTest() : state(MakeState()), fonts(LoadFonts(canvas)) {
        FillHandLayout(state.Layout);
        state.Phase = Phase::NormalPlay;
        state.OpponentName = {"", "Kate", "Ed  ", "Tom "};
    }

    void Draw(WallClock now = WallClock{9, 30}) {
        canvas.calls.clear();
        DrawTable(canvas, kScreenClipRect, state, fonts, now);
    }

    // Every copy that is not text, in drawing order.
    std::vector<Drawn> Pictures() const {
        std::vector<Drawn> drawn;
        for (const CopyCall& call : canvas.calls) {
            if (!IsFont(call.picture)) {
                drawn.push_back(Drawn{call.picture, call.x, call.y});
            }
        }
        return drawn;
    }

    // The x of each card copy, in drawing order: tests give each record its slot number as x.
    std::vector<int32_t> CardXs() const {
        std::vector<int32_t> xs;
        for (const CopyCall& call : canvas.calls) {
            if (IsCardPicture(call.picture)) {
                xs.push_back(call.x);
            }
        }
        return xs;
    }

    RecordingCanvas canvas;
    GameState state;
    GameFonts fonts;
};

TEST_F(DrawTableTest, PaintsBackToFront) {
    Place(state.WonPile[1][0], 7, 663, 400, true);
    state.WonCount[1] = 1;
    Place(state.TableCards[0], 5, 336, 242, true);
    state.TableCount = 1;
    Place(state.Hand[2][0], 20, 300, 2, false);
    Place(state.Hand[1][0], 21, 680, 190, false);
    Place(state.Hand[3][0], 22, 20, 190, false);
    Place(state.Hand[0][0], 10, 155, 420, true);
    Place(state.Hand[0][1], 11, 188, 420, true);
    state.Contract = kQueens;
    state.ShowContractPicture = true;
    state.ContractMenuOn = true;
    state.ContractButton[0].enabled = kTrueCell;
    state.ShowPassPicture = true;
    state.CurrentSeat = 1;
    state.PassPicX[1] = 665;
    state.PassPicY[1] = 145;
    state.DeckNext = 51;
    Place(state.Deck[51], 30, 600, 190, false);
    Place(state.Deck[50], 31, 400, 300, false);  // the card in flight

    Draw();

    const std::vector<Drawn> expected{
        {PictureId::CardBack, 663, 400},  // won pile: always the back
        {CardFacePicture(5), 336, 242},   // the trick
        {PictureId::CardBack, 300, 2},    // hands: top,
        {PictureId::CardBack, 680, 190},  // right,
        {PictureId::CardBack, 20, 190},   // left,
        {CardFacePicture(10), 155, 420},  // and the human's, slot by slot
        {CardFacePicture(11), 188, 420},    {AnnouncementPicture(kQueens), 294, 250},  // announcement
        {ButtonPicture(kTricks), 305, 360},                                            // buttons
        {PictureId::PassPicture, 665, 145},  // pass picture of the seat on turn
        {PictureId::CardBack, 600, 190},     // deck stack,
        {PictureId::CardBack, 400, 300},     // then the card in flight over everything
    };
    EXPECT_EQ(Pictures(), expected);

    // Texts come last: the clock, then the banner.
    const auto firstText = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                        [](const CopyCall& call) { return IsFont(call.picture); });
    ASSERT_NE(firstText, canvas.calls.end());
    EXPECT_EQ(firstText->picture, PictureId::FontDigit);
    EXPECT_EQ(canvas.calls.back().picture, PictureId::FontDeluxe);
    EXPECT_TRUE(std::all_of(firstText, canvas.calls.end(),
                            [](const CopyCall& call) { return IsFont(call.picture); }));
    EXPECT_TRUE(std::all_of(canvas.calls.begin(), canvas.calls.end(),
                            [](const CopyCall& call) { return call.keyed; }));
}

TEST_F(DrawTableTest, CardsLandOnTheNearestPixelHalvesToEven) {
    Place(state.Hand[0][0], 10, 10.5F, 11.5F, true);
    Place(state.Hand[0][1], 11, 336.4F, 242.6F, true);
    Draw();
    EXPECT_EQ(Pictures(),
              (std::vector<Drawn>{{CardFacePicture(10), 10, 12}, {CardFacePicture(11), 336, 243}}));
}

TEST_F(DrawTableTest, EmptySlotsAreNotDrawn) {
    Place(state.Hand[0][3], 10, 254, 420, true);
    state.Hand[0][3].InUse = false;
    Place(state.Hand[0][13], 12, 584, 420, true);  // beyond the thirteen slots a hand uses
    Place(state.TableCards[1], 5, 300, 200, true);
    state.TableCount = 1;
    Draw();
    EXPECT_TRUE(Pictures().empty());
}

TEST_F(DrawTableTest, AvailableContractButtonsStackUpwardsWithoutGaps) {
    state.ContractMenuOn = true;
    for (int i = 0; i < 5; ++i) {
        state.ContractButton[i] = ContractButtonRecord{7, 7, 256, 52, 0};
    }
    // Diamonds and King already chosen by the human this match.
    for (int i : {0, 2, 4}) {
        state.ContractButton[i].enabled = kTrueCell;
    }
    Draw();
    EXPECT_EQ(Pictures(), (std::vector<Drawn>{{ButtonPicture(kTricks), 305, 360},
                                              {ButtonPicture(kQueens), 305, 308},
                                              {ButtonPicture(kLayoutContract), 305, 256}}));
    // The click test reads where the buttons were drawn; the disabled ones are left alone.
    EXPECT_EQ(state.ContractButton[0].y, 360);
    EXPECT_EQ(state.ContractButton[2].y, 308);
    EXPECT_EQ(state.ContractButton[4].y, 256);
    EXPECT_EQ(state.ContractButton[4].x, 305);
    EXPECT_EQ(state.ContractButton[1].y, 7);
    EXPECT_EQ(state.ContractButton[3].x, 7);
}

TEST_F(DrawTableTest, ButtonsFollowTheHumansHandLine) {
    state.Layout.HandOrigin[0].y = 400;
    state.ContractMenuOn = true;
    state.ContractButton[3].enabled = kTrueCell;
    Draw();
    EXPECT_EQ(Pictures(), (std::vector<Drawn>{{ButtonPicture(kKing), 305, 340}}));
}

TEST_F(DrawTableTest, NoButtonsWhileTheMenuIsOff) {
    state.ContractButton[0].enabled = kTrueCell;
    Draw();
    EXPECT_TRUE(Pictures().empty());
}

TEST_F(DrawTableTest, WonPilesShowTheirLastElevenCards) {
    struct Case {
        int16_t count;
        int32_t first;
    };
    for (const Case& c : {Case{1, 0}, Case{11, 0}, Case{12, 1}, Case{20, 9}, Case{52, 41}}) {
        state = MakeState();
        FillHandLayout(state.Layout);
        for (int16_t i = 0; i < c.count; ++i) {
            Place(state.WonPile[3][i], i, i, 20, true);
        }
        state.WonCount[3] = c.count;
        Draw();
        std::vector<int32_t> expected;
        for (int32_t i = c.first; i < c.count; ++i) {
            expected.push_back(i);
        }
        EXPECT_EQ(CardXs(), expected) << "pile of " << c.count;
        EXPECT_TRUE(std::all_of(canvas.calls.begin(), canvas.calls.end(), [](const CopyCall& call) {
            return !IsCardPicture(call.picture) || call.picture == PictureId::CardBack;
        }));
    }
}

TEST_F(DrawTableTest, WonPilesAreDrawnSeatBySeat) {
    for (int seat : {3, 0, 2, 1}) {
        Place(state.WonPile[seat][0], 0, static_cast<float>(seat), 0, false);
        state.WonCount[seat] = 1;
    }
    Draw();
    EXPECT_EQ(CardXs(), (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST_F(DrawTableTest, DeckStackShowsTheNextCardsAndTheCardInFlight) {
    struct Case {
        int16_t deckNext;
        int32_t top;
        int32_t low;
    };
    for (const Case& c : {Case{0, 7, 0}, Case{1, 7, 0}, Case{20, 26, 19}, Case{45, 51, 44}, Case{46, 51, 45},
                          Case{52, 51, 51}}) {
        for (int16_t slot = 0; slot < kDeckSlots; ++slot) {
            Place(state.Deck[slot], slot, slot, 190, false);
        }
        state.DeckNext = c.deckNext;
        Draw();
        std::vector<int32_t> expected;
        for (int32_t slot = c.top; slot >= c.low; --slot) {
            expected.push_back(slot);
        }
        EXPECT_EQ(CardXs(), expected) << "DeckNext " << c.deckNext;
    }
}

TEST_F(DrawTableTest, BeforeTheFirstCardTheWholeStackShowsAndAfterTheLastNothing) {
    for (int16_t slot = 0; slot < 12; ++slot) {
        Place(state.Deck[slot], slot, slot, 190, false);
    }
    state.DeckNext = 0;
    Draw();
    EXPECT_EQ(CardXs(), (std::vector<int32_t>{7, 6, 5, 4, 3, 2, 1, 0}));

    // Every card dealt: the last deck record was retired when its card landed.
    for (auto& record : state.Deck) {
        record.InUse = false;
    }
    state.DeckNext = 52;
    Draw();
    EXPECT_TRUE(CardXs().empty());
}

TEST_F(DrawTableTest, LayoutContractDrawsTheGridInsteadOfTheTable) {
    state.Contract = kLayoutContract;
    Place(state.TableCards[0], 5, 336, 242, true);
    state.TableCount = 1;
    Place(state.LayoutGrid[0][1], 0, 180, 168, false);  // faces show whatever the flag says
    Place(state.LayoutGrid[0][11], 40, 180, 248, true);
    Place(state.LayoutGrid[3][13], 49, 540, 264, true);
    Place(state.LayoutGrid[0][0], 1, 1, 1, true);  // cells outside ace..king are never drawn
    Place(state.LayoutGrid[1][14], 2, 2, 2, true);
    Place(state.LayoutGrid[4][5], 3, 3, 3, true);  // nor the spare fifth column
    Draw();
    EXPECT_EQ(Pictures(), (std::vector<Drawn>{{CardFacePicture(0), 180, 168},
                                              {CardFacePicture(40), 180, 248},
                                              {CardFacePicture(49), 540, 264}}));
}

TEST_F(DrawTableTest, AtTheEndOfAContractOnlyTheScoreSheetShows) {
    Place(state.Hand[0][0], 10, 155, 420, true);
    Place(state.TableCards[0], 5, 336, 242, true);
    state.TableCount = 1;
    state.Phase = Phase::EndOfMatch;
    state.ScoreRows = 1;
    state.ScoreHistory[1][0] = 75;
    state.TotalScore[1] = 75;
    Draw();

    const auto background = std::find_if(canvas.calls.begin(), canvas.calls.end(), [](const CopyCall& call) {
        return call.picture == PictureId::Background;
    });
    ASSERT_NE(background, canvas.calls.end());
    // The background hides the whole table: whole picture, no key.
    EXPECT_EQ(*background, (CopyCall{PictureId::Background, Rect32{0, 0, 800, 600}, 0, 0, false}));

    const std::vector<CopyCall> after(background + 1, canvas.calls.end());
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[0], (CopyCall{PictureId::ScorePage, Rect32{0, 0, 488, 592}, 156, 4, true}));
    EXPECT_EQ(after[1].picture, PictureId::LineHorz1);
    EXPECT_EQ((std::pair{after[1].x, after[1].y}), (std::pair{223, 117}));
    EXPECT_EQ(after[2].picture, PictureId::LineHorz2);
    EXPECT_EQ((std::pair{after[2].x, after[2].y}), (std::pair{223, 430}));
    EXPECT_TRUE(std::all_of(after.begin() + 3, after.end(),
                            [](const CopyCall& call) { return IsFont(call.picture); }));
    EXPECT_EQ(TextDrawnAt(after, PictureId::FontHandwriting, 125), "   0  75   0   0");
    // Clock and banner still over the sheet.
    EXPECT_FALSE(TextDrawnAt(after, PictureId::FontDigit, ClockY).empty());
    EXPECT_FALSE(TextDrawnAt(after, PictureId::FontDeluxe, BannerY).empty());
}

TEST_F(DrawTableTest, TheClockIsCutAtTheScreenEdge) {
    Draw(WallClock{13, 7});
    std::vector<CopyCall> clock;
    std::copy_if(canvas.calls.begin(), canvas.calls.end(), std::back_inserter(clock),
                 [](const CopyCall& call) { return call.picture == PictureId::FontDigit; });
    // "01:07 PM" from x 700: the blank crosses the edge, "PM" lies beyond it.
    ASSERT_EQ(clock.size(), 6u);
    EXPECT_EQ((std::pair{clock[0].x, clock[0].y}), (std::pair{700, 572}));
    EXPECT_EQ(clock[5].x, 785);
    EXPECT_EQ(clock[5].source.right, 15);
    EXPECT_EQ(TextDrawnAt(clock, PictureId::FontDigit, 572), "01:07 ");
}

TEST(FormatClock, TwelveHourClockWithTwoDigits) {
    const std::vector<std::pair<WallClock, std::string>> cases{
        {{0, 5}, "12:05 AM"},  {{9, 30}, "09:30 AM"}, {{11, 59}, "11:59 AM"},
        {{12, 0}, "12:00 PM"}, {{13, 7}, "01:07 PM"}, {{23, 59}, "11:59 PM"},
    };
    for (const auto& [time, expected] : cases) {
        EXPECT_EQ(FormatClock(time), expected) << time.hour << ":" << time.minute;
    }
}

class BannerTest : public testing::Test {
protected:
    BannerTest() : state(MakeState()) {
        state.OpponentName = {"", "Kate", "Ed  ", "Tom "};
        state.KingdomSeat = 2;  // owned by seat 1
        state.FirstSeat = 2;
        state.SeatInfo[2][kKingdomDealsCell] = 2;
        state.Contract = kDiamonds;
        state.ContractsPlayed = 11;
    }
    GameState state;
};

TEST_F(BannerTest, SaysWhoseKingdomWhichDealAndWhatHappens) {
    struct Case {
        Phase phase;
        bool menuOn;
        std::string expected;
    };
    const std::vector<Case> cases{
        {Phase::DealingCards, false, "Kate's kingdom 3/5  Dealing"},
        {Phase::SelectTrumps, false, "Kate's kingdom 3/5  Choosing a contract"},
        {Phase::NormalPlay, false, "Kate's kingdom 3/5  Diamonds 12/20"},
        {Phase::GettingCards, false, "Kate's kingdom 3/5  Diamonds 12/20"},
    };
    for (const Case& c : cases) {
        state.Phase = c.phase;
        state.ContractMenuOn = c.menuOn;
        EXPECT_EQ(BannerText(state), c.expected) << PhaseText(c.phase);
    }
}

TEST_F(BannerTest, TheHumansKingdomAndChoice) {
    state.KingdomSeat = 1;
    state.FirstSeat = 1;
    state.SeatInfo[1][kKingdomDealsCell] = 0;
    state.Phase = Phase::SelectTrumps;
    state.ContractMenuOn = true;
    EXPECT_EQ(BannerText(state), "My kingdom 1/5  Choose a contract");
}

TEST_F(BannerTest, PausesAndSortingShowThePhaseTheyReturnTo) {
    state.Phase = Phase::GatherAroundFirstCard;
    state.SavedPhase = Phase::SelectTrumps;
    EXPECT_EQ(BannerText(state), "Kate's kingdom 3/5  Choosing a contract");
    state.Phase = Phase::Paused;
    state.DelayedPhase = Phase::NormalPlay;
    EXPECT_EQ(BannerText(state), "Kate's kingdom 3/5  Diamonds 12/20");
}

TEST_F(BannerTest, EndOfAContractAndOfTheMatch) {
    state.Phase = Phase::EndOfMatch;
    state.ContractsPlayed = 12;
    EXPECT_EQ(BannerText(state), "Kate's kingdom 3/5  Diamonds done 12/20");
    state.MatchOver = true;
    EXPECT_EQ(BannerText(state), "Kate's kingdom 3/5  Match over");
}

TEST_F(BannerTest, NothingBeforeTheFirstDeal) {
    state.Phase = Phase::None;
    EXPECT_EQ(BannerText(state), "");
}

TEST_F(BannerTest, NeverRunsIntoTheClock) {
    state.OpponentName[1] = "Maximilian";
    state.Phase = Phase::SelectTrumps;
    const std::string banner = BannerText(state);
    EXPECT_LE(BannerX + 17 * static_cast<int>(banner.size() - 1) + 19, ClockX);
}

TEST_F(BannerTest, IsDrawnWithTheThirdFontAtTheBottomLeft) {
    RecordingCanvas canvas;
    GameFonts fonts = LoadFonts(canvas);
    FillHandLayout(state.Layout);
    state.Phase = Phase::DealingCards;
    DrawTable(canvas, kScreenClipRect, state, fonts, WallClock{});
    EXPECT_EQ(TextDrawnAt(canvas.calls, PictureId::FontDeluxe, 572), "Kate's kingdom 3/5  Dealing");
    const auto first = std::find_if(canvas.calls.begin(), canvas.calls.end(), [](const CopyCall& call) {
        return call.picture == PictureId::FontDeluxe;
    });
    ASSERT_NE(first, canvas.calls.end());
    EXPECT_EQ(first->x, 5);
}

TEST_F(BannerTest, WhileTheLastTrickIsShownItSaysWhoWonItOrWhatIsMarked) {
    struct Case {
        int16_t contract;
        int16_t trickCount;
        int16_t winner;
        int16_t laidCount;
        const char* banner;
    };
    const Case cases[] = {
        {kQueens, 4, 2, 0, "Last trick, won by Ed"},
        {kQueens, 4, 0, 0, "Last trick, won by me"},
        {kKing, 0, 0, 0, "No trick taken yet"},
        {kLayoutContract, 0, 0, 3, "Last cards laid, newest in gold"},
        {kLayoutContract, 0, 0, 0, "No card laid yet"},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        GameFonts fonts = LoadFonts(canvas);
        FillHandLayout(state.Layout);
        state.Phase = Phase::NormalPlay;
        state.Contract = c.contract;
        state.Aids.LastTrickShown = true;
        state.Aids.LastTrickCount = c.trickCount;
        state.Aids.LastTrickWinner = c.winner;
        state.Aids.LastLaidCount = c.laidCount;
        DrawTable(canvas, kScreenClipRect, state, fonts, WallClock{});
        EXPECT_EQ(TextDrawnAt(canvas.calls, PictureId::FontDeluxe, 572), c.banner);
    }
}

// Every sentence the table builds from a seat's name, for the human's seat and for an opponent's: the
// human's reads in the first person, an opponent's carries the name (trailing blanks trimmed).
TEST_F(BannerTest, EverySentenceNamingASeatReadsRightForTheHumanAndForAnOpponent) {
    const auto kingdomOf = [this](int owner) {
        state.KingdomSeat = static_cast<int16_t>((owner + 1) % kSeats);
        state.FirstSeat = state.KingdomSeat;
        state.SeatInfo[state.FirstSeat][kKingdomDealsCell] = 2;
        state.Phase = Phase::NormalPlay;
        state.Aids.LastTrickShown = false;
        return BannerText(state);
    };
    const auto lastTrickWonBy = [this](int winner) {
        RecordingCanvas canvas;
        GameFonts fonts = LoadFonts(canvas);
        FillHandLayout(state.Layout);
        state.Phase = Phase::NormalPlay;
        state.Contract = kQueens;
        state.Aids.LastTrickShown = true;
        state.Aids.LastTrickCount = 4;
        state.Aids.LastTrickWinner = static_cast<int16_t>(winner);
        DrawTable(canvas, kScreenClipRect, state, fonts, WallClock{});
        return TextDrawnAt(canvas.calls, PictureId::FontDeluxe, 572);
    };
    struct Case {
        const char* what;
        std::function<std::string(int)> text;
        int seat;
        const char* expected;
    };
    const Case cases[] = {
        {"kingdom banner", kingdomOf, 0, "My kingdom 3/5  Diamonds 12/20"},
        {"kingdom banner", kingdomOf, 2, "Ed's kingdom 3/5  Diamonds 12/20"},
        {"last trick", lastTrickWonBy, 0, "Last trick, won by me"},
        {"last trick", lastTrickWonBy, 2, "Last trick, won by Ed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text(c.seat), c.expected) << c.what << ", seat " << c.seat;
    }
}

}  // namespace
