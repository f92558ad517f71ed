#include "shell/program.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "archive/language_archive.h"
#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "cards/game_state.h"
#include "dialog/archive_browser.h"
#include "dialog/startup_dialog.h"
#include "i18n/language.h"
#include "i18n/translation.h"
#include "platform/setup_error.h"
#include "shell/game_session.h"
#include "shell/match_start.h"
#include "shell/resource_loading.h"

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
int Fail(int& argc, char** argv, const std::string& text, const std::string& languageSetting) {
    ShowStartupError(argc, argv, text, languageSetting);
    return kExitSetupFailed;
}

}  // namespace

int RunProgram(int& argc, char** argv, const CommandLine& line, GameDriver& driver, bool keepDemo) {
    const std::string executableDir = ExecutableDir(argc > 0 ? argv[0] : nullptr);
    SpeakChosenLanguage("", executableDir);
    if (line.statistics) {
        return PrintStatistics();
    }

    // The remembered settings, then the command line for this run only.
    RunFiles files = OpenRunFiles(line, keepDemo);
    std::string language = SpeakChosenLanguage(files.settings.Language, executableDir);
    GameOptions options;
    ApplySettings(files.settings, options);
    ApplyCommandLine(line, options);

    if (line.pakBrowser) {
        return RunArchiveBrowser(argc, argv, files.settings.Language);
    }

    std::string placesTried;
    const std::string archivePath = FindArchive(line.dataDir, executableDir, &placesTried);
    if (archivePath.empty()) {
        return Fail(argc, argv,
                    SetupErrorText("StartGame", kErrorFileNotFound, ArchiveNotFoundMessage(placesTried)),
                    files.settings.Language);
    }
    std::optional<ResourceSet> resources;
    try {
        PakArchive archive;
        archive.OpenQ2Pak(archivePath);
        resources = ResourceSet::FromArchive(archive);
    } catch (const PakError& e) {
        return Fail(argc, argv, SetupErrorText("OpenQ2Pak", kErrorInvalidArchive, e.what()),
                    files.settings.Language);
    }

    if (!line.noDialog) {
        // The dialog runs in its own Qt application, gone again before SDL starts.
        try {
            // --speech presets the dialog's switch like the other options.
            SpokenPlayChoice speech = SpokenPlayOf(files.settings);
            speech.on = speech.on || line.speech;
            DialogChoices choices{
                .language = files.settings.Language, .resume = files.resume, .spokenPlay = speech};
            if (RunStartupDialog(argc, argv, options, *resources, MakeMatchOffer(files, line), choices) ==
                DialogOutcome::Quit) {
                return 0;
            }
            files.resume = choices.resume;
            // The language chosen in the dialog is the table's from now on, and remembered.
            files.settings.Language = choices.language;
            language = SpeakChosenLanguage(files.settings.Language, executableDir);
            // Spoken play as the dialog left it plays this run; a switch the command line set stays
            // this run's only, but the level and rate are kept.
            files.speechThisRun = choices.spokenPlay.on;
            const bool keptOn = line.speech ? files.settings.Speech : choices.spokenPlay.on;
            TakeSpokenPlay(choices.spokenPlay, files.settings);
            files.settings.Speech = keptOn;
            ApplyRules(options);
            RememberChoices(files, line, options);
        } catch (const std::runtime_error& e) {
            // The game starts only from the dialog's start button, or when the player skips the dialog.
            std::fprintf(stderr, "%s\n",
                         FillText(Tr("zarn: the startup dialog could not be shown ({reason}); start the game "
                                     "with --no-dialog to play without it."),
                                  {{"reason", e.what()}})
                             .c_str());
            return kExitSetupFailed;
        }
    }

    GameState state;
    state.Options = options;
    const GameParts parts{
        .state = state,
        .resources = *resources,
        .line = line,
        .files = StartSessionFiles(files, line),
        .scaledArchivePath =
            (std::filesystem::path(archivePath).parent_path() / std::string(kScaledArchiveFileName)).string(),
        .language = language,
        .languageArchivePath = LanguageArchivePath(archivePath),
    };
    return RunGame(parts, driver);
}
