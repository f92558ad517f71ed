#pragma once

#include <array>

#include <QDialog>
#include <QImage>

#include "cards/game_options.h"
#include "dialog/match_offer.h"

class QButtonGroup;
class QCheckBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The startup dialog: six tabs (deck, keys, rules, credits, licence, options), the "Exit" button and
// the start button. The start button fills the options record and accepts the dialog; every other
// way of closing it rejects, which ends the program without a game.
//
// Controls carry object names so tests and tools can find them: "Tabs", "DeckOption1".."DeckOption4",
// "DeckDescription1".."DeckDescription4", "DeckPicture0".."DeckPicture2", "Windowed", "UseVidMem",
// "SevenOfHeartsLead", "PartnershipGame", "SlowAnimation", "ReglesFrancaises", "ReguasPortuguese",
// "SevenOfHeartsExplanation", "SlowAnimationExplanation", "PartnershipExplanation", "KeysLabel0".."4",
// "RulesText", "CreditsLabel0".."7", "LicenceText", "VersionLabel", "ExitButton", "StartButton",
// "ExpertPlayers", "ExpertPlayersExplanation".
class StartupDialog final : public QDialog {
    Q_OBJECT

public:
    // The visible controls start from `preset` (the command line); the hidden ones always hold their
    // design values, and a command-line choice for one of them still reaches the record at the start.
    // `roya2Preview` and `royalPreview` are the deck pictures.
    StartupDialog(const GameOptions& preset, const QImage& roya2Preview, const QImage& royalPreview,
                  QWidget* parent = nullptr);

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

private:
    void ShowStatistics(const std::vector<MatchRecord>& records);
    void OnResetStatistics();

    QWidget* MakeDeckPage(const QImage& roya2Preview, const QImage& royalPreview);
    QWidget* MakeKeysPage();
    QWidget* MakeRulesPage();
    QWidget* MakeCreditsPage();
    QWidget* MakeLicencePage();
    QWidget* MakeOptionsPage();
    void PresetControls();

    void OnTabChanged(int index);
    void OnDeckOptionChosen(int option);
    void OnStart();
    void OnCreditsLink();

    const GameOptions preset_;
    GameOptions options_;
    bool endOnUnload_ = true;
    int currentTab_ = 0;

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

    QRadioButton* resumeMatch_ = nullptr;
    QFormLayout* statisticsTable_ = nullptr;
    std::filesystem::path statisticsFile_;
};
