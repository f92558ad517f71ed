#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/archive_browser.h"
#include "dialog/program_icon.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"

namespace {

// The entry point the game's main calls: it owns its Qt application, so no application exists
// around these tests.
class RunStartupDialogTest : public DeckArchiveTest {
protected:
    DialogOutcome Run(GameOptions& options, const std::function<void(StartupDialog&)>& onShown) {
        const DialogOutcome outcome = RunStartupDialog(TestArgc(), TestArgv(), options, resources_, onShown);
        EXPECT_EQ(QApplication::instance(), nullptr) << "the Qt application must be gone before SDL starts";
        return outcome;
    }

    static void Click(StartupDialog& dialog, const char* name) {
        auto* button = dialog.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        // On the indicator (or the button's middle): a wide check box only reacts to its box and text.
        const bool wide = qobject_cast<QPushButton*>(button) == nullptr;
        const QPoint where = wide ? QPoint(8, button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, where);
    }
};

TEST_F(RunStartupDialogTest, StartButtonFillsTheOptionsAndStarts) {
    GameOptions options;
    const DialogOutcome outcome = Run(options, [](StartupDialog& dialog) {
        Click(dialog, "DeckOption4");
        dialog.findChild<QTabWidget*>("Tabs")->setCurrentIndex(5);
        Click(dialog, "PartnershipGame");
        Click(dialog, "StartButton");
    });
    EXPECT_EQ(outcome, DialogOutcome::Start);
    GameOptions expected;
    expected.DeckName = "Royal";
    expected.Partnership = true;
    ExpectSameOptions(options, expected);
}

// The dialog's window carries the program's icon, and the desktop can match it to the menu entry.
TEST_F(RunStartupDialogTest, TheWindowCarriesTheProgramsIcon) {
    GameOptions options;
    Run(options, [](StartupDialog& dialog) {
        const QImage expected = ProgramIconImage();
        ASSERT_EQ(expected.size(), QSize(64, 64));
        const QImage shown =
            dialog.windowIcon().pixmap(expected.size()).toImage().convertToFormat(expected.format());
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral(ZARN_TEST_APP_ID));
        Click(dialog, "ExitButton");
    });
}

TEST_F(RunStartupDialogTest, EveryOtherWayOutQuitsAndLeavesTheOptions) {
    const std::pair<const char*, std::function<void(StartupDialog&)>> ways[] = {
        {"Exit button", [](StartupDialog& d) { Click(d, "ExitButton"); }},
        {"close box", [](StartupDialog& d) { d.close(); }},
        {"Escape key", [](StartupDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        GameOptions options;
        options.SlowAnimation = true;
        const DialogOutcome outcome = Run(options, [&way](StartupDialog& dialog) {
            Click(dialog, "DeckOption4");
            way(dialog);
        });
        EXPECT_EQ(outcome, DialogOutcome::Quit);
        GameOptions expected;
        expected.SlowAnimation = true;
        ExpectSameOptions(options, expected);
    }
}

// Share of the picture's pixels close to a colour.
double ShareOf(const QImage& image, const QColor& colour) {
    int near = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40) {
                ++near;
            }
        }
    }
    return static_cast<double>(near) / (image.width() * image.height());
}

TEST_F(RunStartupDialogTest, PreviewsShowTheCardsOfEachDeck) {
    GameOptions options;
    QImage roya2;
    QImage royal;
    Run(options, [&](StartupDialog& dialog) {
        roya2 = dialog.findChild<QLabel*>("DeckPicture1")->pixmap().toImage();
        royal = dialog.findChild<QLabel*>("DeckPicture0")->pixmap().toImage();
        Click(dialog, "ExitButton");
    });
    const QColor red(220, 20, 20);
    const QColor blue(20, 20, 220);
    const QColor magenta(255, 0, 255);
    EXPECT_GT(ShareOf(roya2, red), 0.15);
    EXPECT_EQ(ShareOf(roya2, blue), 0.0);
    EXPECT_GT(ShareOf(royal, blue), 0.15);
    EXPECT_EQ(ShareOf(royal, red), 0.0);
    EXPECT_EQ(ShareOf(roya2, magenta), 0.0) << "the key colour must not show";
    EXPECT_EQ(ShareOf(royal, magenta), 0.0) << "the key colour must not show";
}

TEST_F(RunStartupDialogTest, ADeckWithoutPicturesStillOpens) {
    resources_ = ResourceSet();
    GameOptions options;
    const DialogOutcome outcome = Run(options, [](StartupDialog& dialog) { Click(dialog, "StartButton"); });
    EXPECT_EQ(outcome, DialogOutcome::Start);
}

TEST(ShowStartupError, ReportsOnStandardErrorAndInAMessageBox) {
    const std::string text = "Cannot find res118.pak. Looked in:\n/usr/share/zarn/res118.pak";
    QString shownText;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    testing::internal::CaptureStderr();
    ShowStartupError(TestArgc(), TestArgv(), text, [&](QMessageBox& box) {
        shownText = box.text();
        shownTitle = box.windowTitle();
        shownIcon = box.icon();
        box.accept();
    });
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find(text), std::string::npos) << printed;
    EXPECT_EQ(shownText.toStdString(), text);
    EXPECT_EQ(shownTitle, "Zarn");
    EXPECT_EQ(shownIcon, QMessageBox::Critical);
    EXPECT_EQ(QApplication::instance(), nullptr);
}

// Clears the variables that name a display for the lifetime of the object.
class NoDisplay {
public:
    NoDisplay() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    ~NoDisplay() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name, value->c_str(), 1);
            }
        }
    }

private:
    static constexpr const char* kNames[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(WithoutADisplay, TheErrorGoesToStandardErrorAndTheWindowsRefuseToOpen) {
    const NoDisplay noDisplay;
    testing::internal::CaptureStderr();
    ShowStartupError(TestArgc(), TestArgv(), "res118.pak is damaged");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("res118.pak is damaged"), std::string::npos);

    GameOptions options;
    EXPECT_THROW(RunStartupDialog(TestArgc(), TestArgv(), options, ResourceSet()), std::runtime_error);
    EXPECT_THROW(RunArchiveBrowser(TestArgc(), TestArgv()), std::runtime_error);
    EXPECT_EQ(QApplication::instance(), nullptr);
}

}  // namespace
