// Every shipped translation of the table's texts fits the room its English original has: the banner in
// every state it can be in, the last-trick banner, and every text whose translator note gives a limit
// ("at most N characters"). A translation that does not fit is shortened in its catalogue.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cards/game_state.h"
#include "i18n/language.h"
#include "i18n/translation.h"
#include "i18n/utf8.h"
#include "po_catalogue.h"
#include "presentation/table_drawing.h"

namespace {

std::vector<std::string> ShippedCatalogues() {
    std::vector<std::string> codes;
    std::stringstream list(ZARN_SHIPPED_LINGUAS);
    for (std::string code; std::getline(list, code, ',');) {
        if (!code.empty()) {
            codes.push_back(code);
        }
    }
    return codes;
}

// The limit a translator note gives a text ("at most N characters"); 0: none.
size_t NotedLimit(const PoMessage& message) {
    static const std::regex limit(R"(at most (\d+) (characters|letters))");
    std::smatch m;
    return std::regex_search(message.notes, m, limit) ? std::stoul(m[1]) : 0;
}

class TranslatedTableTexts : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        const auto folder = CatalogueFolder(GetParam(), {ZARN_LOCALE_BUILD_DIR});
        ASSERT_FALSE(folder.empty()) << "no compiled catalogue for " << GetParam();
        ASSERT_TRUE(UseLanguage(GetParam(), folder));
    }
    void TearDown() override { UseLanguage("", {}); }
};

TEST_P(TranslatedTableTexts, TheBannerFitsBeforeTheClockInEveryState) {
    GameState s;
    for (int seat = 1; seat < kSeats; ++seat) {
        s.OpponentName[seat] = "Mary";  // names are four characters at most
    }
    const Phase phases[] = {Phase::DealingCards, Phase::SelectTrumps, Phase::NormalPlay, Phase::EndOfMatch};
    for (int owner = 0; owner < kSeats; ++owner) {
        s.KingdomSeat = static_cast<int16_t>((owner + 1) % kSeats);
        for (const Phase phase : phases) {
            s.Phase = phase;
            for (int contract = 1; contract <= 5; ++contract) {
                s.Contract = static_cast<int16_t>(contract);
                for (const bool flag : {false, true}) {
                    s.ContractMenuOn = flag;
                    s.MatchOver = flag;
                    s.ContractsPlayed = 19;
                    const std::string text = FullBannerText(s);
                    EXPECT_LE(CharacterCount(text), BannerCharacterRoom()) << "\"" << text << "\"";
                }
            }
        }
    }
}

TEST_P(TranslatedTableTexts, TheLastTrickBannerFitsBeforeTheClock) {
    GameState s;
    for (int seat = 1; seat < kSeats; ++seat) {
        s.OpponentName[seat] = "Mary";
    }
    s.Contract = 1;
    for (int winner = 0; winner < kSeats; ++winner) {
        s.Aids.LastTrickCount = 4;
        s.Aids.LastTrickWinner = static_cast<int16_t>(winner);
        const std::string text = LastTrickBannerText(s);
        EXPECT_LE(CharacterCount(text), BannerCharacterRoom()) << "\"" << text << "\"";
    }
    s.Contract = kLayoutContract;
    for (const int laid : {0, 3}) {
        s.Aids.LastLaidCount = static_cast<int16_t>(laid);
        const std::string text = LastTrickBannerText(s);
        EXPECT_LE(CharacterCount(text), BannerCharacterRoom()) << "\"" << text << "\"";
    }
}

TEST_P(TranslatedTableTexts, EveryTextWithALimitKeepsIt) {
    int limited = 0;
    for (const PoMessage& entry : ReadPoCatalogue(std::string(ZARN_PO_DIR) + "/" + GetParam() + ".po")) {
        const size_t limit = NotedLimit(entry);
        if (limit == 0) {
            continue;
        }
        ++limited;
        for (const std::string& translation : entry.translations) {
            EXPECT_LE(CharacterCount(translation), limit)
                << "\"" << entry.msgid << "\" -> \"" << translation << "\"";
        }
    }
    EXPECT_GT(limited, 0) << "the catalogue has lost its translator notes";
}

INSTANTIATE_TEST_SUITE_P(Catalogues, TranslatedTableTexts, ::testing::ValuesIn(ShippedCatalogues()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TranslatedTableTexts);

}  // namespace
