// The game's entry: the command line, the startup dialog, the resource archive, then the game.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "platform/message_box.h"
#include "platform/setup_error.h"
#include "shell/command_line.h"
#include "shell/game_session.h"

#ifdef ZARN_HAS_DIALOG
#include "shell/archive_browser.h"
#include "shell/startup_dialog.h"
#endif

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

// A start-up failure before the game's window exists: in the dialog's message box when the dialog is
// part of the program (Qt is alone then), else in SDL's; always on standard error.
int Fail(int& argc, char** argv, const std::string& text) {
#ifdef ZARN_HAS_DIALOG
    ShowStartupError(argc, argv, text);
#else
    (void)argc;
    (void)argv;
    ShowErrorMessage("Zarn", text);
#endif
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

    GameOptions options;
    ApplyCommandLine(line, options);
    const std::string executableDir = ExecutableDir(argc > 0 ? argv[0] : nullptr);

    if (line.pakBrowser) {
#ifdef ZARN_HAS_DIALOG
        return RunArchiveBrowser(argc, argv);
#else
        std::fputs("zarn: the archive browser is not part of this build.\n", stderr);
        return kExitSetupFailed;
#endif
    }

    std::string placesTried;
    const std::string archivePath = FindArchive(line.dataDir, executableDir, &placesTried);
    if (archivePath.empty()) {
        return Fail(argc, argv,
                    SetupErrorText("StartGame", kErrorFileNotFound,
                                   "File not found: " + std::string(kArchiveFileName) + "\r\nLooked in:\r\n" +
                                       placesTried));
    }
    std::optional<ResourceSet> resources;
    try {
        PakArchive archive;
        archive.OpenQ2Pak(archivePath);
        resources = ResourceSet::FromArchive(archive);
    } catch (const PakError& e) {
        return Fail(argc, argv, SetupErrorText("OpenQ2Pak", kErrorInvalidArchive, e.what()));
    }

    if (!line.noDialog) {
#ifdef ZARN_HAS_DIALOG
        // The dialog runs in its own Qt application, gone again before SDL starts.
        try {
            if (RunStartupDialog(argc, argv, options, *resources) == DialogOutcome::Quit) {
                return 0;
            }
            ApplyRules(options);
        } catch (const std::runtime_error& e) {
            // No display for the dialog: the game starts with the command line's options.
            std::fprintf(stderr, "zarn: the startup dialog could not be shown (%s); starting the game.\n",
                         e.what());
        }
#endif
    }

    GameState state;
    state.Options = options;
    return StartGame(state, *resources, line);
}
