// The dialog's saved-match choice and Statistics tab, and the remembered settings behind the dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/settings_store.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"
#include "persistence/statistics.h"

namespace {

namespace fs = std::filesystem;

SavedMatchSummary SevenContractsIn() {
    GameState s;
    s.OpponentName = {"", "Anna", "Bert", "Cleo"};
    s.ContractsPlayed = 6;
    s.FirstSeat = 3;  // Bert, seat 2, deals this kingdom; Cleo plays first
    s.TotalScore = {120, 85, -40, 300};
    s.Options.Partnership = true;
    s.Options.PortugueseRules = false;
    return SummarizeSavedMatch(s);
}

MatchRecord Finished(MatchOutcome outcome, int32_t total) {
    MatchRecord r;
    r.Outcome = outcome;
    r.ContractsPlayed = 20;
    r.Totals = {total, 1, 2, 3};
    r.Tally.Contracts = {0, 4, 4, 4, 4, 4};
    r.Tally.Points = {0, 20, 30, 50, 75, -500};
    return r;
}

class MatchPanelTest : public QtAppTest {
protected:
    std::unique_ptr<StartupDialog> Open(const MatchOffer& offer, const GameOptions& preset = GameOptions()) {
        QImage picture(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
        picture.fill(Qt::green);
        auto dialog = std::make_unique<StartupDialog>(preset, picture, picture);
        dialog->AddMatchPanel(offer);
        dialog->show();
        return dialog;
    }

    // The value shown beside a caption of the Statistics tab.
    static QString Figure(const StartupDialog& dialog, const QString& caption) {
        auto* table = dialog.findChild<QWidget*>("StatisticsTable");
        auto* form = qobject_cast<QFormLayout*>(table->layout());
        for (int row = 0; row < form->rowCount(); ++row) {
            auto* label = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
            if (label != nullptr && label->text() == caption + ":") {
                return qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::FieldRole)->widget())->text();
            }
        }
        return QStringLiteral("(no row %1)").arg(caption);
    }

    // Answers the next question box with `button`.
    static void AnswerNextQuestion(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        });
    }

    QTemporaryDir dir_;
};

TEST_F(MatchPanelTest, ASavedMatchIsOfferedWithItsContractKingdomTotalsAndRules) {
    MatchOffer offer;
    offer.savedMatch = SevenContractsIn();
    const auto dialog = Open(offer);
    const QString text = dialog->findChild<QLabel*>("SavedMatchText")->text();
    EXPECT_TRUE(text.contains("Contract 7 of 20")) << text.toStdString();
    EXPECT_TRUE(text.contains("kingdom of Bert")) << text.toStdString();
    EXPECT_TRUE(text.contains("you 120, Anna 85, Bert -40, Cleo 300")) << text.toStdString();
    const QString rules = dialog->findChild<QLabel*>("SavedMatchRules")->text();
    EXPECT_TRUE(rules.contains("keeps the rules it was started with: partnership game, French rules"))
        << rules.toStdString();
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("ResumeMatch")->isChecked());
    EXPECT_TRUE(dialog->ResumeChosen());
    dialog->findChild<QRadioButton*>("NewMatch")->click();
    EXPECT_FALSE(dialog->ResumeChosen());
}

// The saved match's line names the kingdom's owner: the human's seat reads "your kingdom", another
// seat "the kingdom of" its name.
TEST_F(MatchPanelTest, TheSavedMatchLineReadsRightForTheHumansKingdomAndAnOpponents) {
    struct Case {
        int ownerSeat;
        const char* expected;
    };
    const Case cases[] = {
        {0, "Contract 3 of 20, in your kingdom. Totals: you 120, Anna 85, Bert -40, Cleo 300."},
        {2, "Contract 3 of 20, in the kingdom of Bert. Totals: you 120, Anna 85, Bert -40, Cleo 300."},
    };
    for (const Case& c : cases) {
        SavedMatchSummary summary;
        summary.ContractNumber = 3;
        summary.Names = {"you", "Anna", "Bert", "Cleo"};
        summary.Totals = {120, 85, -40, 300};
        summary.KingdomOwner = summary.Names[c.ownerSeat];
        summary.KingdomOwnerSeat = c.ownerSeat;
        MatchOffer offer;
        offer.savedMatch = summary;
        const auto dialog = Open(offer);
        EXPECT_EQ(dialog->findChild<QLabel*>("SavedMatchText")->text().toStdString(), c.expected)
            << "seat " << c.ownerSeat;
    }
}

TEST_F(MatchPanelTest, NewMatchOnTheCommandLinePreselectsANewMatch) {
    MatchOffer offer;
    offer.savedMatch = SevenContractsIn();
    offer.resumeByDefault = false;
    const auto dialog = Open(offer);
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("NewMatch")->isChecked());
    EXPECT_FALSE(dialog->ResumeChosen());
}

TEST_F(MatchPanelTest, WithoutASaveThereIsNoChoiceAndADamagedFileIsMentioned) {
    MatchOffer offer;
    offer.notice =
        "zarn: the saved match /x/match.sav is damaged (it is empty); it was moved to /x/match.sav.bad.";
    const auto dialog = Open(offer);
    EXPECT_EQ(dialog->findChild<QGroupBox*>("SavedMatch"), nullptr);
    EXPECT_FALSE(dialog->ResumeChosen());
    EXPECT_TRUE(dialog->findChild<QLabel*>("FilesNotice")->text().contains("match.sav.bad"));
}

TEST_F(MatchPanelTest, StatisticsTabFollowsTheSixOthersWithTheFiguresAndAResetThatAsksFirst) {
    const fs::path file = fs::path(dir_.path().toStdString()) / "statistics";
    MatchOffer offer;
    offer.statisticsFile = file;
    for (const MatchRecord& r : {Finished(MatchOutcome::Won, 200), Finished(MatchOutcome::Lost, 640),
                                 Finished(MatchOutcome::Won, 150), Finished(MatchOutcome::Abandoned, 0)}) {
        ASSERT_TRUE(AppendMatchRecord(file, r, nullptr));
        offer.records.push_back(r);
    }
    const auto dialog = Open(offer);
    auto* tabs = dialog->findChild<QTabWidget*>("Tabs");
    ASSERT_EQ(tabs->count(), 7);
    EXPECT_EQ(tabs->tabText(6), "Statistics");
    tabs->setCurrentIndex(6);
    EXPECT_EQ(Figure(*dialog, "Matches played alone"), "3");
    EXPECT_EQ(Figure(*dialog, "Won alone"), "2");
    EXPECT_EQ(Figure(*dialog, "Win rate alone"), "67%");
    EXPECT_EQ(Figure(*dialog, "Matches abandoned (not counted)"), "1");
    EXPECT_EQ(Figure(*dialog, "Best total"), "150");
    EXPECT_EQ(Figure(*dialog, "Worst total"), "640");
    EXPECT_EQ(Figure(*dialog, "Current winning streak"), "1");
    EXPECT_EQ(Figure(*dialog, "Longest winning streak"), "1");
    EXPECT_EQ(Figure(*dialog, "Average points in King"), "18.8");

    auto* reset = dialog->findChild<QPushButton*>("ResetStatistics");
    AnswerNextQuestion(QMessageBox::No);
    reset->click();
    EXPECT_EQ(Figure(*dialog, "Matches played alone"), "3");
    EXPECT_EQ(LoadStatistics(file).records.size(), 4U);

    AnswerNextQuestion(QMessageBox::Yes);
    reset->click();
    EXPECT_EQ(Figure(*dialog, "Matches played alone"), "0");
    EXPECT_TRUE(LoadStatistics(file).records.empty());
}

TEST_F(MatchPanelTest, SettingsComeBackOnTheNextStart) {
    const fs::path file = fs::path(dir_.path().toStdString()) / "zarn" / "zarn.conf";
    PlayerSettings chosen;
    chosen.DeckName = "Royal";
    chosen.Partnership = true;
    chosen.SlowAnimation = true;
    chosen.Windowed = true;
    chosen.WindowWidth = 1024;
    chosen.WindowHeight = 700;
    chosen.SoundMuted = true;
    chosen.ExpertPlayers = true;
    std::string error;
    ASSERT_TRUE(SaveSettings(file, chosen, &error)) << error;

    const LoadedSettings loaded = LoadSettings(file);
    EXPECT_TRUE(loaded.found);
    EXPECT_TRUE(loaded.message.empty()) << loaded.message;
    EXPECT_EQ(loaded.settings.WindowWidth, 1024);
    EXPECT_EQ(loaded.settings.WindowHeight, 700);
    EXPECT_TRUE(loaded.settings.SoundMuted);
    EXPECT_TRUE(loaded.settings.ExpertPlayers);
    GameOptions options;
    ApplySettings(loaded.settings, options);
    const auto dialog = Open({}, options);
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("DeckOption4")->isChecked());
    EXPECT_TRUE(dialog->findChild<QAbstractButton*>("PartnershipGame")->isChecked());
    EXPECT_TRUE(dialog->findChild<QAbstractButton*>("SlowAnimation")->isChecked());
    GameOptions filled = options;
    dialog->FillOptions(filled);
    EXPECT_FALSE(filled.FullScreen) << "the window state stays what was remembered";
    PlayerSettings again;
    TakeChoices(filled, again);
    EXPECT_EQ(again.DeckName, "Royal");
    EXPECT_TRUE(again.Partnership);
    EXPECT_TRUE(again.Windowed);
    EXPECT_TRUE(again.ExpertPlayers);
}

// Spoken play's three values come back from the file and into the Options tab, ends of the ranges too.
TEST_F(MatchPanelTest, SpokenPlayComesBackOnTheNextStart) {
    const fs::path file = fs::path(dir_.path().toStdString()) / "zarn.conf";
    const SpokenPlayChoice cases[] = {
        {.on = true, .verbosity = 0, .rate = -100},
        {.on = false, .verbosity = 2, .rate = 100},
        {.on = true, .verbosity = 1, .rate = 0},
        {.on = true, .verbosity = 2, .rate = -30},
    };
    for (const SpokenPlayChoice& chosen : cases) {
        const std::string name = std::to_string(chosen.on) + "/" + std::to_string(chosen.verbosity) + "/" +
                                 std::to_string(chosen.rate);
        PlayerSettings settings;
        TakeSpokenPlay(chosen, settings);
        ASSERT_TRUE(SaveSettings(file, settings, nullptr)) << name;
        const LoadedSettings loaded = LoadSettings(file);
        EXPECT_TRUE(loaded.message.empty()) << name << ": " << loaded.message;
        EXPECT_EQ(SpokenPlayOf(loaded.settings), chosen) << name;
        const auto dialog = Open({});
        dialog->SetSpokenPlay(SpokenPlayOf(loaded.settings));
        EXPECT_EQ(dialog->SpokenPlay(), chosen) << name;
    }
}

TEST_F(MatchPanelTest, DamagedSettingsAreReportedSetAsideAndTheDefaultsUsed) {
    const fs::path file = fs::path(dir_.path().toStdString()) / "zarn.conf";
    PlayerSettings chosen;
    chosen.DeckName = "Royal";
    ASSERT_TRUE(SaveSettings(file, chosen, nullptr));
    std::string good;
    {
        std::ifstream in(file, std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
    struct Case {
        std::string name;
        std::string text;
    };
    std::vector<Case> cases{
        {"empty", ""},
        {"wrong version", "[format]\nversion=zero\n"},
        {"no version", "[game]\ndeck=Royal\n"},
        {"wrong value", good + "[window]\nwidth=99999999999\n"},
        {"unknown deck", "[format]\nversion=1\n[game]\ndeck=Tarot\n"},
        {"not a flag", "[format]\nversion=1\n[game]\npartnership=perhaps\n"},
        {"binary", std::string("\x00\xff\x13[format\x01", 9)},
        {"huge", "[format]\nversion=1\n[game]\ndeck=" + std::string(1 << 20, 'R') + "\n"},
        {"speech not a flag", "[format]\nversion=1\n[speech]\nenabled=yes\n"},
        {"verbosity above detailed", "[format]\nversion=1\n[speech]\nverbosity=3\n"},
        {"verbosity below terse", "[format]\nversion=1\n[speech]\nverbosity=-1\n"},
        {"verbosity not a number", "[format]\nversion=1\n[speech]\nverbosity=normal\n"},
        {"rate above the fastest", "[format]\nversion=1\n[speech]\nrate=101\n"},
        {"rate below the slowest", "[format]\nversion=1\n[speech]\nrate=-101\n"},
        {"rate not a number", "[format]\nversion=1\n[speech]\nrate=fast\n"},
    };
    const size_t named = cases.size();
    for (size_t length = 1; length < good.size(); length += 11) {
        cases.push_back({"cut at " + std::to_string(length), good.substr(0, length)});
    }
    for (size_t at = 0; at < good.size(); at += 9) {
        std::string flipped = good;
        flipped[at] ^= 0x20;
        cases.push_back({"flipped at " + std::to_string(at), flipped});
    }
    for (const Case& c : cases) {
        fs::remove(file);
        fs::remove(file.string() + ".bad");
        std::ofstream(file, std::ios::binary) << c.text;
        const LoadedSettings loaded = LoadSettings(file);
        const PlayerSettings& s = loaded.settings;
        EXPECT_TRUE(s.DeckName == "Roya2" || s.DeckName == "Royal") << c.name;
        if (loaded.message.empty()) {
            // Some cuts and flips still leave a readable file (a shorter deck line, a key that changed
            // case and is no longer ours): it is used as it reads, defaults for the rest.
            EXPECT_TRUE(loaded.found) << c.name;
            EXPECT_TRUE(fs::exists(file)) << c.name;
            continue;
        }
        EXPECT_FALSE(loaded.found) << c.name;
        EXPECT_EQ(loaded.message.find('\n'), std::string::npos) << c.name;
        EXPECT_NE(loaded.message.find("settings file"), std::string::npos)
            << c.name << ": " << loaded.message;
        EXPECT_FALSE(fs::exists(file)) << c.name;
        EXPECT_TRUE(fs::exists(file.string() + ".bad")) << c.name;
    }
    // The named damages are all caught.
    for (size_t i = 0; i < named; ++i) {
        fs::remove(file);
        fs::remove(file.string() + ".bad");
        std::ofstream(file, std::ios::binary) << cases[i].text;
        EXPECT_FALSE(LoadSettings(file).message.empty()) << cases[i].name;
    }
}

TEST_F(MatchPanelTest, SettingsOfANewerVersionAreLeftInPlaceAndTheDefaultsUsed) {
    const fs::path file = fs::path(dir_.path().toStdString()) / "zarn.conf";
    const std::string newer = "[format]\nversion=2\n[game]\ndeck=Royal\n";
    std::ofstream(file, std::ios::binary) << newer;
    const LoadedSettings loaded = LoadSettings(file);
    EXPECT_TRUE(loaded.newerVersion);
    EXPECT_FALSE(loaded.found);
    EXPECT_EQ(loaded.settings.DeckName, PlayerSettings().DeckName);
    EXPECT_NE(loaded.message.find("made by a newer version of Zarn"), std::string::npos) << loaded.message;
    EXPECT_EQ(loaded.message.find('\n'), std::string::npos);
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), newer);
    EXPECT_FALSE(fs::exists(file.string() + ".bad"));
}

// The entry point the game's main calls: the start button resumes or not as chosen.
TEST(RunStartupDialogWithOffer, StartTellsWhetherToResume) {
    QTemporaryDir dir;
    PakArchive archive;
    archive.OpenQ2Pak(WriteArchive(dir, "res118.pak", MakeDeckEntries()));
    const ResourceSet resources = ResourceSet::FromArchive(archive);
    MatchOffer offer;
    offer.savedMatch = SevenContractsIn();
    for (const bool chooseNew : {false, true}) {
        GameOptions options;
        bool resume = !chooseNew;
        const DialogOutcome outcome = RunStartupDialog(
            TestArgc(), TestArgv(), options, resources, offer, resume, [chooseNew](StartupDialog& d) {
                if (chooseNew) {
                    d.findChild<QRadioButton*>("NewMatch")->click();
                }
                d.findChild<QPushButton*>("StartButton")->click();
            });
        EXPECT_EQ(outcome, DialogOutcome::Start);
        EXPECT_EQ(resume, !chooseNew);
    }
}

}  // namespace
