// A whole match in the pseudo-language, every text the table draws logged: a text that reaches the
// table without going through the catalogues shows, because it lacks the pseudo-language's brackets.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cards/seams.h"
#include "flow/autoplayer.h"
#include "flow/game_frame.h"
#include "i18n/language.h"
#include "i18n/translation.h"
#include "presentation/draw_layout.h"
#include "presentation/memory_canvas.h"
#include "presentation/table_drawing.h"

namespace {

class RecordedTexts final : public DrawnTextLog {
public:
    void Drawn(std::string_view text) override { texts.emplace(text); }
    std::set<std::string> texts;
};

bool HasLetters(const std::string& text) {
    for (const char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            return true;
        }
    }
    return false;
}

TEST(PseudoLanguage, AWholeMatchDrawsNoTextThatMissedTheCatalogues) {
    const auto folder = CatalogueFolder("pseudo", {ZARN_LOCALE_BUILD_DIR});
    ASSERT_TRUE(UseLanguage("pseudo", folder));

    GameState s;
    ApplyRules(s.Options);
    SeededRandom random(11);
    NullSound sound;
    ManualClock clock(0);
    GameServices services{random, sound, clock};
    AutoPlayer player;
    StartNewGame(s, services);
    // The texts are what is looked at; the canvas has no pictures and the fonts draw nothing.
    MemoryCanvas canvas;
    GameFonts fonts;
    RecordedTexts log;
    for (int frame = 0; frame < 1000000 && !(s.MatchOver && s.ContractsPlayed == 20); ++frame) {
        RunGameFrame(s, player.NextInput(s), services, nullptr);
        clock.Advance(50);
        if (frame % 5 == 0) {
            // Now and then with the last trick shown, as holding L shows it.
            const bool lastTrick = s.Aids.LastTrickShown;
            s.Aids.LastTrickShown = frame % 35 == 0;
            DrawTable(canvas, kScreenClipRect, s, fonts, WallClock{9, 30}, &log);
            s.Aids.LastTrickShown = lastTrick;
        }
    }
    DrawTable(canvas, kScreenClipRect, s, fonts, WallClock{9, 30}, &log);
    const std::string matchOver = Tr("Match over");
    UseLanguage("", {});

    ASSERT_TRUE(s.MatchOver);
    EXPECT_GT(log.texts.size(), 50U);
    int overBanner = 0;
    for (const std::string& text : log.texts) {
        if (HasLetters(text)) {
            EXPECT_NE(text.find('['), std::string::npos) << "not translated: \"" << text << "\"";
        }
        overBanner += text.find(matchOver.substr(0, 8)) != std::string::npos ? 1 : 0;
    }
    EXPECT_GT(overBanner, 0) << "the match's end was never drawn";
}

}  // namespace
