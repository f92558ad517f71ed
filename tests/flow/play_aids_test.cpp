#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "cards/card_tables.h"
#include "cards/rules.h"
#include "flow/card_movement.h"
#include "flow/card_play.h"
#include "flow/computer_seats.h"
#include "flow/play_aids.h"
#include "flow_harness.h"
#include "players/computer_player.h"

// The play aids, driven through the input snapshot as a person would: the keyboard focus, Enter and
// Space, the hint, the last-trick view and the sound switch.

namespace {

bool Waiting(const GameState& s) {
    return (AwaitingHumanCard(s) && !AnyCardMoving(s)) || AwaitingHumanContract(s);
}

bool EndOfMatch(const GameState& s) {
    return s.Phase == Phase::EndOfMatch;
}

InputSnapshot Keys(std::initializer_list<int> keys) {
    InputSnapshot input;
    for (int key : keys) {
        input.Keys[key] = true;
    }
    return input;
}

// A key pressed for one frame and released in the next.
void Tap(FlowHarness& h, std::initializer_list<int> keys) {
    h.Frame(Keys(keys));
    h.Frame();
}

// Runs frames with no input until the human is awaited or a contract ends.
bool RunToHumanOrEnd(FlowHarness& h) {
    return h.RunUntil([](const GameState& s) { return Waiting(s) || EndOfMatch(s); });
}

// Which seat holds each card now.
std::map<int16_t, int> HoldersOfCards(const GameState& s) {
    std::map<int16_t, int> holders;
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int slot = 0; slot <= 12; ++slot) {
            if (s.Hand[seat][slot].InUse) {
                holders[s.Hand[seat][slot].Card] = seat;
            }
        }
    }
    return holders;
}

std::string ContractNameForTest(int16_t contract) {
    static const char* const kNames[] = {"", "tricks", "diamonds", "queens", "king", "layout"};
    return contract >= 1 && contract <= 5 ? kNames[contract] : "?";
}

// --- Keyboard play -------------------------------------------------------------------------------

TEST(KeyboardPlay, AWholeMatchByKeysAloneEndsWithEveryCardLegal) {
    FlowHarness h(11);
    h.Start();
    int cardsPlayed = 0;
    int contractsChosen = 0;
    int presses = 0;
    while (!(EndOfMatch(h.s) && h.s.MatchOver)) {
        ASSERT_TRUE(RunToHumanOrEnd(h)) << "the game stopped moving";
        if (EndOfMatch(h.s)) {
            if (h.s.MatchOver) {
                break;
            }
            Tap(h, {kKeyEnter});
            ASSERT_EQ(h.s.Phase, Phase::DealingCards) << "Enter at the score sheet deals on";
            continue;
        }
        // Right a few times (the first shows the focus), then Enter or Space.
        for (int i = 0; i < 1 + presses % 4; ++i) {
            Tap(h, {kKeyRight});
            if (AwaitingHumanCard(h.s)) {
                ASSERT_TRUE(HumanMayPlaySlot(h.s, h.s.Aids.FocusSlot))
                    << "focus on slot " << h.s.Aids.FocusSlot;
            }
        }
        ++presses;
        if (AwaitingHumanContract(h.s)) {
            const int16_t button = h.s.Aids.FocusButton;
            ASSERT_GE(button, 0);
            ASSERT_NE(h.s.ContractButton[button].enabled, 0);
            Tap(h, {presses % 2 == 0 ? kKeyEnter : kKeySpace});
            EXPECT_EQ(h.s.Contract, button + 1);
            EXPECT_FALSE(h.s.ContractMenuOn);
            ++contractsChosen;
            continue;
        }
        const int16_t slot = h.s.Aids.FocusSlot;
        ASSERT_TRUE(HumanMayPlaySlot(h.s, slot));
        const int16_t card = h.s.Hand[0][slot].Card;
        Tap(h, {presses % 2 == 0 ? kKeyEnter : kKeySpace});
        EXPECT_TRUE(h.s.HumanClickTaken);
        EXPECT_TRUE(h.s.Hand[0][slot].Moving) << "the focused card " << card << " is on its way";
        ++cardsPlayed;
    }
    EXPECT_EQ(h.s.ContractsPlayed, 20);
    EXPECT_EQ(contractsChosen, 5) << "one kingdom of five contracts is the human's";
    EXPECT_GT(cardsPlayed, 150);
}

TEST(KeyboardPlay, FocusFollowsTheMouseOnlyOverAllowedCardsAndStartsOnTheFirstFromTheLeft) {
    FlowHarness h(5);
    h.Start();
    // A wait where some cards are refused: the human follows a led suit it holds but not everywhere.
    int checked = 0;
    while (checked < 6) {
        ASSERT_TRUE(
            h.PlayUntil([](const GameState& s) { return AwaitingHumanCard(s) && !AnyCardMoving(s); }));
        h.Frame();
        int first = -1;
        for (int slot = 0; slot <= 12 && first < 0; ++slot) {
            first = HumanMayPlaySlot(h.s, slot) ? slot : -1;
        }
        EXPECT_EQ(h.s.Aids.FocusSlot, first);
        for (int slot = 0; slot <= 12; ++slot) {
            int32_t x = 0;
            int32_t y = 0;
            if (!h.s.Hand[0][slot].InUse || !VisibleCardPoint(h.s, slot, x, y)) {
                continue;
            }
            const int16_t before = h.s.Aids.FocusSlot;
            InputSnapshot move;
            move.MouseX = x;
            move.MouseY = y;
            h.Frame(move);
            EXPECT_EQ(h.s.Aids.FocusSlot, HumanMayPlaySlot(h.s, slot) ? slot : before)
                << "mouse over slot " << slot;
            EXPECT_FALSE(h.s.HumanClickTaken) << "moving the mouse plays nothing";
        }
        ++checked;
        h.Frame(h.player.NextInput(h.s));
    }
}

TEST(KeyboardPlay, ArrowsAndTabWalkTheContractButtonsAndEnterChooses) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.RunUntil([](const GameState& s) { return s.Phase == Phase::SelectTrumps; }));
    // The human owns this deal's kingdom, and has already chosen Diamonds.
    h.s.CurrentSeat = 3;
    h.s.SeatInfo[0][kContractChosenCell + kDiamonds] = kTrueCell;
    ASSERT_TRUE(h.RunUntil(AwaitingHumanContract));
    h.Frame();
    EXPECT_EQ(h.s.Aids.FocusButton, 0) << "the lowest button first";
    EXPECT_FALSE(h.s.Aids.FocusVisible);
    Tap(h, {kKeyRight});
    EXPECT_EQ(h.s.Aids.FocusButton, 0) << "the first key shows the focus where it is";
    EXPECT_TRUE(h.s.Aids.FocusVisible);
    Tap(h, {kKeyRight});
    EXPECT_EQ(h.s.Aids.FocusButton, 2) << "Diamonds is not offered";
    Tap(h, {kKeyTab});
    EXPECT_EQ(h.s.Aids.FocusButton, 3);
    Tap(h, {kKeyTab, kKeyLeftShift});
    EXPECT_EQ(h.s.Aids.FocusButton, 2);
    Tap(h, {kKeyDown});
    EXPECT_EQ(h.s.Aids.FocusButton, 0);
    Tap(h, {kKeyLeft});
    EXPECT_EQ(h.s.Aids.FocusButton, 4) << "the walk wraps around";
    Tap(h, {kKeyUp});
    EXPECT_EQ(h.s.Aids.FocusButton, 0);
    Tap(h, {kKeyUp});
    EXPECT_EQ(h.s.Aids.FocusButton, 2);
    Tap(h, {kKeyEnter});
    EXPECT_EQ(h.s.Contract, kQueens);
    EXPECT_EQ(h.s.SeatInfo[0][kContractChosenCell + kQueens], kTrueCell);
    EXPECT_EQ(h.s.Aids.FocusButton, -1) << "no focus once the choice is made";
}

TEST(KeyboardPlay, EnterAtTheScoreSheetDealsOnButAltEnterOnlySwitchesTheScreen) {
    FlowHarness h(5);
    h.Start();
    h.s.Phase = Phase::EndOfMatch;
    Tap(h, {kKeyEnter, kKeyLeftAlt});
    EXPECT_EQ(h.s.Phase, Phase::EndOfMatch);
    Tap(h, {kKeyPadEnter, kKeyRightAlt});
    EXPECT_EQ(h.s.Phase, Phase::EndOfMatch);
    h.Frame(Keys({kKeySpace}));
    EXPECT_EQ(h.s.Phase, Phase::DealingCards);
}

TEST(KeyboardPlay, HeldEnterActsOnceAndAClickHidesTheFocus) {
    FlowHarness h(5);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return AwaitingHumanCard(s) && !AnyCardMoving(s); }));
    h.Frame(Keys({kKeyEnter}));
    EXPECT_TRUE(h.s.Aids.FocusVisible);
    EXPECT_FALSE(h.s.HumanClickTaken) << "the first Enter shows the focus before anything is played";
    h.Frame(Keys({kKeyEnter}));
    EXPECT_FALSE(h.s.HumanClickTaken) << "a held key acts once";
    InputSnapshot click = h.player.NextInput(h.s);
    ASSERT_TRUE(click.Buttons[0]);
    h.Frame(click);
    EXPECT_TRUE(h.s.HumanClickTaken);
    EXPECT_FALSE(h.s.Aids.FocusVisible);
}

// --- Hint ----------------------------------------------------------------------------------------

// What the hint is checked on: the contract and whether the human leads, the layout contract, and
// the contract choice.
std::string Position(const GameState& s) {
    if (AwaitingHumanContract(s)) {
        return "contract choice";
    }
    if (s.Contract == kLayoutContract) {
        return "layout";
    }
    return ContractNameForTest(s.Contract) + (s.TrickCards == 0 ? " lead" : " follow");
}

TEST(Hint, EqualsTheComputerPlayersChoiceForTheHumansSeatAndPlaysNothing) {
    const std::set<std::string> wanted = {
        "contract choice", "layout",      "tricks lead",   "tricks follow", "diamonds lead",
        "diamonds follow", "queens lead", "queens follow", "king lead",     "king follow",
    };
    std::set<std::string> seen;
    for (uint32_t seed : {3U, 7U}) {
        FlowHarness h(seed);
        h.Start();
        while (!(EndOfMatch(h.s) && h.s.MatchOver)) {
            ASSERT_TRUE(
                h.PlayUntil([](const GameState& s) { return Waiting(s) || (EndOfMatch(s) && s.MatchOver); }));
            if (EndOfMatch(h.s)) {
                break;
            }
            const std::string position = Position(h.s);
            const GameState before = h.s;
            Tap(h, {kKeyH});
            if (AwaitingHumanContract(before)) {
                const int16_t choice = ChooseContract(before, kHumanSeat);
                ASSERT_NE(before.ContractButton[choice - 1].enabled, 0);
                EXPECT_EQ(h.s.Aids.HintButton, choice - 1) << position;
                EXPECT_EQ(h.s.Aids.FocusButton, choice - 1) << position;
                EXPECT_TRUE(h.s.ContractMenuOn) << "the hint chooses nothing";
            } else {
                const int16_t slot =
                    before.Contract == kLayoutContract
                        ? ChooseLayoutCard(before, kHumanSeat)
                        : FindHandSlot(before, kHumanSeat, ChooseTrickCard(before, kHumanSeat));
                if (slot < 0 || !IsLegalPlay(before, before.Hand[0][slot])) {
                    // The rules refuse the human this card: the hint falls back to the first allowed
                    // card from the left.
                    int firstAllowed = -1;
                    for (int left = kLastHandSlot; left >= 0; --left) {
                        const CardRecord& card = before.Hand[kHumanSeat][left];
                        firstAllowed = card.InUse && IsLegalPlay(before, card) ? left : firstAllowed;
                    }
                    EXPECT_EQ(h.s.Aids.HintSlot, firstAllowed) << position;
                } else {
                    EXPECT_EQ(h.s.Aids.HintSlot, slot) << position;
                    seen.insert(position);
                }
                EXPECT_EQ(h.s.Aids.FocusSlot, h.s.Aids.HintSlot);
                EXPECT_FALSE(h.s.HumanClickTaken) << "the hint plays nothing";
                EXPECT_FALSE(AnyCardMoving(h.s));
            }
            if (position == "contract choice") {
                seen.insert(position);
            }
            EXPECT_EQ(h.s.Phase, before.Phase);
            EXPECT_EQ(h.s.HeldCards, before.HeldCards);
            h.Frame(h.player.NextInput(h.s));
        }
    }
    for (const std::string& position : wanted) {
        EXPECT_TRUE(seen.count(position) == 1) << "no hint was checked in the position: " << position;
    }
}

// The hint in positions whose answer is known by reading the cards, not by asking the players' code:
// the card (its slot in the hand as dealt here) or the contract button the hint must show.
TEST(Hint, ShowsTheKnownAnswerOfHandPickedPositions) {
    struct CardCase {
        const char* position;
        int16_t contract;
        std::initializer_list<std::string_view> hand;
        std::initializer_list<std::string_view> table;
        int16_t slot;
    };
    const CardCase cards[] = {
        {"tricks, last to play: ducks under the trick", kTricks, {"10C", "2C"}, {"5C", "9C", "3C"}, 1},
        {"king, last to play, no penalty about: the highest card",
         kKing,
         {"3S", "AS"},
         {"5S", "9S", "2S"},
         1},
        {"queens, second: drops the queen under the king", kQueens, {"3S", "QS"}, {"KS"}, 1},
        {"queens, second, must win: the king fears the jack less", kQueens, {"AS", "KS"}, {"10S"}, 1},
        {"tricks, leading: the lowest card for its suit", kTricks, {"KC", "4S", "9H"}, {}, 1},
    };
    for (const CardCase& c : cards) {
        FlowHarness h;
        h.s = MakeState(c.contract);
        GiveHand(h.s, kHumanSeat, c.hand);
        PutOnTable(h.s, c.table);
        h.s.Phase = Phase::NormalPlay;
        h.s.CurrentSeat = kHumanSeat;
        h.s.AwaitingHuman = true;
        ASSERT_TRUE(AwaitingHumanCard(h.s)) << c.position;
        PlayAidKeys keys;
        keys.hint = true;
        UsePlayAidKeys(h.s, InputSnapshot{}, keys, false, h.services);
        EXPECT_EQ(h.s.Aids.HintSlot, c.slot) << c.position;
        EXPECT_EQ(h.s.Aids.FocusSlot, c.slot) << c.position;
    }
    struct ContractCase {
        const char* position;
        std::initializer_list<std::string_view> hand;
        std::initializer_list<int16_t> chosen;
        int16_t button;
    };
    const ContractCase contracts[] = {
        {"the one contract left",
         {"AH", "KH", "QH", "JH", "AS", "KS", "QS", "JS", "AC", "KC", "QC", "2D", "3D"},
         {kTricks, kDiamonds, kQueens, kKing},
         kLayoutContract - 1},
        {"queen, jack, ten of diamonds: the layout rather than diamonds",
         {"QD", "JD", "10D", "AC", "2C", "3C", "4C", "2S", "3S", "4S", "2H", "3H", "4H"},
         {kQueens, kKing, kTricks},
         kLayoutContract - 1},
        {"no queen, no king, no ace: queens",
         {"JC", "10C", "9C", "JS", "10S", "9S", "JH", "10H", "9H", "JD", "10D", "2D", "3D"},
         {},
         kQueens - 1},
    };
    for (const ContractCase& c : contracts) {
        FlowHarness h;
        h.s = MakeState(kTricks);
        GiveHand(h.s, kHumanSeat, c.hand);
        for (int16_t contract : c.chosen) {
            MarkContractChosen(h.s, kHumanSeat, contract);
        }
        for (int16_t contract = kTricks; contract <= kLayoutContract; ++contract) {
            h.s.ContractButton[contract - 1].enabled =
                h.s.SeatInfo[kHumanSeat][kContractChosenCell + contract] == 0 ? 1 : 0;
        }
        h.s.Phase = Phase::SelectTrumps;
        h.s.CurrentSeat = kHumanSeat;
        h.s.AwaitingHuman = true;
        h.s.ContractMenuOn = true;
        ASSERT_TRUE(AwaitingHumanContract(h.s)) << c.position;
        PlayAidKeys keys;
        keys.hint = true;
        UsePlayAidKeys(h.s, InputSnapshot{}, keys, false, h.services);
        EXPECT_EQ(h.s.Aids.HintButton, c.button) << c.position;
        EXPECT_EQ(h.s.Aids.FocusButton, c.button) << c.position;
    }
}

// --- Last trick ----------------------------------------------------------------------------------

TEST(LastTrick, ShowsTheFourCardsOfTheTrickJustGatheredBySeat) {
    FlowHarness h(9);
    h.Start();
    for (int trick = 0; trick < 3; ++trick) {
        ASSERT_TRUE(h.PlayUntil(
            [](const GameState& s) { return s.Phase == Phase::NormalPlay && s.TrickCards == 0; }));
        const std::map<int16_t, int> holders = HoldersOfCards(h.s);
        ASSERT_TRUE(h.PlayUntil([](const GameState& s) {
            return s.Phase == Phase::Paused && s.DelayedPhase == Phase::GettingCardsGathering;
        }));
        const GameState complete = h.s;
        h.Frame(h.player.NextInput(h.s));
        ASSERT_EQ(h.s.Aids.LastTrickCount, 4);
        EXPECT_EQ(h.s.Aids.LastTrickWinner, complete.TrickWinner);
        for (int i = 0; i < 4; ++i) {
            const ShownTrickCard& shown = h.s.Aids.LastTrick[i];
            EXPECT_EQ(shown.Card, complete.TableCards[i].Card);
            EXPECT_EQ(shown.Seat, holders.at(shown.Card)) << "card " << shown.Card;
            EXPECT_EQ(shown.X, complete.TableCards[i].X);
            EXPECT_EQ(shown.Y, complete.TableCards[i].Y);
        }
        // The trick is gathered and swept; the view keeps it as it lay.
        ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::NormalPlay; }));
        EXPECT_EQ(h.s.TableCount, 0);
        EXPECT_EQ(h.s.Aids.LastTrick[0].X, complete.TableCards[0].X);
        InputSnapshot held = h.player.NextInput(h.s);
        held.Keys[kKeyL] = true;
        h.Frame(held);
        EXPECT_TRUE(h.s.Aids.LastTrickShown);
        h.Frame(h.player.NextInput(h.s));
        EXPECT_FALSE(h.s.Aids.LastTrickShown);
        InputSnapshot right = h.player.NextInput(h.s);
        right.Buttons[1] = true;
        h.Frame(right);
        EXPECT_TRUE(h.s.Aids.LastTrickShown) << "the right button shows it too";
    }
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.Phase == Phase::DealingCards; }));
    h.Frame();
    EXPECT_EQ(h.s.Aids.LastTrickCount, 0) << "a new deal has no last trick";
}

TEST(LastTrick, InTheLayoutContractShowsTheLastFourCardsLaidByWhoLaidThem) {
    FlowHarness h(4);
    h.Start();
    h.OnlyContractLeft(kLayoutContract);
    ASSERT_TRUE(h.PlayUntil(
        [](const GameState& s) { return s.Contract == kLayoutContract && s.Phase == Phase::NormalPlay; }));
    const std::map<int16_t, int> holders = HoldersOfCards(h.s);
    std::vector<int16_t> laid;
    int16_t cardsPlayed = h.s.CardsPlayed;
    while (laid.size() < 9 && !EndOfMatch(h.s)) {
        h.Frame(h.player.NextInput(h.s));
        if (h.s.CardsPlayed != cardsPlayed) {
            cardsPlayed = h.s.CardsPlayed;
            // The card just laid is the one its seat no longer holds.
            for (const auto& [card, seat] : holders) {
                if (std::find(laid.begin(), laid.end(), card) == laid.end() &&
                    !HoldersOfCards(h.s).count(card)) {
                    laid.push_back(card);
                }
            }
            const PlayAids& aids = h.s.Aids;
            ASSERT_EQ(aids.LastLaidCount, std::min<int>(4, static_cast<int>(laid.size())));
            for (int i = 0; i < aids.LastLaidCount; ++i) {
                const LaidCardMark& mark = aids.LastLaid[i];
                const int16_t card = h.s.LayoutGrid[mark.Suit][mark.Cell].Card;
                EXPECT_EQ(card, laid[laid.size() - aids.LastLaidCount + i]);
                EXPECT_EQ(mark.Seat, holders.at(card));
            }
        }
    }
    EXPECT_EQ(laid.size(), 9U);
}

// --- Nothing but Enter and Space changes the game -------------------------------------------------

TEST(PlayAids, AMatchWithEveryAidInUsePlaysExactlyAsWithoutThem) {
    FlowHarness plain(21);
    FlowHarness aided(21);
    plain.Start();
    aided.Start();
    const int aidKeys[] = {kKeyH, kKeyL, kKeyRight, kKeyLeft, kKeyTab, kKeyM, kKeyUp, kKeyDown};
    for (int frame = 0; frame < 400000 && !(plain.s.MatchOver && EndOfMatch(plain.s)); ++frame) {
        plain.Frame(plain.player.NextInput(plain.s));
        InputSnapshot input = aided.player.NextInput(aided.s);
        input.Keys[aidKeys[(frame / 3) % 8]] = frame % 3 == 0;
        input.Buttons[1] = frame % 50 < 20;
        aided.Frame(input);
    }
    ASSERT_TRUE(plain.s.MatchOver);
    EXPECT_TRUE(aided.s.MatchOver);
    EXPECT_EQ(aided.s.TotalScore, plain.s.TotalScore);
    EXPECT_EQ(aided.s.ScoreHistory, plain.s.ScoreHistory);
    EXPECT_EQ(aided.s.Phase, plain.s.Phase);
    EXPECT_EQ(aided.random.Rnd(), plain.random.Rnd()) << "the same random numbers were drawn";
}

// --- Sound ---------------------------------------------------------------------------------------

TEST(Mute, MSwitchesEverySoundOffAndOnAgain) {
    FlowHarness h(5);
    h.s.Aids.Muted = true;  // as a kept setting would at start
    h.Start();
    EXPECT_TRUE(h.sound.played.empty()) << "not even the shuffle";
    for (int i = 0; i < 300; ++i) {
        h.Frame();
    }
    EXPECT_TRUE(h.sound.played.empty());
    Tap(h, {kKeyM});
    EXPECT_FALSE(h.s.Aids.Muted);
    for (int i = 0; i < 300; ++i) {
        h.Frame();
    }
    EXPECT_FALSE(h.sound.played.empty()) << "dealing is heard again";
    const size_t heard = h.sound.played.size();
    h.Frame(Keys({kKeyM}));
    EXPECT_TRUE(h.s.Aids.Muted);
    for (int i = 0; i < 300; ++i) {
        h.Frame(Keys({kKeyM}));  // held: one switch only
    }
    EXPECT_TRUE(h.s.Aids.Muted);
    EXPECT_EQ(h.sound.played.size(), heard);
}

TEST(Mute, MWorksWhilePaused) {
    FlowHarness h(5);
    h.Start();
    Tap(h, {kKeyP});
    ASSERT_TRUE(h.s.Paused);
    Tap(h, {kKeyM});
    EXPECT_TRUE(h.s.Aids.Muted);
}

}  // namespace

namespace {

// Counts the decisions asked of the seats handed to the game, deciding as the game's own players would.
class CountingSeats final : public ComputerSeats {
public:
    std::optional<int16_t> Contract(const GameState& s, int seat) override {
        return ++asked, player.Contract(s, seat);
    }
    std::optional<int16_t> TrickCard(const GameState& s, int seat) override {
        return ++asked, player.TrickCard(s, seat);
    }
    std::optional<int16_t> LayoutSlot(const GameState& s, int seat) override {
        return ++asked, player.LayoutSlot(s, seat);
    }
    ClassicPlayer player;
    int asked = 0;
};

TEST(Mute, ASilentGameStillAsksTheSeatsItWasHanded) {
    FlowHarness h(5);
    CountingSeats seats;
    h.services.computers = &seats;
    h.s.Aids.Muted = true;
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.ContractsPlayed >= 1; }));
    EXPECT_GT(seats.asked, 0) << "the sound switch must not swap the chosen players for the game's own";
}

}  // namespace
