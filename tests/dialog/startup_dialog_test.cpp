#include <gtest/gtest.h>

#include <cstdlib>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_texts.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"

namespace {

// A dialog built straight from an options record, with plain coloured previews.
class StartupDialogTest : public QtAppTest {
protected:
    std::unique_ptr<StartupDialog> Open(const GameOptions& preset = GameOptions()) {
        QImage roya2(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
        roya2.fill(Qt::red);
        QImage royal(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
        royal.fill(Qt::blue);
        auto dialog = std::make_unique<StartupDialog>(preset, roya2, royal);
        dialog->show();
        return dialog;
    }

    template <typename T>
    static T* Find(const StartupDialog& dialog, const QString& name) {
        T* widget = dialog.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    static void Click(const StartupDialog& dialog, const QString& name) {
        auto* button = Find<QAbstractButton>(dialog, name);
        ASSERT_NE(button, nullptr);
        // On the indicator (or the button's middle): a wide check box only reacts to its box and text.
        const bool wide = qobject_cast<QPushButton*>(button) == nullptr;
        const QPoint where = wide ? QPoint(8, button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, where);
    }

    static QString Text(const StartupDialog& dialog, const QString& name) {
        auto* label = Find<QLabel>(dialog, name);
        return label != nullptr ? label->text() : QString();
    }
};

TEST_F(StartupDialogTest, SixTabsInOrderStartingOnTheDeckTab) {
    auto dialog = Open();
    auto* tabs = Find<QTabWidget>(*dialog, QStringLiteral("Tabs"));
    ASSERT_NE(tabs, nullptr);
    const QStringList expected = {"Deck", "Keys", "Rules", "Credits", "Licence", "Options"};
    ASSERT_EQ(tabs->count(), expected.size());
    for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_EQ(tabs->tabText(i), expected[i]) << "tab " << i;
    }
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(dialog->CurrentTab(), 0);
    EXPECT_EQ(dialog->windowTitle(), "Zarn");
}

TEST_F(StartupDialogTest, ChoosingATabShowsOnlyItsPage) {
    auto dialog = Open();
    auto* tabs = Find<QTabWidget>(*dialog, QStringLiteral("Tabs"));
    ASSERT_NE(tabs, nullptr);
    for (int tab : {5, 2, 0}) {
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(dialog->CurrentTab(), tab);
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_EQ(tabs->widget(i)->isVisible(), i == tab) << "tab " << tab << ", page " << i;
        }
    }
}

// Which controls the player sees, and the value the hidden ones keep.
struct ControlCase {
    const char* name;
    bool shown;
    bool checked;
};

TEST_F(StartupDialogTest, VisibleAndHiddenControlsWithTheirDesignValues) {
    const ControlCase cases[] = {
        {"DeckOption2", true, true},         {"DeckOption4", true, false},
        {"DeckOption3", false, false},       {"DeckOption1", false, false},
        {"Windowed", false, false},          {"UseVidMem", false, false},
        {"SevenOfHeartsLead", false, false}, {"PartnershipGame", true, false},
        {"SlowAnimation", true, false},      {"ReglesFrancaises", false, false},
        {"ReguasPortuguese", false, true},
    };
    auto dialog = Open();
    for (const ControlCase& c : cases) {
        auto* control = Find<QAbstractButton>(*dialog, c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(!control->isHidden(), c.shown) << c.name;
        EXPECT_EQ(control->isChecked(), c.checked) << c.name;
    }
    const std::pair<const char*, bool> labels[] = {
        {"DeckDescription2", true},          {"DeckDescription4", true},
        {"DeckDescription3", false},         {"DeckDescription1", false},
        {"SevenOfHeartsExplanation", false}, {"PartnershipExplanation", true},
        {"SlowAnimationExplanation", true},
    };
    for (const auto& [name, shown] : labels) {
        auto* label = Find<QLabel>(*dialog, name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(!label->isHidden(), shown) << name;
    }
}

TEST_F(StartupDialogTest, DeckOptionsAndCheckBoxesCarryTheirTexts) {
    const std::pair<const char*, const char*> texts[] = {
        {"DeckOption2", "Halkali Kagit San cards (Made in Turkey) [800x600 resolution]"},
        {"DeckOption4", "Moharrem Press cards (Made in Egypt) [800x600 resolution]"},
        {"DeckOption3", "Copag Da Amazonia cards (Made in Brazil) [800x600 resolution]"},
        {"DeckOption1", "Altenburg Stralsunder (Used) [1024x768 resolution]"},
        {"Windowed", "Windowed"},
        {"UseVidMem", "Use VidMem"},
        {"SevenOfHeartsLead", "Seven of Hearts Lead"},
        {"PartnershipGame", "Partnership game"},
        {"SlowAnimation", "Slow animation"},
        {"ReglesFrancaises", "Regles francaises"},
        {"ReguasPortuguese", "Reguas portuguese"},
        {"ExitButton", "Exit"},
        {"StartButton", "I have read the licence terms and I agree, let's play!"},
    };
    auto dialog = Open();
    for (const auto& [name, text] : texts) {
        auto* control = Find<QAbstractButton>(*dialog, name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->text().toStdString(), text) << name;
    }
    EXPECT_EQ(Text(*dialog, "DeckDescription2"), "French suited deck (Hungarian pattern).");
    EXPECT_EQ(Text(*dialog, "DeckDescription4"), "French suited deck (standard pattern).");
    EXPECT_EQ(Text(*dialog, "DeckDescription3"), "French suited deck (standard pattern).");
    EXPECT_EQ(Text(*dialog, "DeckDescription1"), "Old German-made French deck of early 1900's.");
}

TEST_F(StartupDialogTest, ThePlayAidKeysAreListedBelowTheFiveKeysLabels) {
    auto dialog = Open();
    Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(1);
    const QStringList aids = startup_texts::PlayAidKeysLabels();
    ASSERT_EQ(aids.size(), 4);
    auto* fifth = Find<QLabel>(*dialog, QStringLiteral("KeysLabel4"));
    ASSERT_NE(fifth, nullptr);
    int lastY = fifth->y();
    for (int i = 0; i < aids.size(); ++i) {
        auto* label = Find<QLabel>(*dialog, QStringLiteral("KeysLabel%1").arg(5 + i));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), aids[i]);
        EXPECT_GT(label->y(), lastY);
        lastY = label->y();
    }
    for (const char* key : {"Left and Right", "Enter or Space", "key H", "key L", "key M"}) {
        EXPECT_TRUE(aids.join(' ').contains(QString::fromLatin1(key))) << key;
    }
}

TEST_F(StartupDialogTest, KeysAndOptionsExplanationsReadExactly) {
    auto dialog = Open();
    const QStringList keys = {
        "To select a contract: Use the menu that will appear on screen.",
        "To play a card: Left-click on the card.",
        "Pressing the key R after the deal you order your cards in hand.",
        "Pressing the key P at any time pauses the game. Press again to resume.",
        "Use the ESCAPE key to exit the game.",
    };
    Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(1);
    int lastY = -1;
    for (int i = 0; i < keys.size(); ++i) {
        auto* label = Find<QLabel>(*dialog, QStringLiteral("KeysLabel%1").arg(i));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), keys[i]);
        EXPECT_GT(label->y(), lastY) << "the keys labels read from top to bottom";
        lastY = label->y();
    }
    EXPECT_EQ(Text(*dialog, "SevenOfHeartsExplanation"),
              "If checked, first kingdom is assigned to player who holds the Seven of Hearts.");
    EXPECT_EQ(Text(*dialog, "SlowAnimationExplanation"),
              "Click for slower card animation. Useful when learning the game, or in faster computers.");
    EXPECT_EQ(Text(*dialog, "PartnershipExplanation"),
              "Check to play in partnerships. Leave this unchecked for the cutthroat game.");
}

TEST_F(StartupDialogTest, VersionRulesCreditsAndLicence) {
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, "VersionLabel"), QStringLiteral("Version ") + ZARN_TEST_PROJECT_VERSION);

    auto* rules = Find<QPlainTextEdit>(*dialog, "RulesText");
    ASSERT_NE(rules, nullptr);
    EXPECT_TRUE(rules->isReadOnly());
    const QString text = rules->toPlainText();
    EXPECT_TRUE(text.startsWith("Zarn\n\nZarn is a trick-taking card game.")) << text.left(60).toStdString();
    // What a newcomer needs to learn the game.
    for (const char* topic :
         {"Four players", "partner", "52 cards", "kingdom", "Tricks", "Diamonds", "Queens", "King",
          "king of hearts", "jack", "follow suit", "lowest total", "200"}) {
        EXPECT_TRUE(text.contains(topic, Qt::CaseInsensitive)) << topic;
    }

    auto* licence = Find<QPlainTextEdit>(*dialog, "LicenceText");
    ASSERT_NE(licence, nullptr);
    EXPECT_TRUE(licence->isReadOnly());
    EXPECT_FALSE(licence->toPlainText().isEmpty());
    for (int i = 0; i < 8; ++i) {
        EXPECT_FALSE(Text(*dialog, QStringLiteral("CreditsLabel%1").arg(i)).isEmpty()) << i;
    }
}

// What the Rules tab says about the game must be what the game does.
TEST(StartupDialogRules, RulesTextStatesTheGameAsItIsPlayed) {
    const QString text = startup_texts::RulesText().simplified();
    const std::pair<const char*, const char*> statements[] = {
        {"turn order",
         "The turn passes from you to the player at the right, then to the top and to the left."},
        {"contract chosen once per match",
         "over a match every player chooses each of the five contracts exactly once"},
        {"first cards and first play",
         "The player after the owner receives the first cards and plays first."},
        {"tricks", "10 points for every trick you take (130 in a deal)"},
        {"diamonds", "15 points for every diamond you take (195 in a deal)"},
        {"queens", "25 points for every queen you take (100 in a deal)"},
        {"king", "75 points for taking the king of hearts"},
        {"jack opens a column", "A column is opened with its jack."},
        {"layout rewards",
         "earns 200 points, the second 150, the third 100, and the player left holding cards 50"},
        {"follow suit", "must follow suit"},
        {"no trumps", "There are no trumps: the highest card of the suit led wins the trick"},
        {"a tie for the lowest total wins", "you win when no one has a lower total than yours"},
        {"a partner sharing the highest total loses",
         "your side loses when you or your partner holds the highest total of the table, even when an "
         "opponent's total is as high"},
    };
    for (const auto& [rule, statement] : statements) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(statement))) << rule;
    }
    // A later match starts inside the last kingdom of the one before, so a kingdom's own deals do not
    // always hold all five contracts.
    EXPECT_FALSE(text.contains("exactly once in his kingdom"));
    EXPECT_FALSE(text.contains("the last deal of a kingdom has no choice left"));
}

TEST_F(StartupDialogTest, CreditsLinkPointsToTheWebBrowser) {
    auto dialog = Open();
    auto* label = Find<QLabel>(*dialog, "CreditsLabel7");
    ASSERT_NE(label, nullptr);
    QString shownText;
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            shownTitle = box->windowTitle();
            box->accept();
        }
    });
    emit label->linkActivated(QStringLiteral("zarn:home"));
    EXPECT_EQ(shownText, "Please use your installed Web browser to view this page.");
    EXPECT_EQ(shownTitle, "Zarn");
}

TEST_F(StartupDialogTest, DeckOptionSwitchesThePreview) {
    auto dialog = Open();
    auto* roya2 = Find<QLabel>(*dialog, "DeckPicture1");
    auto* royal = Find<QLabel>(*dialog, "DeckPicture0");
    ASSERT_TRUE(roya2 != nullptr && royal != nullptr);
    EXPECT_TRUE(Find<QRadioButton>(*dialog, "DeckOption2")->isChecked());
    EXPECT_TRUE(roya2->isVisible());
    EXPECT_FALSE(royal->isVisible());
    EXPECT_EQ(roya2->pixmap().toImage().pixelColor(10, 10), QColor(Qt::red));

    Click(*dialog, "DeckOption4");
    EXPECT_TRUE(royal->isVisible());
    EXPECT_FALSE(roya2->isVisible());
    EXPECT_EQ(royal->pixmap().toImage().pixelColor(10, 10), QColor(Qt::blue));

    Click(*dialog, "DeckOption2");
    EXPECT_TRUE(roya2->isVisible());
    EXPECT_FALSE(royal->isVisible());
}

// The player's changes, and the record the start button must leave: design values elsewhere.
struct StartCase {
    const char* name;
    std::vector<const char*> clicks;
    GameOptions expected;
};

GameOptions With(void (*change)(GameOptions&)) {
    GameOptions o;
    change(o);
    return o;
}

TEST_F(StartupDialogTest, StartButtonWritesTheControlsIntoTheRecord) {
    const StartCase cases[] = {
        {"nothing changed", {}, GameOptions()},
        {"second deck", {"DeckOption4"}, With([](GameOptions& o) { o.DeckName = "Royal"; })},
        {"deck there and back", {"DeckOption4", "DeckOption2"}, GameOptions()},
        {"partnership", {"PartnershipGame"}, With([](GameOptions& o) { o.Partnership = true; })},
        {"slow", {"SlowAnimation"}, With([](GameOptions& o) { o.SlowAnimation = true; })},
        {"slow on and off", {"SlowAnimation", "SlowAnimation"}, GameOptions()},
        {"expert players", {"ExpertPlayers"}, With([](GameOptions& o) { o.Players = PlayerLevel::Expert; })},
        {"all three", {"PartnershipGame", "DeckOption4", "SlowAnimation"}, With([](GameOptions& o) {
             o.DeckName = "Royal";
             o.Partnership = true;
             o.SlowAnimation = true;
         })},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = Open();
        Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(0);
        for (const char* name : c.clicks) {
            if (QString(name).startsWith("Deck")) {
                Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(0);
            } else {
                Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(5);
            }
            Click(*dialog, name);
        }
        QSignalSpy accepted(dialog.get(), &QDialog::accepted);
        EXPECT_TRUE(dialog->EndOnUnload());
        Click(*dialog, "StartButton");
        EXPECT_EQ(accepted.count(), 1);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(dialog->EndOnUnload());
        EXPECT_FALSE(dialog->isVisible());
        ExpectSameOptions(dialog->Options(), c.expected);
    }
}

TEST_F(StartupDialogTest, StartDerivesScreenSizeAndPacketAfterTheirSources) {
    // A record whose derived fields are stale: the start button must set the resolution before the
    // screen size, and the rules before the packet size.
    GameOptions preset;
    preset.Resolution = "1024x768";
    preset.ScreenWidth = 1024;
    preset.ScreenHeight = 768;
    preset.PortugueseRules = false;
    preset.DealPacketSize = 1;
    auto dialog = Open(preset);
    Click(*dialog, "StartButton");
    EXPECT_EQ(dialog->Options().Resolution, "800x600");
    EXPECT_EQ(dialog->Options().ScreenWidth, 800);
    EXPECT_EQ(dialog->Options().ScreenHeight, 600);
    EXPECT_FALSE(dialog->Options().PortugueseRules);
    EXPECT_EQ(dialog->Options().DealPacketSize, 13);
}

TEST_F(StartupDialogTest, CommandLinePresetsTheVisibleControls) {
    GameOptions preset;
    preset.DeckName = "Royal";
    preset.Partnership = true;
    preset.SlowAnimation = true;
    auto dialog = Open(preset);
    EXPECT_TRUE(Find<QRadioButton>(*dialog, "DeckOption4")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(*dialog, "DeckOption2")->isChecked());
    EXPECT_TRUE(Find<QLabel>(*dialog, "DeckPicture0")->isVisible());
    EXPECT_FALSE(Find<QLabel>(*dialog, "DeckPicture1")->isVisible());
    EXPECT_TRUE(Find<QCheckBox>(*dialog, "PartnershipGame")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*dialog, "SlowAnimation")->isChecked());

    // The player may still undo a command-line choice.
    Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(5);
    Click(*dialog, "PartnershipGame");
    Click(*dialog, "StartButton");
    GameOptions expected;
    expected.DeckName = "Royal";
    expected.SlowAnimation = true;
    ExpectSameOptions(dialog->Options(), expected);
}

TEST_F(StartupDialogTest, CommandLineChoicesWithoutAVisibleControlSurviveTheStart) {
    GameOptions preset;
    preset.FullScreen = false;
    preset.SevenOfHeartsLead = true;
    preset.PortugueseRules = false;
    ApplyRules(preset);
    auto dialog = Open(preset);
    for (const char* hidden : {"Windowed", "SevenOfHeartsLead", "ReglesFrancaises", "ReguasPortuguese"}) {
        EXPECT_TRUE(Find<QAbstractButton>(*dialog, hidden)->isHidden()) << hidden;
    }
    Click(*dialog, "StartButton");
    ExpectSameOptions(dialog->Options(), preset);
}

// The controls the player cannot see stay at their design values whatever the command line asks; the
// command line's choice reaches the record all the same, and so does a hidden control that is changed.
struct HiddenCase {
    const char* name;
    void (*commandLine)(GameOptions&);
    const char* checkedByCode;  // a hidden control switched from its design value, or null
    void (*expected)(GameOptions&);
};

TEST_F(StartupDialogTest, HiddenControlsKeepTheirDesignValuesWhateverTheCommandLine) {
    const HiddenCase cases[] = {
        {"no command line", [](GameOptions&) {}, nullptr, [](GameOptions&) {}},
        {"windowed", [](GameOptions& o) { o.FullScreen = false; }, nullptr,
         [](GameOptions& o) { o.FullScreen = false; }},
        {"seven of hearts", [](GameOptions& o) { o.SevenOfHeartsLead = true; }, nullptr,
         [](GameOptions& o) { o.SevenOfHeartsLead = true; }},
        {"french rules", [](GameOptions& o) { o.PortugueseRules = false; }, nullptr,
         [](GameOptions& o) { o.PortugueseRules = false; }},
        {"video memory", [](GameOptions& o) { o.UseVidMem = true; }, nullptr,
         [](GameOptions& o) { o.UseVidMem = true; }},
        {"Windowed box checked", [](GameOptions&) {}, "Windowed",
         [](GameOptions& o) { o.FullScreen = false; }},
        {"Use VidMem box checked", [](GameOptions&) {}, "UseVidMem",
         [](GameOptions& o) { o.UseVidMem = true; }},
        {"Seven of Hearts Lead checked", [](GameOptions&) {}, "SevenOfHeartsLead",
         [](GameOptions& o) { o.SevenOfHeartsLead = true; }},
        {"Regles francaises chosen", [](GameOptions&) {}, "ReglesFrancaises",
         [](GameOptions& o) { o.PortugueseRules = false; }},
    };
    const std::pair<const char*, bool> designValues[] = {
        {"Windowed", false},         {"UseVidMem", false},       {"SevenOfHeartsLead", false},
        {"ReglesFrancaises", false}, {"ReguasPortuguese", true},
    };
    for (const HiddenCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameOptions preset;
        c.commandLine(preset);
        ApplyRules(preset);
        auto dialog = Open(preset);
        for (const auto& [name, checked] : designValues) {
            EXPECT_EQ(Find<QAbstractButton>(*dialog, name)->isChecked(), checked) << name;
        }
        if (c.checkedByCode != nullptr) {
            Find<QAbstractButton>(*dialog, c.checkedByCode)->setChecked(true);
        }
        Click(*dialog, "StartButton");
        GameOptions expected;
        c.expected(expected);
        ApplyRules(expected);
        ExpectSameOptions(dialog->Options(), expected);
    }
}

// A description is indented to start where the caption of its option starts.
TEST_F(StartupDialogTest, DescriptionsLineUpWithTheirOptionsCaptions) {
    const std::pair<const char*, const char*> pairs[] = {
        {"DeckOption2", "DeckDescription2"},
        {"DeckOption4", "DeckDescription4"},
        {"PartnershipGame", "PartnershipExplanation"},
        {"SlowAnimation", "SlowAnimationExplanation"},
    };
    auto dialog = Open();
    auto* tabs = Find<QTabWidget>(*dialog, "Tabs");
    for (const auto& [buttonName, labelName] : pairs) {
        tabs->setCurrentIndex(QString(buttonName).startsWith("Deck") ? 0 : 5);
        auto* button = Find<QAbstractButton>(*dialog, buttonName);
        auto* label = Find<QLabel>(*dialog, labelName);
        ASSERT_TRUE(button != nullptr && label != nullptr);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
        const QRect contents = button->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
        const int captionLeft = button->mapTo(dialog.get(), QPoint(contents.left(), 0)).x();
        const int labelLeft = label->mapTo(dialog.get(), QPoint(label->contentsRect().left(), 0)).x();
        EXPECT_LE(std::abs(captionLeft - labelLeft), 1) << labelName;
    }
}

TEST_F(StartupDialogTest, ExitAndCloseBoxRejectWithoutTouchingTheRecord) {
    GameOptions preset;
    preset.Partnership = true;
    for (const bool useCloseBox : {false, true}) {
        SCOPED_TRACE(useCloseBox ? "close box" : "Exit");
        auto dialog = Open(preset);
        Find<QTabWidget>(*dialog, "Tabs")->setCurrentIndex(5);
        Click(*dialog, "SlowAnimation");
        if (useCloseBox) {
            dialog->close();
        } else {
            Click(*dialog, "ExitButton");
        }
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(dialog->EndOnUnload());
        ExpectSameOptions(dialog->Options(), preset);
    }
}

}  // namespace
