#include "shell/match_start.h"

#include <algorithm>
#include <cstdio>

#include "i18n/translation.h"
#include "persistence/statistics.h"

namespace {

// The texts of this file, in one place.
constexpr const char* kSettingsNotSaved = N_("zarn: the settings could not be saved: {reason}");
constexpr const char* kResuming = N_("zarn: resuming the saved match (contract {number} of 20).");

// A settings file of a newer version is never written over: this run's choices are not remembered.
void SaveRemembered(const RunFiles& files) {
    if (!files.rememberSettings) {
        return;
    }
    std::string error;
    if (!SaveSettings(SettingsPath(), files.settings, &error)) {
        std::fprintf(stderr, "%s\n", FillText(Tr(kSettingsNotSaved), {{"reason", error}}).c_str());
    }
}

}  // namespace

int PrintStatistics() {
    const LoadedStatistics loaded = LoadStatistics(StatisticsPath());
    if (!loaded.message.empty()) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
    }
    std::fputs(StatisticsText(loaded.records).c_str(), stdout);
    return loaded.message.empty() ? 0 : 1;
}

RunFiles OpenRunFiles(const CommandLine& line, bool keepDemo) {
    RunFiles files((!line.autoplay || keepDemo) && !line.pakBrowser);
    const LoadedSettings loaded = LoadSettings(SettingsPath());
    files.settings = loaded.settings;
    files.rememberSettings = !loaded.newerVersion;
    files.notice = loaded.message;
    files.keeper.Claim();
    for (const std::string& message : files.keeper.TakeMessages()) {
        files.notice += (files.notice.empty() ? "" : "\n") + message;
    }
    if (!files.notice.empty()) {
        std::fprintf(stderr, "%s\n", files.notice.c_str());
    }
    files.resume = files.keeper.SavedMatch() != nullptr && !line.newMatch && !line.seed;
    return files;
}

MatchOffer MakeMatchOffer(const RunFiles& files, const CommandLine& line) {
    MatchOffer offer;
    if (const GameState* saved = files.keeper.SavedMatch()) {
        offer.savedMatch = SummarizeSavedMatch(*saved);
    }
    offer.resumeByDefault = !line.newMatch && !line.seed;
    offer.statisticsFile = StatisticsPath();
    offer.records = LoadStatistics(offer.statisticsFile).records;
    offer.notice = files.notice;
    return offer;
}

void RememberChoices(RunFiles& files, const CommandLine& line, const GameOptions& chosen) {
    if (!files.keep) {
        return;
    }
    PlayerSettings& settings = files.settings;
    PlayerSettings taken = settings;
    TakeChoices(chosen, taken);
    if (!line.deckName) {
        settings.DeckName = taken.DeckName;
    }
    if (!line.partnership) {
        settings.Partnership = taken.Partnership;
    }
    if (!line.slowAnimation) {
        settings.SlowAnimation = taken.SlowAnimation;
    }
    if (!line.sevenOfHeartsLead) {
        settings.SevenOfHeartsLead = taken.SevenOfHeartsLead;
    }
    if (!line.frenchRules) {
        settings.FrenchRules = taken.FrenchRules;
    }
    if (!line.windowed) {
        settings.Windowed = taken.Windowed;
    }
    if (!line.players) {
        settings.ExpertPlayers = taken.ExpertPlayers;
    }
    SaveRemembered(files);
}

SessionFiles StartSessionFiles(RunFiles& files, const CommandLine& line) {
    const GameState* saved = files.keeper.SavedMatch();
    if (!files.resume) {
        files.keeper.Abandon();
    } else if (saved != nullptr) {
        std::fprintf(
            stderr, "%s\n",
            FillText(Tr(kResuming), {{"number", std::to_string(SummarizeSavedMatch(*saved).ContractNumber)}})
                .c_str());
    }
    SessionFiles session;
    session.keeper = &files.keeper;
    session.resume = files.resume;
    session.windowWidth = files.settings.WindowWidth;
    session.windowHeight = files.settings.WindowHeight;
    session.soundMuted = files.settings.SoundMuted;
    session.rememberSound = [&files](bool muted) {
        // A demo reads the switch but leaves the player's settings alone.
        if (!files.keep || muted == files.settings.SoundMuted) {
            return;
        }
        files.settings.SoundMuted = muted;
        SaveRemembered(files);
    };
    session.speech = SpeechChoices{
        .on = files.speechThisRun.value_or(files.settings.Speech || line.speech),
        .verbosity = static_cast<Verbosity>(std::clamp(files.settings.SpeechVerbosity, 0, 2)),
        .rate = files.settings.SpeechRate,
    };
    session.rememberSpeech = [&files, &line](const SpeechChoices& speech) {
        PlayerSettings& kept = files.settings;
        // Switched on by the command line and left on, it stays the command line's, not the settings'.
        const bool on = line.speech && speech.on ? kept.Speech : speech.on;
        const int verbosity = static_cast<int>(speech.verbosity);
        if (!files.keep ||
            (on == kept.Speech && verbosity == kept.SpeechVerbosity && speech.rate == kept.SpeechRate)) {
            return;
        }
        kept.Speech = on;
        kept.SpeechVerbosity = verbosity;
        kept.SpeechRate = speech.rate;
        SaveRemembered(files);
    };
    session.rememberWindow = [&files, &line](bool windowed, int width, int height) {
        // A demo, or a screen mode chosen on the command line, is not remembered.
        if (!files.keep || line.windowed) {
            return;
        }
        files.settings.Windowed = windowed;
        if (windowed && width > 0 && height > 0) {
            files.settings.WindowWidth = width;
            files.settings.WindowHeight = height;
        }
        SaveRemembered(files);
    };
    return session;
}
