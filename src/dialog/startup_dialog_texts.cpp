#include "dialog/startup_dialog_texts.h"

#include <string>

#include "dialog/dialog_text.h"

#ifndef ZARN_VERSION_MAJOR
#error "the build passes the program's version as ZARN_VERSION_MAJOR, _MINOR and _REVISION"
#endif

namespace startup_texts {

namespace {

// A long text of lines: paragraphs, headings and list items each translated on their own, so a
// catalogue holds whole paragraphs and a changed paragraph leaves the others translated.
QString Lines(const QStringList& lines) {
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// A list item of a long text, indented below its paragraph.
QString Item(const QString& text) {
    return QStringLiteral("  ") + text;
}

}  // namespace

QStringList TabCaptions() {
    // The seven captions (with Statistics) share one row of a window 780 pixels wide.
    return {
        // TRANSLATORS: a tab caption: the choice of the deck of cards.
        TrQ("Deck"),
        // TRANSLATORS: a tab caption: the keyboard's keys and the mouse.
        TrQ("Keys"),
        // TRANSLATORS: a tab caption: the rules of the game.
        TrQ("Rules"),
        // TRANSLATORS: a tab caption.
        TrQ("Credits"),
        // TRANSLATORS: a tab caption: the licence terms.
        TrQ("Licence"),
        // TRANSLATORS: a tab caption.
        TrQ("Options"),
    };
}

QStringList TabDescriptions() {
    return {
        // TRANSLATORS: the tip of the Deck tab, which a screen reader also says.
        TrQ("The deck of cards to play with."),
        // TRANSLATORS: the tip of the Keys tab, which a screen reader also says.
        TrQ("The keys and the mouse in the game, spoken play's keys among them."),
        // TRANSLATORS: the tip of the Rules tab, which a screen reader also says.
        TrQ("The rules of the game."),
        // TRANSLATORS: the tip of the Credits tab, which a screen reader also says.
        TrQ("Who made the game, and with what."),
        // TRANSLATORS: the tip of the Licence tab, which a screen reader also says.
        TrQ("The licence terms you agree to before playing."),
        // TRANSLATORS: the tip of the Options tab, which a screen reader also says.
        TrQ("The game's options, spoken play and the language."),
    };
}

namespace {

// Marked for the catalogues, translated where shown: the design measures the room for a caption by the
// English one.
constexpr const char* kDeckCaptions[] = {
    nullptr,
    // TRANSLATORS: a deck of cards to choose. The maker's name and the resolution stay as they are.
    N_("Altenburg Stralsunder (Used) [1024x768 resolution]"),
    // TRANSLATORS: a deck of cards to choose. The maker's name and the resolution stay as they are.
    N_("Halkali Kagit San cards (Made in Turkey) [800x600 resolution]"),
    // TRANSLATORS: a deck of cards to choose. The maker's name and the resolution stay as they are.
    N_("Copag Da Amazonia cards (Made in Brazil) [800x600 resolution]"),
    // TRANSLATORS: a deck of cards to choose. The maker's name and the resolution stay as they are.
    N_("Moharrem Press cards (Made in Egypt) [800x600 resolution]"),
};

bool IsDeckOption(int option) {
    return option >= 1 && option <= 4;
}

}  // namespace

QString DeckCaption(int option) {
    return IsDeckOption(option) ? TrQ(kDeckCaptions[option]) : QString();
}

QString EnglishDeckCaption(int option) {
    return IsDeckOption(option) ? QString::fromUtf8(kDeckCaptions[option]) : QString();
}

QString DeckDescription(int option) {
    switch (option) {
        case 1:
            return TrQ("Old German-made French deck of early 1900's.");
        case 2:
            // TRANSLATORS: "French suited": the suits are clubs, hearts, spades and diamonds.
            return TrQ("French suited deck (Hungarian pattern).");
        case 3:
        case 4:
            return TrQ("French suited deck (standard pattern).");
        default:
            return {};
    }
}

QString PartnershipGame() {
    // TRANSLATORS: a check box on the Options tab.
    return TrQ("Partnership game");
}

QString PartnershipExplanation() {
    // TRANSLATORS: "the cutthroat game": every player plays for himself.
    return TrQ("Check to play in partnerships. Leave this unchecked for the cutthroat game.");
}

QString SlowAnimation() {
    // TRANSLATORS: a check box on the Options tab.
    return TrQ("Slow animation");
}

QString SlowAnimationExplanation() {
    return TrQ("Click for slower card animation. Useful when learning the game, or in faster computers.");
}

QString ExpertPlayers() {
    // TRANSLATORS: a check box on the Options tab.
    return TrQ("Expert computer players");
}

QString ExpertPlayersExplanation() {
    return TrQ(
        "The three computer players look ahead: before each card they weigh every card they may play "
        "against the hands that could lie around the table. Much stronger; they may think a moment longer "
        "before they play.");
}

QString SpokenPlayGroup() {
    // TRANSLATORS: the title of a group on the Options tab: the game speaks aloud, for blind and
    // low-vision players.
    return TrQ("Spoken play");
}

QString SpokenPlay() {
    // TRANSLATORS: a check box on the Options tab; the letter after & is typed with Alt to reach it.
    return TrQ("&Speak the game aloud");
}

QString SpokenPlayExplanation() {
    return TrQ(
        // TRANSLATORS: F2 is a key: keep it as it is.
        "For blind and low-vision players: the game says what happens at the table and reads your "
        "cards and the scores when asked (see the Keys tab). The key F2 switches it on and off during "
        "the game.");
}

QString SpeechVerbosity() {
    // TRANSLATORS: before the list of how much the game says aloud; the letter after & is typed with
    // Alt to reach the list.
    return TrQ("&How much is said:");
}

QStringList SpeechVerbosityLevels() {
    return {
        // TRANSLATORS: the least the game says aloud.
        TrQ("Terse: only what you must act on, and the results"),
        // TRANSLATORS: how much the game says aloud, between terse and detailed.
        TrQ("Normal"),
        // TRANSLATORS: the most the game says aloud.
        TrQ("Detailed: every card and count"),
    };
}

QString SpeechVerbosityDescription() {
    return TrQ(
        // TRANSLATORS: F3 is a key: keep it as it is.
        "How much the game says aloud: terse, normal or detailed. The key F3 changes it during the "
        "game.");
}

QString SpeechRate() {
    // TRANSLATORS: before the slider of the voice's speed; the letter after & is typed with Alt to
    // reach it.
    return TrQ("Speech &rate:");
}

QString SpeechRateSlower() {
    // TRANSLATORS: at the left end of the slider of the voice's speed.
    return TrQ("slower");
}

QString SpeechRateFaster() {
    // TRANSLATORS: at the right end of the slider of the voice's speed.
    return TrQ("faster");
}

QString SpeechRateDescription() {
    return TrQ(
        // TRANSLATORS: F4 and F5 are keys: keep them as they are.
        "The speed of the voice, from slowest to fastest; the middle is the voice's own speed. The "
        "keys F4 and F5 make it slower and faster during the game.");
}

QString LanguageDescription() {
    return TrQ("The language of this window and of the game.");
}

QString TabsName() {
    // TRANSLATORS: what a screen reader calls the row of tabs (Deck, Keys, Rules...).
    return TrQ("Pages");
}

QString TabsDescription() {
    return TrQ(
        // TRANSLATORS: Control+Tab and the arrow keys are keys: use the names the keyboard has.
        "The pages of this window. Control+Tab goes to the next page; on the row of tabs, the left "
        "and right arrows do.");
}

QString KeysEntryDescription() {
    // TRANSLATORS: what a screen reader says about each line of the Keys tab.
    return TrQ("A line of the list of the game's keys.");
}

QString CreditsLineDescription() {
    // TRANSLATORS: what a screen reader says about each line of the Credits tab.
    return TrQ("A line of the credits.");
}

QString RulesDescription() {
    return TrQ("The rules of the game, to read line by line with the arrow keys.");
}

QString LicenceDescription() {
    return TrQ("The licence terms, to read line by line with the arrow keys.");
}

QString ExitDescription() {
    // TRANSLATORS: Escape is a key: use the name the keyboard has.
    return TrQ("Leaves without playing. The Escape key does the same.");
}

QString StartDescription() {
    // TRANSLATORS: Enter is a key: use the name the keyboard has.
    return TrQ("Agrees to the licence terms and starts the game. The Enter key does the same.");
}

QStringList KeysLabels() {
    return {
        TrQ("To select a contract: Use the menu that will appear on screen."),
        TrQ("To play a card: Left-click on the card."),
        TrQ("Pressing the key R after the deal you order your cards in hand."),
        TrQ("Pressing the key P at any time pauses the game. Press again to resume."),
        TrQ("Use the ESCAPE key to exit the game."),
    };
}

QStringList PlayAidKeysLabels() {
    return {
        TrQ("To play from the keyboard: Left and Right (or Tab) move between the cards you may play "
            "or the contracts; Enter or Space plays or chooses, and goes on after a contract."),
        TrQ("Pressing the key H shows the card or contract the computer would choose for you."),
        TrQ("Holding the key L (or the right mouse button) shows the last trick."),
        TrQ("Pressing the key M switches the sound off and on."),
    };
}

QStringList SpokenPlayKeysLabels() {
    return {
        // TRANSLATORS: F2 is a key: keep it as it is.
        TrQ("Pressing the key F2 switches spoken play on and off: the game says aloud what happens at the "
            "table."),
        // TRANSLATORS: F3 is a key: keep it as it is.
        TrQ("Pressing the key F3 changes how much is said: terse, normal and detailed, in turn."),
        // TRANSLATORS: F4 and F5 are keys: keep them as they are.
        TrQ("Pressing the key F4 makes the speech slower, F5 faster."),
        // TRANSLATORS: C is a key: keep it as it is.
        TrQ("Pressing the key C reads your hand."),
        // TRANSLATORS: T is a key: keep it as it is.
        TrQ("Pressing the key T reads the cards on the table."),
        // TRANSLATORS: S is a key: keep it as it is.
        TrQ("Pressing the key S reads the scores."),
        // TRANSLATORS: I is a key: keep it as it is.
        TrQ("Pressing the key I reads the contract and what it costs; while you choose one, the contracts "
            "still open."),
        // TRANSLATORS: F is a key: keep it as it is.
        TrQ("Pressing the key F reads the focused card and whether you may play it."),
        // TRANSLATORS: A is a key: keep it as it is.
        TrQ("Pressing the key A says again the last thing said."),
        // TRANSLATORS: H is a key: keep it as it is.
        TrQ("With spoken play on, moving between the cards with the arrows speaks the focused card, and the "
            "hint of the key H is spoken."),
    };
}

QString RulesText() {
    return Lines({
        DialogCaption(),
        {},
        TrQ("Zarn is a trick-taking card game. It is a compendium: one match is made of five different "
            "games, called contracts, each played several times."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("THE PLAYERS"),
        // TRANSLATORS: " Me " is the player's name on the score sheet, and "Partnership game" the
        // check box on the Options tab: use their translations.
        TrQ("Four players take part. You sit at the bottom of the table (\" Me \" on the score sheet); the "
            "three computer players sit at the right, at the top and at the left. The turn passes from you "
            "to the player at the right, then to the top and to the left. Normally everyone plays for "
            "himself. When \"Partnership game\" is checked on the Options tab, you and the player opposite "
            "you form a side against the other two."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("THE CARDS"),
        TrQ("Zarn uses one deck of 52 cards: four suits (clubs, hearts, spades, diamonds) of thirteen "
            "cards each. In the trick contracts the ace is the highest card, followed by the king, queen, "
            "jack, ten and so on down to the two. Every deal gives each player thirteen cards, dealt one "
            "at a time."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("KINGDOMS"),
        TrQ("A match has twenty deals in four kingdoms. Each player in turn owns a kingdom of five deals. "
            "The owner of the kingdom deals, looks at his new hand and chooses the contract of the deal "
            "among those he has not chosen yet: over a match every player chooses each of the five "
            "contracts exactly once. The player after the owner receives the first cards and plays first."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("THE FIVE CONTRACTS"),
        TrQ("Points are bad: they are added to your total. The first four contracts are played in tricks "
            "and give penalty points for the cards you take:"),
        // TRANSLATORS: the contracts' names (Tricks, Diamonds, Queens, King, Zarn) are those the table
        // shows: use their translations.
        Item(TrQ("Tricks: 10 points for every trick you take (130 in a deal).")),
        Item(TrQ("Diamonds: 15 points for every diamond you take (195 in a deal).")),
        Item(TrQ("Queens: 25 points for every queen you take (100 in a deal).")),
        Item(TrQ("King: 75 points for taking the king of hearts.")),
        TrQ("Diamonds, Queens and King end as soon as all their penalty cards have been taken; the rest of "
            "the cards are not played."),
        {},
        TrQ("The fifth contract, Zarn, is a layout game with no tricks at all. The players lay their cards "
            "one by one on the table, building four columns, one for each suit. A column is opened with "
            "its jack. After that, a suit grows one card at a time in both directions: upwards queen, king "
            "and downwards ten, nine and so on to the ace. On your turn you must lay a card that fits if "
            "you have one; if you have none, you pass. The first player to empty his hand earns 200 "
            "points, the second 150, the third 100, and the player left holding cards 50. These rewards are "
            "taken off the totals, so in this contract points are good."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("PLAYING A TRICK"),
        TrQ("The leader may lead any card. The others, in turn, must follow suit: play a card of the suit "
            "that was led whenever they have one. A player who cannot follow suit may play any card, with "
            "one duty in three contracts: in Diamonds he must play a diamond if he has one, in Queens a "
            "queen, and in King the king of hearts. There are no trumps: the highest card of the suit led "
            "wins the trick, and its winner leads to the next one."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("THE END OF THE MATCH"),
        TrQ("After each deal the score sheet shows what everyone scored and the running totals; click to "
            "deal the next hand. After twenty deals the match is over and the lowest total wins. Playing "
            "for yourself, you win when no one has a lower total than yours. In a partnership game your "
            "side loses when you or your partner holds the highest total of the table, even when an "
            "opponent's total is as high; otherwise your side wins."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("PLAYING ON THE COMPUTER"),
        // TRANSLATORS: R, P and ESCAPE are keys: keep them as they are.
        TrQ("When the kingdom is yours, the contracts you have not chosen yet appear as buttons after the "
            "deal: click one. To play a card, click it in your hand; a card the rules do not allow stays "
            "where it is. In Zarn, a turn without a fitting card passes by itself. Press R at the start of "
            "a deal to sort your hand, P to pause and ESCAPE to leave (see the Keys tab)."),
        {},
        // TRANSLATORS: a heading of the rules, in capitals.
        TrQ("A FEW HINTS"),
        TrQ("Get rid of high cards early in Tricks, keep low cards of a suit to duck under the others, and "
            "count the penalty cards that have gone. Choose Zarn for a hand with jacks and long runs of "
            "neighbouring cards, and hold back the cards that others need to go on."),
    });
}

QString LicenceText() {
    // The terms themselves are a legal text and stay exactly as written, in every language.
    const QString terms = QStringLiteral(
        "Zarn, its program, its pictures and its sounds may be used, copied, changed and passed on "
        "by anyone, for any purpose, free of charge, as long as these terms go with every copy.\n"
        "\n"
        "Every picture and sound of Zarn is drawn or synthesised by Zarn's own code. The cards shown "
        "are our own drawings; the names of the decks only recall the kinds of decks that inspired "
        "them.\n"
        "\n"
        "Zarn is a game, offered as it is. There is no warranty of any kind: not that it works, not "
        "that it suits any purpose, not that it is free of faults. Whoever plays or passes on Zarn "
        "does so at his own risk; the authors are not liable for any damage that comes from it.\n"
        "\n"
        "Zarn keeps only your own game on your computer: the match in progress, your settings and "
        "the record of your matches, in your home folder. Nothing is sent anywhere.");
    return Lines({
        // TRANSLATORS: the heading of the licence; the licence terms themselves are not translated.
        TrQ("Zarn - licence terms"),
        {},
        terms,
        {},
        // TRANSLATORS: {exit} is the caption of the "Exit" button, as translated.
        FillQ(
            Tr("Press the button below to agree to these terms and start the game, or \"{exit}\" to leave."),
            {{"exit", Tr("Exit")}}),
    });
}

QStringList CreditsLabels() {
    return {
        TrQ("Zarn for Linux: a four-player trick-taking compendium against the computer."),
        TrQ("Game rules: the traditional family of kingdom games played across Europe and "
            "the Mediterranean."),
        TrQ("Program: the Zarn developers, in C++20."),
        TrQ("Cards, table, score sheet and cursor: drawn by Zarn's own picture generator."),
        TrQ("Sounds: synthesised by Zarn's own sound generator."),
        TrQ("Fonts: DejaVu, DSEG and a handwriting font, all from Debian."),
        TrQ("Built with Qt 6 (this dialog) and SDL2 (the card table and its sounds)."),
        // TRANSLATORS: rich text: keep the link's tag <a href="zarn:home"> and </a> as they are.
        TrQ("Thanks to everyone who plays Zarn and tells us what they find. "
            "<a href=\"zarn:home\">The Zarn page</a>"),
    };
}

QString WebBrowserNote() {
    return TrQ("Please use your installed Web browser to view this page.");
}

QString ExitButton() {
    // TRANSLATORS: a button that ends the program.
    return TrQ("Exit");
}

QString StartButton() {
    // TRANSLATORS: the start button; one line beside the "Exit" button and the version, in a window
    // 780 pixels wide.
    return TrQ("I have read the licence terms and I agree, let's play!");
}

QString SavedMatchLine(int contractNumber, int ownerSeat, const QString& ownerName, const QString& totals) {
    const std::string number = std::to_string(contractNumber);
    if (ownerSeat == 0) {
        // TRANSLATORS: the saved match; {totals} is a list of names with their totals ("Me 120, Anna 85").
        return FillQ(Tr("Contract {number} of 20, in your kingdom. Totals: {totals}."),
                     {{"number", number}, {"totals", totals.toStdString()}});
    }
    // TRANSLATORS: the saved match; {owner} is a player's name, {totals} a list of names with their
    // totals ("Me 120, Anna 85").
    return FillQ(Tr("Contract {number} of 20, in the kingdom of {owner}. Totals: {totals}."),
                 {{"number", number}, {"owner", ownerName.toStdString()}, {"totals", totals.toStdString()}});
}

QString VersionText() {
    // TRANSLATORS: {version} is the program's version number, such as 1.4.2.
    return FillQ(Tr("Version {version}"),
                 {{"version", std::to_string(ZARN_VERSION_MAJOR) + "." + std::to_string(ZARN_VERSION_MINOR) +
                                  "." + std::to_string(ZARN_VERSION_REVISION)}});
}

}  // namespace startup_texts
