// The choice of a language from the desktop and the settings, the texts' UTF-8, and gettext answering in
// the chosen language (and in English again after it).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>

#include "i18n/language.h"
#include "i18n/translation.h"
#include "i18n/utf8.h"

namespace {

EnvironmentReader Environment(std::map<std::string, std::string> values) {
    return [values = std::move(values)](const char* name) -> const char* {
        const auto found = values.find(name);
        return found == values.end() || found->second.empty() ? nullptr : found->second.c_str();
    };
}

TEST(DesktopLanguage, FollowsGettextsOrderOfTheVariables) {
    struct Case {
        std::map<std::string, std::string> env;
        std::string expected;
    };
    const Case cases[] = {
        {{}, ""},
        {{{"LANG", "de_DE.UTF-8"}}, "de"},
        {{{"LANG", "de_AT.UTF-8@euro"}}, "de"},
        {{{"LANG", "pt_BR.UTF-8"}}, "pt_BR"},
        {{{"LANG", "pt_PT.UTF-8"}}, "pt_BR"},  // the nearest Portuguese shipped
        {{{"LANG", "ja_JP.UTF-8"}}, ""},       // no catalogue: English
        {{{"LANG", "en_GB.UTF-8"}}, ""},
        {{{"LANG", "C.UTF-8"}}, ""},
        {{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "sv_SE.UTF-8"}}, "sv"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "sv_SE.UTF-8"}, {"LC_ALL", "ru_RU.UTF-8"}}, "ru"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "ja:pl:de"}}, "pl"},  // the first with a catalogue
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "en_US:de"}}, ""},    // English before any other
        {{{"LANG", "C"}, {"LANGUAGE", "de"}}, ""},                    // LANGUAGE needs a locale
        {{{"LC_ALL", "POSIX"}, {"LANG", "de_DE.UTF-8"}}, ""},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", ""}}, "fr"},
    };
    for (const Case& c : cases) {
        std::string described;
        for (const auto& [name, value] : c.env) {
            described += name + "=" + value + " ";
        }
        EXPECT_EQ(DesktopLanguage(Environment(c.env)), c.expected) << described;
    }
}

TEST(DesktopLanguage, TakesAnyLanguageWithACatalogue) {
    const auto onlyPseudo = [](const std::string& code) { return code == "pseudo"; };
    EXPECT_EQ(DesktopLanguage(Environment({{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "pseudo"}}), onlyPseudo),
              "pseudo");
    EXPECT_EQ(DesktopLanguage(Environment({{"LANG", "de_DE.UTF-8"}}), onlyPseudo), "");
}

TEST(ChosenLanguage, TheSettingOverridesTheDesktopWhenItCanBeSpoken) {
    const EnvironmentReader german = Environment({{"LANG", "de_DE.UTF-8"}});
    EXPECT_EQ(ChosenLanguage("", german), "de");
    EXPECT_EQ(ChosenLanguage("fr", german), "fr");
    EXPECT_EQ(ChosenLanguage("en", german), "");
    EXPECT_EQ(ChosenLanguage("klingon", german), "de");  // an unknown value: the desktop's
    const auto noFrench = [](const std::string& code) { return code != "fr" && IsShippedLanguage(code); };
    EXPECT_EQ(ChosenLanguage("fr", german, noFrench), "de");  // its catalogue is missing
}

TEST(ShippedLanguages, AreTheLanguagesOfTheCataloguesList) {
    std::ifstream list(ZARN_PO_DIR "/LINGUAS");
    std::set<std::string> listed;
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line[0] != '#') {
            listed.insert(line);
        }
    }
    std::set<std::string> shipped;
    for (const ShippedLanguage& language : ShippedLanguages()) {
        shipped.insert(language.code);
        EXPECT_GT(CharacterCount(language.name), 0U);
    }
    EXPECT_EQ(shipped, listed);
}

TEST(Utf8, DecodesCountsAndCutsByCharacters) {
    struct Case {
        std::string text;
        char32_t first;
        size_t firstBytes;
        size_t characters;
    };
    const Case cases[] = {
        {"", 0, 0, 0},
        {"Zarn", U'Z', 1, 4},
        {"\xc3\xa9t\xc3\xa9", U'\u00e9', 2, 3},         // été
        {"\xd0\x94\xd0\xb0", U'\u0414', 2, 2},          // Да
        {"\xe2\x80\x94", U'\u2014', 3, 1},              // an em dash
        {"\xf0\x9f\x82\xa1", U'\U0001F0A1', 4, 1},      // a playing card
        {"\xc3", kReplacementCharacter, 1, 1},          // cut short
        {"\xc0\xaf", kReplacementCharacter, 1, 2},      // overlong
        {"\xed\xa0\x80", kReplacementCharacter, 1, 3},  // a surrogate
        {"\x80z", kReplacementCharacter, 1, 2},         // a stray continuation byte
    };
    for (const Case& c : cases) {
        const DecodedCharacter decoded = DecodeCharacter(c.text);
        EXPECT_EQ(decoded.character, c.first) << c.text;
        EXPECT_EQ(decoded.bytes, c.firstBytes) << c.text;
        EXPECT_EQ(CharacterCount(c.text), c.characters) << c.text;
    }
    EXPECT_EQ(CharacterPrefix("\xc5\x81\xc3\xb3"
                              "d\xc5\xba",
                              2),
              "\xc5\x81\xc3\xb3");  // Łódź -> Łó
    EXPECT_EQ(CharacterPrefix("abc", 10), "abc");
}

// gettext keeps what it has translated; a change of language must not answer from the old one.
TEST(UseLanguage, AnswersInTheChosenLanguageAndInEnglishAgainAfterIt) {
    const std::filesystem::path folder = CatalogueFolder("pseudo", {ZARN_LOCALE_BUILD_DIR});
    ASSERT_FALSE(folder.empty()) << "the pseudo-language catalogue is built with the tests";
    const char* english = "Choose a contract";
    EXPECT_STREQ(Tr(english), english);

    ASSERT_TRUE(UseLanguage("pseudo", folder));
    const std::string translated = Tr(english);
    EXPECT_EQ(translated.front(), '[');
    EXPECT_NE(translated.find("h\xc3\xb5\xc3\xb5\xc5\xa1\xc3\xa9"), std::string::npos) << translated;
    EXPECT_GE(CharacterCount(translated), CharacterCount(english) * 14 / 10);
    EXPECT_EQ(std::string(TrIn("contract", "Queens")).front(), '[');

    ASSERT_FALSE(UseLanguage("", {}));
    EXPECT_STREQ(Tr(english), english);
    EXPECT_STREQ(TrIn("contract", "Queens"), "Queens");
    EXPECT_EQ(TrPlural("one", "many", 1), "one");
    EXPECT_EQ(TrPlural("one", "many", 2), "many");

    // A language without a catalogue there leaves the game in English.
    EXPECT_FALSE(UseLanguage("de", {}));
    EXPECT_STREQ(Tr(english), english);
}

TEST(FillText, PutsEachValueInItsPlace) {
    EXPECT_EQ(FillText("{b} before {a}", {{"a", "1"}, {"b", "2"}}), "2 before 1");
    EXPECT_EQ(FillText("no place", {{"a", "1"}}), "no place");
}

}  // namespace
