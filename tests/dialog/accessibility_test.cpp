// The startup dialog and the archive browser as a screen reader and a keyboard-only player meet them:
// every control named and described through Qt's accessibility, the long texts readable, and spoken
// play chosen with the keys alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/archive_browser.h"
#include "dialog/settings_store.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"

namespace {

constexpr int kOptionsTab = 5;

// Everything a screen reader can get from a widget: its name, its value and its text.
QString AccessibleWords(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (face == nullptr) {
        return {};
    }
    QString words = face->text(QAccessible::Name) + QLatin1Char('\n') + face->text(QAccessible::Value);
    if (QAccessibleTextInterface* text = face->textInterface()) {
        words += QLatin1Char('\n') + text->text(0, text->characterCount());
    }
    return words;
}

// A dialog with everything it can show: the saved match, the statistics and a notice.
class AccessibleDialogTest : public QtAppTest {
protected:
    std::unique_ptr<StartupDialog> Open() {
        QImage picture(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
        picture.fill(Qt::green);
        auto dialog = std::make_unique<StartupDialog>(GameOptions(), picture, picture);
        MatchOffer offer;
        SavedMatchSummary saved;
        saved.ContractNumber = 7;
        saved.KingdomOwner = "Anna";
        saved.KingdomOwnerSeat = 2;
        saved.Names = {"Me", "Bob", "Anna", "Carl"};
        offer.savedMatch = saved;
        offer.notice = "zarn: the statistics file was damaged and set aside.";
        dialog->AddMatchPanel(offer);
        dialog->show();
        return dialog;
    }
};

TEST_F(AccessibleDialogTest, EveryControlOnEveryTabHasANameAndADescription) {
    auto dialog = Open();
    auto* tabs = dialog->findChild<QTabWidget*>("Tabs");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 7) << "the six tabs and Statistics";
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        const QStringList missing = ControlsWithoutWords(*dialog);
        EXPECT_TRUE(missing.isEmpty()) << "tab " << tab << ":\n" << missing.join('\n').toStdString();
    }
}

// The texts of the Keys, Rules, Credits and Licence tabs reach a screen reader: the controls Tab
// reaches on each page hold them.
TEST_F(AccessibleDialogTest, TheLongTextsAreReadByTheKeyboardsControls) {
    struct Case {
        int tab;
        std::vector<const char*> words;
    };
    const Case cases[] = {
        {1,
         {"Use the ESCAPE key to exit the game.", "key H", "key F2 switches spoken play on and off",
          "key F3 changes how much is said", "key F4 makes the speech slower, F5 faster",
          "key C reads your hand", "key T reads the cards on the table", "key S reads the scores",
          "key I reads the contract and what it costs", "key F reads the focused card",
          "key A says again the last thing said", "moving between the cards with the arrows speaks"}},
        {2, {"Four players take part.", "follow suit", "the lowest total wins"}},
        {3, {"Built with Qt 6", "The Zarn page"}},
        {4, {"There is no warranty of any kind"}},
    };
    auto dialog = Open();
    auto* tabs = dialog->findChild<QTabWidget*>("Tabs");
    ASSERT_NE(tabs, nullptr);
    for (const Case& c : cases) {
        tabs->setCurrentIndex(c.tab);
        QString read;
        for (QWidget* widget : tabs->currentWidget()->findChildren<QWidget*>()) {
            if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) != 0) {
                read += AccessibleWords(widget) + QLatin1Char('\n');
            }
        }
        const QString simplified = read.simplified();
        for (const char* words : c.words) {
            EXPECT_TRUE(simplified.contains(QString::fromUtf8(words))) << "tab " << c.tab << ": " << words;
        }
    }
}

// Tab walks each page top to bottom, so a screen reader reads it in the order it is written.
TEST_F(AccessibleDialogTest, TabWalksEachPageFromTopToBottom) {
    auto dialog = Open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto* tabs = dialog->findChild<QTabWidget*>("Tabs");
    ASSERT_NE(tabs, nullptr);
    for (const int tab : {0, 1, 3, kOptionsTab}) {
        tabs->setCurrentIndex(tab);
        // A page that scrolls is measured by its contents, which move as the focus goes down.
        QWidget* page = tabs->currentWidget();
        if (auto* scrolled = qobject_cast<QScrollArea*>(page)) {
            page = scrolled->widget();
        }
        tabs->tabBar()->setFocus();
        PressKey(Qt::Key_Tab);
        int steps = 0;
        int lastY = -1;
        for (QWidget* focus = QApplication::focusWidget(); focus != nullptr && page->isAncestorOf(focus);
             focus = QApplication::focusWidget()) {
            const int y = focus->mapTo(page, QPoint(0, 0)).y();
            EXPECT_GE(y, lastY) << "tab " << tab << ": " << focus->objectName().toStdString();
            lastY = y;
            ASSERT_LT(++steps, 40) << "tab " << tab << ": the focus goes round the page";
            PressKey(Qt::Key_Tab);
        }
        EXPECT_GT(steps, 0) << "tab " << tab << ": Tab reaches the page";
    }
}

// On the Options tab: spoken play on, detailed, the rate three steps slower; then Enter.
void ChooseSpokenPlayByKeys(StartupDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* tabs = dialog.findChild<QTabWidget*>("Tabs");
    // Tab to the row of tabs, then the arrows to the Options tab.
    for (int i = 0; i < 40 && qobject_cast<QTabBar*>(QApplication::focusWidget()) == nullptr; ++i) {
        PressKey(Qt::Key_Tab);
    }
    ASSERT_NE(qobject_cast<QTabBar*>(QApplication::focusWidget()), nullptr) << "Tab reaches the tabs";
    for (int i = 0; i < 10 && tabs->currentIndex() != kOptionsTab; ++i) {
        PressKey(Qt::Key_Right);
    }
    ASSERT_EQ(tabs->currentIndex(), kOptionsTab);

    // Alt and the underlined letter reach the list and the slider through their labels.
    PressKey(Qt::Key_H, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), dialog.findChild<QComboBox*>("SpeechVerbosity"));
    PressKey(Qt::Key_Down);  // normal to detailed
    PressKey(Qt::Key_R, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), dialog.findChild<QSlider*>("SpeechRate"));
    for (int i = 0; i < 3; ++i) {
        PressKey(Qt::Key_Left);
    }
    // Back to the check box, switched on with Space; Enter starts from anywhere.
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), dialog.findChild<QCheckBox*>("SpokenPlay"));
    PressKey(Qt::Key_Space);
    PressKey(Qt::Key_Return);
}

// The entry point, as the game runs it, driven by the keys alone.
using KeyboardOnlyDialogTest = DeckArchiveTest;

// Spoken play chosen with the keys alone on the Options tab, started with Enter, and kept in the
// settings file the way the game keeps the dialog's choices.
TEST_F(KeyboardOnlyDialogTest, SpokenPlayIsChosenWithTheKeysAndKeptInTheSettings) {
    PlayerSettings settings;
    DialogChoices choices;
    choices.spokenPlay = SpokenPlayOf(settings);
    GameOptions options;
    const DialogOutcome outcome = RunStartupDialog(TestArgc(), TestArgv(), options, resources_, MatchOffer(),
                                                   choices, [](StartupDialog& dialog) {
                                                       ChooseSpokenPlayByKeys(dialog);
                                                       // A step that failed leaves the dialog open: it is
                                                       // closed so the test ends.
                                                       if (dialog.isVisible()) {
                                                           dialog.reject();
                                                       }
                                                   });
    ASSERT_EQ(outcome, DialogOutcome::Start);
    const SpokenPlayChoice expected{.on = true, .verbosity = 2, .rate = -30};
    EXPECT_EQ(choices.spokenPlay, expected);

    TakeSpokenPlay(choices.spokenPlay, settings);
    ASSERT_TRUE(SaveSettings(SettingsPath(), settings, nullptr));
    std::ifstream in(SettingsPath(), std::ios::binary);
    const std::string file(std::istreambuf_iterator<char>(in), {});
    for (const char* line : {"[speech]", "enabled=true", "verbosity=2", "rate=-30"}) {
        EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;
    }
    EXPECT_EQ(SpokenPlayOf(LoadSettings(SettingsPath()).settings), expected);
}

// F2 switches spoken play from any page of the dialog, as it does at the table.
TEST_F(KeyboardOnlyDialogTest, F2SwitchesSpokenPlayFromAnyPage) {
    DialogChoices choices;
    GameOptions options;
    std::vector<bool> seen;
    const DialogOutcome outcome = RunStartupDialog(
        TestArgc(), TestArgv(), options, resources_, MatchOffer(), choices, [&seen](StartupDialog& dialog) {
            dialog.activateWindow();
            if (QTest::qWaitForWindowActive(&dialog)) {
                auto* box = dialog.findChild<QCheckBox*>("SpokenPlay");
                for (int i = 0; i < 3; ++i) {
                    PressKey(Qt::Key_F2);
                    seen.push_back(box != nullptr && box->isChecked());
                }
                PressKey(Qt::Key_Return);
            }
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
    ASSERT_EQ(outcome, DialogOutcome::Start);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(choices.spokenPlay.on);
}

}  // namespace
