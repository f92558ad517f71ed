#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QGuiApplication>
#include <QTabWidget>
#include <QTest>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"
#include "i18n/language.h"

// On an X display Qt talks to the session bus; libdbus keeps one buffer for the life of the process,
// which the sanitizer build would otherwise report as a leak of this test program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

namespace {

// A private X server for one test, started by the helper the shell tests share: it answers requests
// before the test goes on, and its log is shown when it cannot be started.
class XvfbServer {
public:
    XvfbServer() : dir_(QDir::tempPath() + "/zarn_xvfb_XXXXXX") {
        const std::string command =
            std::string("bash '") + ZARN_START_XVFB + "' '" + dir_.path().toStdString() + "' 1024x768x24";
        FILE* helper = popen(command.c_str(), "r");
        if (helper == nullptr) {
            return;
        }
        std::array<char, 256> line{};
        const bool answered = std::fgets(line.data(), static_cast<int>(line.size()), helper) != nullptr;
        status_ = pclose(helper);
        std::istringstream words(answered ? line.data() : "");
        words >> display_ >> pid_;
        if (status_ != 0 || pid_ <= 0) {
            display_.clear();
        }
    }
    ~XvfbServer() {
        if (pid_ <= 0) {
            return;
        }
        // Not this process's child (the helper started it): wait until it is gone.
        kill(pid_, SIGTERM);
        for (int i = 0; i < 100 && kill(pid_, 0) == 0; ++i) {
            usleep(50000);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N" once the server answers; empty when it could not start.
    const std::string& Display() const { return display_; }
    // The helper's exit status: 77 when Xvfb is not installed.
    int HelperExitCode() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }

private:
    QTemporaryDir dir_;
    pid_t pid_ = -1;
    int status_ = -1;
    std::string display_;
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A private X server for Qt's own platform (xcb), and an archive with the decks the dialog previews.
class StartupDialogOnAnXServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (server_.HelperExitCode() == 77) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_FALSE(server_.Display().empty()) << "no X server (its log is above)";
        display_.emplace("DISPLAY", server_.Display());
        platform_.emplace("QT_QPA_PLATFORM", "xcb");
        PakArchive archive;
        archive.OpenQ2Pak(WriteArchive(dir_, "res118.pak", MakeDeckEntries()));
        resources_.emplace(ResourceSet::FromArchive(archive));
    }

    const XvfbServer server_;
    std::optional<ScopedEnv> display_;
    std::optional<ScopedEnv> platform_;
    QTemporaryDir dir_;
    std::optional<ResourceSet> resources_;
};

TEST_F(StartupDialogOnAnXServer, ShowsAWindowAndStartsOnTheStartButton) {
    const ResourceSet& resources = *resources_;

    GameOptions options;
    QString platformName;
    bool exposed = false;
    const DialogOutcome outcome =
        RunStartupDialog(TestArgc(), TestArgv(), options, resources, [&](StartupDialog& dialog) {
            platformName = QGuiApplication::platformName();
            exposed = QTest::qWaitForWindowExposed(&dialog);
            auto* deck = dialog.findChild<QAbstractButton*>("DeckOption4");
            QTest::mouseClick(deck, Qt::LeftButton, {}, QPoint(8, deck->height() / 2));
            QTest::mouseClick(dialog.findChild<QAbstractButton*>("StartButton"), Qt::LeftButton);
        });
    EXPECT_EQ(platformName, "xcb");
    EXPECT_TRUE(exposed);
    EXPECT_EQ(outcome, DialogOutcome::Start);
    EXPECT_EQ(options.DeckName, "Royal");
    EXPECT_EQ(QApplication::instance(), nullptr);
}

// A German desktop gets the dialog in German on a real X server, with Qt's own texts too.
TEST_F(StartupDialogOnAnXServer, SpeaksTheDesktopsLanguage) {
    const ResourceSet& resources = *resources_;
    const ScopedEnv lang("LANG", "de_DE.UTF-8");
    const ScopedEnv all("LC_ALL", "");
    const ScopedEnv messages("LC_MESSAGES", "");
    const ScopedEnv language("LANGUAGE", "");

    GameOptions options;
    DialogChoices choices;
    QStringList tabs;
    const DialogOutcome outcome = RunStartupDialog(
        TestArgc(), TestArgv(), options, resources, MatchOffer{}, choices, [&](StartupDialog& dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            const auto* tabWidget = dialog.findChild<QTabWidget*>();
            for (int i = 0; tabWidget != nullptr && i < tabWidget->count(); ++i) {
                tabs << tabWidget->tabText(i);
            }
            dialog.reject();
        });
    UseLanguage("", {});
    EXPECT_EQ(outcome, DialogOutcome::Quit);
    EXPECT_TRUE(tabs.contains(QStringLiteral("Optionen"))) << tabs.join(", ").toStdString();
    EXPECT_TRUE(tabs.contains(QStringLiteral("Regeln"))) << tabs.join(", ").toStdString();
}

}  // namespace
