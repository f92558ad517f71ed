// The spoken texts in English (the catalogues' own texts): each event at each level, and the read-outs
// asked for with a key.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "speech/spoken_names.h"
#include "speech/spoken_texts.h"
#include "test_support.h"

namespace {

GameState Table(int16_t contract = kQueens) {
    GameState s = MakeState(contract);
    s.OpponentName = {"", "Lena", "Tom ", "Ed  "};
    s.KingdomSeat = 2;  // the kingdom of seat 1, Lena
    s.FirstSeat = 2;
    s.SeatInfo[2][kKingdomDealsCell] = 1;
    s.ContractsPlayed = 6;
    s.TotalScore = {120, 80, 200, -50};
    s.DealScore = {-25, 0, -50, -25};
    return s;
}

TEST(SpokenNames, CardsRanksSuitsAndSeats) {
    const GameState s = Table();
    EXPECT_EQ(SpokenCardName(s, CardId("7C")), "seven of clubs");
    EXPECT_EQ(SpokenCardName(s, CardId("QH")), "queen of hearts");
    EXPECT_EQ(SpokenCardName(s, CardId("10D")), "ten of diamonds");
    EXPECT_EQ(SpokenCardName(s, CardId("AS")), "ace of spades");
    EXPECT_EQ(SpokenPlayedCardName(s, CardId("KS")), "the king of spades");
    EXPECT_EQ(SpokenCardName(s, -1), "");
    EXPECT_EQ(SpokenCardName(s, kCards), "");
    EXPECT_EQ(SpokenRankName(1), "ace");
    EXPECT_EQ(SpokenRankName(13), "king");
    EXPECT_EQ(SpokenSuitName(kDiamondsSuit), "Diamonds");
    EXPECT_EQ(SpokenSeatName(s, 2), "Tom");
    EXPECT_EQ(SpokenSeatName(s, 0), "Seat 0");
    EXPECT_EQ(SpokenContractName(kLayoutContract), "Zarn");
    EXPECT_EQ(SpokenContractName(0), "");
    // Every card has a distinct name in both forms.
    std::vector<std::string> names;
    for (int16_t card = 0; card < kCards; ++card) {
        names.push_back(SpokenCardName(s, card));
        names.push_back(SpokenPlayedCardName(s, card));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());
}

struct EventCase {
    const char* name;
    SpeechEvent event;
    std::string terse;
    std::string normal;
    std::string detailed;
};

TEST(SpokenTexts, EachEventAtEachLevel) {
    using K = SpeechEventKind;
    const std::vector<EventCase> cases = {
        {"deal",
         {K::DealStarted, 1},
         "",
         "Lena's kingdom, deal 2 of 5.",
         "Lena's kingdom, deal 2 of 5. Contract 7 of 20."},
        {"contract",
         {.kind = K::ContractChosen, .seat = 1, .contract = kQueens},
         "Queens.",
         "Lena chooses Queens.",
         "Lena chooses Queens. 25 points for each queen taken."},
        {"my contract",
         {.kind = K::ContractChosen, .seat = 0, .contract = kKing},
         "King.",
         "You choose King.",
         "You choose King. 75 points for taking the king of hearts."},
        {"card",
         {.kind = K::CardPlayed, .seat = 1, .card = CardId("QH")},
         "Lena: queen of hearts.",
         "Lena plays the queen of hearts.",
         "Lena plays the queen of hearts."},
        {"my card",
         {.kind = K::CardPlayed, .seat = 0, .card = CardId("7C")},
         "",
         "You play the seven of clubs.",
         "You play the seven of clubs."},
        {"pass", {K::Passed, 3}, "Ed passes.", "Ed passes.", "Ed passes."},
        {"empty trick",
         {K::TrickTaken, 2},
         "",
         "Tom takes the trick.",
         "Tom takes the trick. 2 tricks taken in this deal."},
        {"trick with points",
         {.kind = K::TrickTaken, .seat = 0, .points = 50},
         "You take the trick and 50 points.",
         "You take the trick and 50 points.",
         "You take the trick and 50 points. 1 trick taken in this deal."},
        {"scored",
         {.kind = K::ContractScored, .contract = kQueens},
         "Queens is over. You: 25 points, total 120.",
         "Queens is over. You: 25 points. Lena: 0 points. Tom: 50 points. Ed: 25 points.",
         "Queens is over. You: 25 points, total 120. Lena: 0 points, total 80. Tom: 50 points, total 200. "
         "Ed: 25 points, total -50."},
        {"their turn", {K::SeatToPlay, 3}, "", "", "Ed's turn."},
        {"match over",
         {K::MatchOver},
         "The match is over. Ed wins with -50 points.",
         "The match is over. Ed wins with -50 points. Scores: you 120, Lena 80, Tom 200, Ed -50.",
         "The match is over. Ed wins with -50 points. Scores: you 120, Lena 80, Tom 200, Ed -50."},
    };
    GameState s = Table();
    s.TakenCount = {4, 0, 8, 0};
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EventUtterance(s, c.event, Verbosity::Terse).text, c.terse);
        EXPECT_EQ(EventUtterance(s, c.event, Verbosity::Normal).text, c.normal);
        EXPECT_EQ(EventUtterance(s, c.event, Verbosity::Detailed).text, c.detailed);
    }
}

TEST(SpokenTexts, ThePlayersTurnIsUrgentAndNamesWhatIsAllowed) {
    GameState s = Table(kQueens);
    GiveHand(s, 0, {"2C", "QC", "7H", "AS"});
    PutOnTable(s, {"9C"});
    NotePlay(s, 3, CardId("9C"));
    const SpeechEvent turn{SpeechEventKind::HumanToPlay};
    for (Verbosity level : {Verbosity::Terse, Verbosity::Normal, Verbosity::Detailed}) {
        EXPECT_EQ(EventUtterance(s, turn, level).priority, SpeechPriority::Urgent);
    }
    EXPECT_EQ(EventUtterance(s, turn, Verbosity::Terse).text, "Your turn.");
    EXPECT_EQ(EventUtterance(s, turn, Verbosity::Normal).text, "Your turn. 2 cards may be played.");
    EXPECT_EQ(EventUtterance(s, turn, Verbosity::Detailed).text,
              "Your turn. 2 cards may be played. On the table: Ed, nine of clubs.");

    // Choosing: the contracts the kingdom's owner (here the player) has not chosen.
    s.KingdomSeat = 1;
    s.SeatInfo[0][kContractChosenCell + kDiamonds] = kTrueCell;
    s.SeatInfo[0][kContractChosenCell + kKing] = kTrueCell;
    const SpeechEvent choose{SpeechEventKind::HumanToChoose};
    EXPECT_EQ(EventUtterance(s, choose, Verbosity::Terse).text, "Choose a contract.");
    EXPECT_EQ(EventUtterance(s, choose, Verbosity::Normal).text,
              "Choose a contract. Open: Tricks, Queens, Zarn.");
    EXPECT_EQ(
        EventUtterance(s, choose, Verbosity::Detailed).text,
        "Choose a contract. Tricks: 10 points for each trick taken. Queens: 25 points for each queen taken. "
        "Zarn: Lay cards in the columns from the jacks up and down; the first out earns 200 points, then "
        "150, "
        "100 and 50.");
    EXPECT_EQ(EventUtterance(s, choose, Verbosity::Normal).priority, SpeechPriority::Urgent);
}

// A result is followed at once by the score sheet's own line: at no level may that newer text cut it.
TEST(SpokenTexts, AContractsResultIsNeverCutShort) {
    const GameState s = Table();
    for (const Verbosity verbosity : {Verbosity::Terse, Verbosity::Normal, Verbosity::Detailed}) {
        const Utterance result =
            EventUtterance(s, {.kind = SpeechEventKind::ContractScored, .contract = kQueens}, verbosity);
        EXPECT_FALSE(result.text.empty());
        EXPECT_NE(result.priority, SpeechPriority::Interruptible) << static_cast<int>(verbosity);
    }
}

TEST(SpokenTexts, TheMatchsEndForTheWinnerAndInPartnership) {
    GameState s = Table();
    s.TotalScore = {40, 80, 200, 40};
    EXPECT_EQ(EventUtterance(s, {SpeechEventKind::MatchOver}, Verbosity::Terse).text,
              "The match is over. You win with 40 points.");
    s.Options.Partnership = true;
    EXPECT_EQ(EventUtterance(s, {SpeechEventKind::MatchOver}, Verbosity::Terse).text,
              "The match is over. You and Tom lose.");
    s.TotalScore = {40, 80, 60, 100};
    EXPECT_EQ(EventUtterance(s, {SpeechEventKind::MatchOver}, Verbosity::Terse).text,
              "The match is over. You and Tom win.");
}

TEST(SpokenTexts, TheHandBySuitFromLowestToHighest) {
    GameState s = Table(kQueens);
    GiveHand(s, 0, {"KD", "AC", "2C", "10H", "QC", "3D"});
    EXPECT_EQ(HandText(s), "Clubs: two, queen, ace. Hearts: ten. Diamonds: three, king.");
    s.Contract = kLayoutContract;  // the ace is lowest here
    SetRankOrder(s);
    EXPECT_EQ(HandText(s), "Clubs: ace, two, queen. Hearts: ten. Diamonds: three, king.");
    GiveHand(s, 0, {});
    EXPECT_EQ(HandText(s), "Your hand is empty.");
}

TEST(SpokenTexts, TheTableTheScoresAndTheContract) {
    GameState s = Table(kQueens);
    EXPECT_EQ(TableText(s), "No card on the table.");
    PutOnTable(s, {"9C", "QC"});
    NotePlay(s, 3, CardId("9C"));
    NotePlay(s, 0, CardId("QC"));
    EXPECT_EQ(TableText(s), "On the table: Ed, nine of clubs, yours, queen of clubs.");
    EXPECT_EQ(ScoresText(s), "Scores: you 120, Lena 80, Tom 200, Ed -50.");
    EXPECT_EQ(ContractText(s), "Queens, contract 7 of 20. 25 points for each queen taken.");
    s.Contract = 0;
    EXPECT_EQ(ContractText(s), "No contract chosen yet.");

    // The layout's rows: nothing laid, the jack alone, a run.
    s.Contract = kLayoutContract;
    s.SuitLow = {12, 11, 8, 12, 0};
    s.SuitHigh = {10, 11, 13, 10, 0};
    EXPECT_EQ(TableText(s),
              "Clubs: none laid. Hearts: jack alone. Spades: eight to king. Diamonds: none laid.");
}

TEST(SpokenTexts, TheFocusedCardOrContract) {
    GameState s = Table(kQueens);
    GiveHand(s, 0, {"2C", "QC", "7H", "AS"});
    PutOnTable(s, {"9C"});
    s.Aids.FocusSlot = 1;
    EXPECT_EQ(FocusText(s), "queen of clubs, 2 of 4.");
    s.Aids.FocusSlot = 2;
    EXPECT_EQ(FocusText(s), "seven of hearts, 3 of 4, not allowed now.");
    s.Hand[0][0].InUse = false;  // the hand's count and places skip the cards played
    EXPECT_EQ(FocusText(s), "seven of hearts, 2 of 3, not allowed now.");
    s.Aids.FocusSlot = -1;
    EXPECT_EQ(FocusText(s), "");
    s.Aids.FocusButton = 1;
    EXPECT_EQ(FocusText(s), "Diamonds. 15 points for each diamond taken.");
}

}  // namespace
