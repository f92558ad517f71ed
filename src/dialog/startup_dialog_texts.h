#pragma once

#include <QString>
#include <QStringList>

// Every text the startup dialog shows, kept together so the dialog code stays about layout and the
// texts can be read (and checked by the tests) in one place.

namespace startup_texts {

inline const QString kDialogCaption = QStringLiteral("Zarn");

// Tab captions, in tab order.
QStringList TabCaptions();

// The deck options by their number (1 to 4): caption and the description shown beside it.
QString DeckCaption(int option);
QString DeckDescription(int option);

inline const QString kWindowed = QStringLiteral("Windowed");
inline const QString kUseVidMem = QStringLiteral("Use VidMem");
inline const QString kSevenOfHeartsLead = QStringLiteral("Seven of Hearts Lead");
inline const QString kPartnershipGame = QStringLiteral("Partnership game");
inline const QString kSlowAnimation = QStringLiteral("Slow animation");
inline const QString kReglesFrancaises = QStringLiteral("Regles francaises");
inline const QString kReguasPortuguese = QStringLiteral("Reguas portuguese");

inline const QString kSevenOfHeartsExplanation =
    QStringLiteral("If checked, first kingdom is assigned to player who holds the Seven of Hearts.");
inline const QString kSlowAnimationExplanation =
    QStringLiteral("Click for slower card animation. Useful when learning the game, or in faster computers.");
inline const QString kPartnershipExplanation =
    QStringLiteral("Check to play in partnerships. Leave this unchecked for the cutthroat game.");

// The five help labels of the Keys tab, top to bottom.
QStringList KeysLabels();

// The labels of the play aids' keys, shown below those five.
QStringList PlayAidKeysLabels();

QString RulesText();
QString LicenceText();

// The eight acknowledgement labels of the Credits tab, top to bottom (rich text; the last one
// carries the link to the project page).
QStringList CreditsLabels();

inline const QString kWebBrowserNote =
    QStringLiteral("Please use your installed Web browser to view this page.");

inline const QString kExitButton = QStringLiteral("Exit");
inline const QString kStartButton = QStringLiteral("I have read the licence terms and I agree, let's play!");

// The saved match's line: "Contract N of 20, in your kingdom. Totals: ..." when the human's seat (0)
// owns the kingdom, "... in the kingdom of NAME. ..." when another seat does. `totals` is already
// written out ("you 120, Anna 85, ...").
QString SavedMatchLine(int contractNumber, int ownerSeat, const QString& ownerName, const QString& totals);

// "Version " + major.minor.revision of this program.
QString VersionText();

}  // namespace startup_texts
