#include "cards/phase.h"

std::string_view PhaseText(Phase phase) {
    switch (phase) {
        case Phase::None:
            return "";
        case Phase::DealingCards:
            return "DEALING CARDS";
        case Phase::SelectTrumps:
            return "SELECT TRUMPS";
        case Phase::ShowContract:
            return "SHOW CONTRACT";
        case Phase::NormalPlay:
            return "NORMAL PLAY";
        case Phase::ShowPass:
            return "SHOW PASS";
        case Phase::GettingCardsGathering:
            return "WE ARE GETTING CARDS - GOTHERING";
        case Phase::GettingCards:
            return "WE ARE GETTING CARDS";
        case Phase::EndOfMatch:
            return "END OF MATCH";
        case Phase::Paused:
            return "PAUSED";
        case Phase::GatherAroundFirstCard:
            return "GOTHER AROUND FIRST CARD";
        case Phase::SpreadAheadFirstCard:
            return "SPREAD AHEAD FIRST CARD";
    }
    return "";
}
