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

int Fail(const std::string& text) {
    ShowErrorMessage("Zarn", text);
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
        // The archive browser is the Qt half of the shell; this build does not contain it yet.
        std::fputs("zarn: the archive browser is not part of this build.\n", stderr);
        return kExitSetupFailed;
    }
    if (!line.noDialog) {
        // The startup dialog (Qt) goes here: it runs in its own QApplication, which must be destroyed
        // before SDL starts, and fills `options`; closing it without starting ends the program.
        // Until the dialog is linked in, the game starts directly, as with --no-dialog.
    }

    std::string placesTried;
    const std::string archivePath = FindArchive(line.dataDir, executableDir, &placesTried);
    if (archivePath.empty()) {
        return Fail(SetupErrorText(
            "StartGame", kErrorFileNotFound,
            "File not found: " + std::string(kArchiveFileName) + "\r\nLooked in:\r\n" + placesTried));
    }
    std::optional<ResourceSet> resources;
    try {
        PakArchive archive;
        archive.OpenQ2Pak(archivePath);
        resources = ResourceSet::FromArchive(archive);
    } catch (const PakError& e) {
        return Fail(SetupErrorText("OpenQ2Pak", kErrorInvalidArchive, e.what()));
    }

    GameState state;
    state.Options = options;
    return StartGame(state, *resources, line);
}
