#include "shell/match_start.h"

#include <cstdio>

#include "persistence/statistics.h"

int PrintStatistics() {
    const LoadedStatistics loaded = LoadStatistics(StatisticsPath());
    if (!loaded.message.empty()) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
    }
    std::fputs(StatisticsText(loaded.records).c_str(), stdout);
    return loaded.message.empty() ? 0 : 1;
}

MatchOffer MakeMatchOffer(const MatchKeeper& keeper, const CommandLine& line, const std::string& notice) {
    MatchOffer offer;
    if (const GameState* saved = keeper.SavedMatch()) {
        offer.savedMatch = SummarizeSavedMatch(*saved);
    }
    offer.resumeByDefault = !line.newMatch && !line.seed;
    offer.statisticsFile = StatisticsPath();
    offer.records = LoadStatistics(offer.statisticsFile).records;
    offer.notice = notice;
    return offer;
}

void RememberChoices(const CommandLine& line, const GameOptions& chosen, PlayerSettings& settings) {
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
}

void RememberWindow(const CommandLine& line, bool windowed, int width, int height, PlayerSettings& settings) {
    if (line.windowed) {
        return;
    }
    settings.Windowed = windowed;
    if (windowed && width > 0 && height > 0) {
        settings.WindowWidth = width;
        settings.WindowHeight = height;
    }
}
