#include "dialog/startup_dialog_texts.h"

#ifndef ZARN_VERSION_MAJOR
#error "the build passes the program's version as ZARN_VERSION_MAJOR, _MINOR and _REVISION"
#endif

namespace startup_texts {

QStringList TabCaptions() {
    return {QStringLiteral("Deck"),    QStringLiteral("Keys"),    QStringLiteral("Rules"),
            QStringLiteral("Credits"), QStringLiteral("Licence"), QStringLiteral("Options")};
}

QString DeckCaption(int option) {
    switch (option) {
        case 1:
            return QStringLiteral("Altenburg Stralsunder (Used) [1024x768 resolution]");
        case 2:
            return QStringLiteral("Halkali Kagit San cards (Made in Turkey) [800x600 resolution]");
        case 3:
            return QStringLiteral("Copag Da Amazonia cards (Made in Brazil) [800x600 resolution]");
        case 4:
            return QStringLiteral("Moharrem Press cards (Made in Egypt) [800x600 resolution]");
        default:
            return {};
    }
}

QString DeckDescription(int option) {
    switch (option) {
        case 1:
            return QStringLiteral("Old German-made French deck of early 1900's.");
        case 2:
            return QStringLiteral("French suited deck (Hungarian pattern).");
        case 3:
        case 4:
            return QStringLiteral("French suited deck (standard pattern).");
        default:
            return {};
    }
}

QStringList KeysLabels() {
    return {
        QStringLiteral("To select a contract: Use the menu that will appear on screen."),
        QStringLiteral("To play a card: Left-click on the card."),
        QStringLiteral("Pressing the key R after the deal you order your cards in hand."),
        QStringLiteral("Pressing the key P at any time pauses the game. Press again to resume."),
        QStringLiteral("Use the ESCAPE key to exit the game."),
    };
}

QStringList PlayAidKeysLabels() {
    return {
        QStringLiteral(
            "To play from the keyboard: Left and Right (or Tab) move between the cards you may play "
            "or the contracts; Enter or Space plays or chooses, and goes on after a contract."),
        QStringLiteral("Pressing the key H shows the card or contract the computer would choose for you."),
        QStringLiteral("Holding the key L (or the right mouse button) shows the last trick."),
        QStringLiteral("Pressing the key M switches the sound off and on."),
    };
}

QString RulesText() {
    return QStringLiteral(
        "Zarn\n"
        "\n"
        "Zarn is a trick-taking card game. It is a compendium: one match is made of five different "
        "games, called contracts, each played several times.\n"
        "\n"
        "THE PLAYERS\n"
        "Four players take part. You sit at the bottom of the table (\" Me \" on the score sheet); the "
        "three computer players sit at the right, at the top and at the left. The turn passes from you "
        "to the player at the right, then to the top and to the left. Normally everyone plays for "
        "himself. When \"Partnership game\" is checked on the Options tab, you and the player opposite "
        "you form a side against the other two.\n"
        "\n"
        "THE CARDS\n"
        "Zarn uses one deck of 52 cards: four suits (clubs, hearts, spades, diamonds) of thirteen "
        "cards each. In the trick contracts the ace is the highest card, followed by the king, queen, "
        "jack, ten and so on down to the two. Every deal gives each player thirteen cards, dealt one "
        "at a time.\n"
        "\n"
        "KINGDOMS\n"
        "A match has twenty deals in four kingdoms. Each player in turn owns a kingdom of five deals. "
        "The owner of the kingdom deals, looks at his new hand and chooses the contract of the deal "
        "among those he has not chosen yet: over a match every player chooses each of the five "
        "contracts exactly once. The player after the owner receives the first cards and plays first.\n"
        "\n"
        "THE FIVE CONTRACTS\n"
        "Points are bad: they are added to your total. The first four contracts are played in tricks "
        "and give penalty points for the cards you take:\n"
        "  Tricks: 10 points for every trick you take (130 in a deal).\n"
        "  Diamonds: 15 points for every diamond you take (195 in a deal).\n"
        "  Queens: 25 points for every queen you take (100 in a deal).\n"
        "  King: 75 points for taking the king of hearts.\n"
        "Diamonds, Queens and King end as soon as all their penalty cards have been taken; the rest of "
        "the cards are not played.\n"
        "\n"
        "The fifth contract, Zarn, is a layout game with no tricks at all. The players lay their cards "
        "one by one on the table, building four columns, one for each suit. A column is opened with "
        "its jack. After that, a suit grows one card at a time in both directions: upwards queen, king "
        "and downwards ten, nine and so on to the ace. On your turn you must lay a card that fits if "
        "you have one; if you have none, you pass. The first player to empty his hand earns 200 "
        "points, the second 150, the third 100, and the player left holding cards 50. These rewards are "
        "taken off the "
        "totals, so in this contract points are good.\n"
        "\n"
        "PLAYING A TRICK\n"
        "The leader may lead any card. The others, in turn, must follow suit: play a card of the suit "
        "that was led whenever they have one. A player who cannot follow suit may play any card, with "
        "one duty in three contracts: in Diamonds he must play a diamond if he has one, in Queens a "
        "queen, and in King the king of hearts. There are no trumps: the highest card of the suit led "
        "wins the trick, and its winner leads to the next one.\n"
        "\n"
        "THE END OF THE MATCH\n"
        "After each deal the score sheet shows what everyone scored and the running totals; click to "
        "deal the next hand. After twenty deals the match is over and the lowest total wins. Playing "
        "for yourself, you win when no one has a lower total than yours. In a partnership game your "
        "side loses when you or your partner holds the highest total of the table, even when an "
        "opponent's total is as high; otherwise your side wins.\n"
        "\n"
        "PLAYING ON THE COMPUTER\n"
        "When the kingdom is yours, the contracts you have not chosen yet appear as buttons after the "
        "deal: click one. To play a card, click it in your hand; a card the rules do not allow stays "
        "where it is. In Zarn, a turn without a fitting card passes by itself. Press R at the start of "
        "a deal to sort your hand, P to pause and ESCAPE to leave (see the Keys tab).\n"
        "\n"
        "A FEW HINTS\n"
        "Get rid of high cards early in Tricks, keep low cards of a suit to duck under the others, and "
        "count the penalty cards that have gone. Choose Zarn for a hand with jacks and long runs of "
        "neighbouring cards, and hold back the cards that others need to go on.\n");
}

QString LicenceText() {
    return QStringLiteral(
        "Zarn - licence terms\n"
        "\n"
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
        "the record of your matches, in your home folder. Nothing is sent anywhere.\n"
        "\n"
        "Press the button below to agree to these terms and start the game, or \"Exit\" to leave.\n");
}

QStringList CreditsLabels() {
    return {
        QStringLiteral("Zarn for Linux: a four-player trick-taking compendium against the computer."),
        QStringLiteral("Game rules: the traditional family of kingdom games played across Europe and "
                       "the Mediterranean."),
        QStringLiteral("Program: the Zarn developers, in C++20."),
        QStringLiteral("Cards, table, score sheet and cursor: drawn by Zarn's own picture generator."),
        QStringLiteral("Sounds: synthesised by Zarn's own sound generator."),
        QStringLiteral("Fonts: DejaVu, DSEG and a handwriting font, all from Debian."),
        QStringLiteral("Built with Qt 6 (this dialog) and SDL2 (the card table and its sounds)."),
        QStringLiteral("Thanks to everyone who plays Zarn and tells us what they find. "
                       "<a href=\"zarn:home\">The Zarn page</a>"),
    };
}

QString SavedMatchLine(int contractNumber, int ownerSeat, const QString& ownerName, const QString& totals) {
    const QString kingdom =
        ownerSeat == 0 ? QStringLiteral("your kingdom") : QStringLiteral("the kingdom of %1").arg(ownerName);
    return QStringLiteral("Contract %1 of 20, in %2. Totals: %3.").arg(contractNumber).arg(kingdom, totals);
}

QString VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(ZARN_VERSION_MAJOR)
        .arg(ZARN_VERSION_MINOR)
        .arg(ZARN_VERSION_REVISION);
}

}  // namespace startup_texts
