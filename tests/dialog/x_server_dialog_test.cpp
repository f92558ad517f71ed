#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QTest>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"

// On an X display Qt talks to the session bus; libdbus keeps one buffer for the life of the process,
// which the sanitizer build would otherwise report as a leak of this test program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

namespace {

// A private X server for one test: Xvfb picks a free display and tells it through a pipe.
class XvfbServer {
public:
    XvfbServer() {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        // Only async-signal-safe calls between fork and exec: the argument is made beforehand.
        const std::string fd = std::to_string(fds[1]);
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
                   "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (!number.empty()) {
            display_ = ":" + number;
        }
    }
    ~XvfbServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N" once the server runs; empty when it could not start.
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
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

TEST(StartupDialogOnAnXServer, ShowsAWindowAndStartsOnTheStartButton) {
    const XvfbServer server;
    if (server.Display().empty()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    const ScopedEnv display("DISPLAY", server.Display());
    const ScopedEnv platform("QT_QPA_PLATFORM", "xcb");

    QTemporaryDir dir;
    PakArchive archive;
    archive.OpenQ2Pak(WriteArchive(dir, "res118.pak", MakeDeckEntries()));
    const ResourceSet resources = ResourceSet::FromArchive(archive);

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

}  // namespace
