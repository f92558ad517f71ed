// The game's entry: the command line, the startup dialog, the resource archive, then the game.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "dialog/archive_browser.h"
#include "dialog/startup_dialog.h"
#include "platform/setup_error.h"
#include "shell/command_line.h"
#include "shell/game_session.h"
#include "shell/match_start.h"

namespace {

constexpr int kExitSetupFailed = 1;

// The folder of the running program, for finding the archive beside it.
std::string ExecutableDir(const char* argv0) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        exe = std::filesystem::absolute(argv0 != nullptr ? argv0 : ".", error);
    }
    return exe.parent_path().string();
}

// A start-up failure before the game's window exists: in Qt's message box (Qt is alone then) and on
// standard error.
int Fail(int& argc, char** argv, const std::string& text) {
    ShowStartupError(argc, argv, text);
    return kExitSetupFailed;
}

}  // namespace

int main(int argc, char** argv) {
    const ParsedCommandLine parsed = ParseCommandLine(argc, argv);
    if (parsed.exitCode) {
        std::fputs(parsed.output.c_str(), parsed.outputIsError ? stderr : stdout);
        return *parsed.exitCode;
    }
    const CommandLine& line = parsed.line;
    if (line.statistics) {
        return PrintStatistics();
    }

    // The remembered settings first; the command line overrides them for this run.
    const LoadedSettings loadedSettings = LoadSettings(SettingsPath());
    PlayerSettings settings = loadedSettings.settings;
    GameOptions options;
    ApplySettings(settings, options);
    ApplyCommandLine(line, options);
    const std::string executableDir = ExecutableDir(argc > 0 ? argv[0] : nullptr);

    if (line.pakBrowser) {
        return RunArchiveBrowser(argc, argv);
    }

    std::string placesTried;
    const std::string archivePath = FindArchive(line.dataDir, executableDir, &placesTried);
    if (archivePath.empty()) {
        return Fail(argc, argv,
                    SetupErrorText("StartGame", kErrorFileNotFound, ArchiveNotFoundMessage(placesTried)));
    }
    std::optional<ResourceSet> resources;
    try {
        PakArchive archive;
        archive.OpenQ2Pak(archivePath);
        resources = ResourceSet::FromArchive(archive);
    } catch (const PakError& e) {
        return Fail(argc, argv, SetupErrorText("OpenQ2Pak", kErrorInvalidArchive, e.what()));
    }

    // A demo leaves the player's match, record and settings alone.
    const bool keep = !line.autoplay || line.keepDemo;
    MatchKeeper keeper = MatchKeeper::ForPlayer(keep);
    keeper.Claim();
    std::string notice = loadedSettings.message;
    for (const std::string& message : keeper.TakeMessages()) {
        notice += (notice.empty() ? "" : "\n") + message;
    }
    if (!notice.empty()) {
        std::fprintf(stderr, "%s\n", notice.c_str());
    }
    bool resume = keeper.SavedMatch() != nullptr && !line.newMatch && !line.seed;

    if (!line.noDialog) {
        // The dialog runs in its own Qt application, gone again before SDL starts.
        try {
            if (RunStartupDialog(argc, argv, options, *resources, MakeMatchOffer(keeper, line, notice), resume) ==
                DialogOutcome::Quit) {
                return 0;
            }
            ApplyRules(options);
            if (keep) {
                RememberChoices(line, options, settings);
                std::string error;
                if (!SaveSettings(SettingsPath(), settings, &error)) {
                    std::fprintf(stderr, "zarn: the settings could not be saved: %s\n", error.c_str());
                }
            }
        } catch (const std::runtime_error& e) {
            // No display for the dialog: the game starts with the command line's options.
            std::fprintf(stderr, "zarn: the startup dialog could not be shown (%s); starting the game.\n",
                         e.what());
        }
    }

    if (!resume) {
        keeper.Abandon();
    } else if (const GameState* saved = keeper.SavedMatch()) {
        std::fprintf(stderr, "zarn: resuming the saved match (contract %d of 20).\n",
                     SummarizeSavedMatch(*saved).ContractNumber);
    }
    SessionFiles files;
    files.keeper = &keeper;
    files.resume = resume;
    files.windowWidth = settings.WindowWidth;
    files.windowHeight = settings.WindowHeight;
    files.rememberWindow = [&](bool windowed, int width, int height) {
        if (!keep) {
            return;
        }
        RememberWindow(line, windowed, width, height, settings);
        std::string error;
        if (!SaveSettings(SettingsPath(), settings, &error)) {
            std::fprintf(stderr, "zarn: the settings could not be saved: %s\n", error.c_str());
        }
    };
    GameState state;
    state.Options = options;
    return StartGame(state, *resources, line, files);
}
