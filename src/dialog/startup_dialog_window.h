#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QImage>

#include "cards/game_options.h"
#include "dialog/match_offer.h"
#include "dialog/settings_store.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

// The startup dialog: six tabs (deck, keys, rules, credits, licence, options), the "Exit" button and
// the start button. The start button fills the options record and accepts the dialog; every other
// way of closing it rejects, which ends the program without a game.
//
// Controls carry object names so tests and tools can find them: "Tabs", "DeckOption1".."DeckOption4",
// "DeckDescription1".."DeckDescription4", "DeckCaption1".."4" (a caption too long for the button's line),
// "DeckPicture0".."DeckPicture2", "Windowed", "UseVidMem",
// "SevenOfHeartsLead", "PartnershipGame", "SlowAnimation", "ReglesFrancaises", "ReguasPortuguese",
// "SevenOfHeartsExplanation", "SlowAnimationExplanation", "PartnershipExplanation", "KeysLabel0".."18"
// (the five first, the play aids' four, spoken play's ten), "RulesText", "CreditsLabel0".."7",
// "LicenceText", "VersionLabel", "ExitButton", "StartButton", "ExpertPlayers", "ExpertPlayersExplanation",
// "LanguageLabel", "Language", and spoken play's: "SpokenPlayGroup", "SpokenPlay", "SpokenPlayExplanation",
// "SpeechVerbosityLabel", "SpeechVerbosity", "SpeechRateLabel", "SpeechRate".
//
// Every control has an accessible name and description for screen readers, and the whole dialog works
// from the keyboard: Tab and the arrows, Control+Tab between the pages, Enter starts, Escape leaves, and
// the spoken play controls have their Alt letters. The texts of the Keys, Rules, Credits and Licence tabs
// are reached with Tab and read line by line.
//
// The language chosen on the Options tab is spoken at once: the dialog's contents are made anew in it,
// with every choice the player made kept.
class StartupDialog final : public QDialog {
    Q_OBJECT

public:
    // The visible controls start from `preset` (the command line); the hidden ones always hold their
    // design values, and a command-line choice for one of them still reaches the record at the start.
    // `roya2Preview` and `royalPreview` are the deck pictures.
    StartupDialog(const GameOptions& preset, const QImage& roya2Preview, const QImage& royalPreview,
                  QWidget* parent = nullptr);
    ~StartupDialog() override;

    // The language setting the Options tab shows: "" the desktop's, "en" English, or a shipped
    // language's code (one not shipped shows as the desktop's).
    void SetLanguageSetting(const std::string& setting);
    const std::string& LanguageSetting() const { return languageSetting_; }
    // Called with the setting the player chooses, before the dialog is made anew in it: it is to make
    // the texts speak that language (DialogLanguage).
    void SetLanguageSwitch(std::function<void(const std::string&)> useLanguage);

    // Spoken play as the Options tab shows it.
    void SetSpokenPlay(const SpokenPlayChoice& choice);
    SpokenPlayChoice SpokenPlay() const;

    // The options record: the preset until the start button fills it.
    const GameOptions& Options() const { return options_; }

    // True until the start button runs: closing the dialog while it is set ends the program.
    bool EndOnUnload() const { return endOnUnload_; }

    int CurrentTab() const { return currentTab_; }

    // Writes the controls into `options`, in the order the start button does it. The table layout
    // is not computed here: the game start does it with the filled record.
    void FillOptions(GameOptions& options) const;

    // The saved match with the choice to resume it or start anew (above the tabs), a notice about
    // damaged files, and the "Statistics" tab after the six others (startup_dialog_match.cpp).
    // Object names: "SavedMatch", "SavedMatchText", "ResumeMatch", "NewMatch", "SavedMatchRules",
    // "FilesNotice", "StatisticsTable", "StatisticsValue0".., "ResetStatistics".
    void AddMatchPanel(const MatchOffer& offer);
    // The start button resumes the saved match.
    bool ResumeChosen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The whole contents (tabs and buttons) in the language in use; once more when it changes.
    void MakeContents();
    void RemakeContents();
    void MakeMatchPanel();
    void OnLanguageChosen(int index);

    void ShowStatistics(const std::vector<MatchRecord>& records);
    void OnResetStatistics();

    QWidget* MakeDeckPage(const QImage& roya2Preview, const QImage& royalPreview);
    QWidget* MakeKeysPage();
    QWidget* MakeRulesPage();
    QWidget* MakeCreditsPage();
    QWidget* MakeLicencePage();
    QWidget* MakeOptionsPage();
    QComboBox* MakeLanguageChoice(QWidget* parent);
    QWidget* MakeSpokenPlayGroup(QWidget* parent);
    void PresetControls();

    void OnTabChanged(int index);
    void OnDeckOptionChosen(int option);
    void OnStart();
    void OnCreditsLink();

    const GameOptions preset_;
    GameOptions options_;
    const QImage roya2Preview_;
    const QImage royalPreview_;
    std::string languageSetting_;
    std::function<void(const std::string&)> useLanguage_;
    std::optional<MatchOffer> offer_;  // its records follow a reset of the statistics
    bool endOnUnload_ = true;
    int currentTab_ = 0;

    // Everything inside the window; the contents made before the last change of language are kept
    // aside, out of the window, until the next change or the dialog's end (the control that made the
    // change is still at work when the new contents replace them).
    QWidget* contents_ = nullptr;
    std::unique_ptr<QWidget> formerContents_;
    QTabWidget* tabs_ = nullptr;
    std::array<QRadioButton*, 5> deckOption_{};  // 1..4; slot 0 unused, as the options are numbered
    std::array<QLabel*, 3> deckPicture_{};
    QButtonGroup* deckGroup_ = nullptr;
    QCheckBox* windowed_ = nullptr;
    QCheckBox* useVidMem_ = nullptr;
    QCheckBox* sevenOfHeartsLead_ = nullptr;
    QCheckBox* partnershipGame_ = nullptr;
    QCheckBox* slowAnimation_ = nullptr;
    QCheckBox* expertPlayers_ = nullptr;  // the computer players' level
    QRadioButton* reglesFrancaises_ = nullptr;
    QRadioButton* reguasPortuguese_ = nullptr;
    QComboBox* language_ = nullptr;
    QCheckBox* spokenPlay_ = nullptr;
    QComboBox* speechVerbosity_ = nullptr;
    QSlider* speechRate_ = nullptr;

    QRadioButton* resumeMatch_ = nullptr;
    QFormLayout* statisticsTable_ = nullptr;
    std::filesystem::path statisticsFile_;
};
