#pragma once

#include <QString>
#include <QStringList>

// Every text the startup dialog shows, kept together so the dialog code stays about layout and the
// texts can be read (and checked by the tests) in one place. Each is made when asked for, in the
// language in use then (dialog_text.h).

namespace startup_texts {

// The program's name: the same in every language.
inline QString DialogCaption() {
    return QStringLiteral("Zarn");
}

// Tab captions, in tab order, and what each page holds (the tabs' tips, which a screen reader says).
QStringList TabCaptions();
QStringList TabDescriptions();

// The deck options by their number (1 to 4): caption and the description shown beside it.
QString DeckCaption(int option);
// The caption as written, in English whatever the language: the room the dialog gives the captions.
QString EnglishDeckCaption(int option);
QString DeckDescription(int option);

// The captions of the controls the dialog keeps hidden: never shown, so they stay English.
inline QString Windowed() {
    return QStringLiteral("Windowed");
}
inline QString UseVidMem() {
    return QStringLiteral("Use VidMem");
}
inline QString SevenOfHeartsLead() {
    return QStringLiteral("Seven of Hearts Lead");
}
inline QString SevenOfHeartsExplanation() {
    return QStringLiteral("If checked, first kingdom is assigned to player who holds the Seven of Hearts.");
}
inline QString ReglesFrancaises() {
    return QStringLiteral("Regles francaises");
}
inline QString ReguasPortuguese() {
    return QStringLiteral("Reguas portuguese");
}

// The options the player sees on the Options tab, each with the explanation below it.
QString PartnershipGame();
QString PartnershipExplanation();
QString SlowAnimation();
QString SlowAnimationExplanation();
QString ExpertPlayers();
QString ExpertPlayersExplanation();

// Spoken play on the Options tab: the group's title, its check box and explanation, the choice of how
// much is said (its caption, the three levels from terse to detailed, what it does) and the speech
// rate (its caption, the words at the slider's two ends, what it does).
QString SpokenPlayGroup();
QString SpokenPlay();
QString SpokenPlayExplanation();
QString SpeechVerbosity();
QStringList SpeechVerbosityLevels();
QString SpeechVerbosityDescription();
QString SpeechRate();
QString SpeechRateSlower();
QString SpeechRateFaster();
QString SpeechRateDescription();

// What a screen reader hears about the controls that carry no text of their own or whose text does
// not say what they do.
QString LanguageDescription();
QString TabsName();
QString TabsDescription();
QString KeysEntryDescription();
QString CreditsLineDescription();
QString RulesDescription();
QString LicenceDescription();
QString ExitDescription();
QString StartDescription();

// The five help labels of the Keys tab, top to bottom.
QStringList KeysLabels();

// The labels of the play aids' keys, shown below those five.
QStringList PlayAidKeysLabels();

// The labels of spoken play's keys, shown below the play aids'.
QStringList SpokenPlayKeysLabels();

QString RulesText();
// The licence's heading and the line about the buttons are translated; its terms stay as they are.
QString LicenceText();

// The eight acknowledgement labels of the Credits tab, top to bottom (rich text; the last one
// carries the link to the project page).
QStringList CreditsLabels();

QString WebBrowserNote();

QString ExitButton();
QString StartButton();

// The saved match's line: "Contract N of 20, in your kingdom. Totals: ..." when the human's seat (0)
// owns the kingdom, "... in the kingdom of NAME. ..." when another seat does. `totals` is already
// written out ("you 120, Anna 85, ...").
QString SavedMatchLine(int contractNumber, int ownerSeat, const QString& ownerName, const QString& totals);

// "Version " + major.minor.revision of this program.
QString VersionText();

}  // namespace startup_texts
