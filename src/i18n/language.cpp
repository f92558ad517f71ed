#include "i18n/language.h"

#include <libintl.h>

#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace fs = std::filesystem;

// glibc counts catalogue changes here; raising it makes gettext drop the translations it has cached.
extern "C" int _nl_msg_cat_cntr;

namespace {

constexpr const char* kDomain = "zarn";

constexpr std::array<ShippedLanguage, 12> kShipped{{
    {"cs",
     "\xc4\x8c"
     "e\xc5\xa1tina"},
    {"de", "Deutsch"},
    {"es", "Espa\xc3\xb1ol"},
    {"fr",
     "Fran\xc3\xa7"
     "ais"},
    {"hu", "Magyar"},
    {"it", "Italiano"},
    {"nl", "Nederlands"},
    {"pl", "Polski"},
    {"pt_BR", "Portugu\xc3\xaas (Brasil)"},
    {"ru", "\xd0\xa0\xd1\x83\xd1\x81\xd1\x81\xd0\xba\xd0\xb8\xd0\xb9"},
    {"sv", "Svenska"},
    {"tr",
     "T\xc3\xbcrk\xc3\xa7"
     "e"},
}};

bool IsCLocale(std::string_view locale) {
    const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
    return base.empty() || base == "C" || base == "POSIX";
}

// "de_AT.UTF-8@euro" -> "de_AT" or "de", whichever has a catalogue; "en" for English; "" when none.
std::string CatalogueMatch(std::string_view entry, const CatalogueCheck& hasCatalogue) {
    const std::string name(entry.substr(0, entry.find_first_of(".@")));
    const std::string language = name.substr(0, name.find('_'));
    if (language == "en") {
        return "en";
    }
    if (!name.empty() && hasCatalogue(name)) {
        return name;
    }
    if (!language.empty() && hasCatalogue(language)) {
        return language;
    }
    // Portuguese is shipped as spoken in Brazil: the nearest for any Portuguese desktop.
    for (const ShippedLanguage& shipped : kShipped) {
        const std::string code(shipped.code);
        if (code.substr(0, code.find('_')) == language && hasCatalogue(code)) {
            return code;
        }
    }
    return "";
}

}  // namespace

std::span<const ShippedLanguage> ShippedLanguages() {
    return kShipped;
}

bool IsShippedLanguage(const std::string& code) {
    for (const ShippedLanguage& shipped : kShipped) {
        if (code == shipped.code) {
            return true;
        }
    }
    return false;
}

const char* ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

std::string DesktopLanguage(const EnvironmentReader& environment, const CatalogueCheck& hasCatalogue) {
    const char* locale = nullptr;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if ((locale = environment(variable)) != nullptr) {
            break;
        }
    }
    if (locale == nullptr || IsCLocale(locale)) {
        return "";
    }
    std::vector<std::string_view> entries;
    if (const char* language = environment("LANGUAGE"); language != nullptr) {
        std::string_view list(language);
        while (!list.empty()) {
            const size_t colon = list.find(':');
            entries.push_back(list.substr(0, colon));
            list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
        }
    }
    entries.emplace_back(locale);
    for (std::string_view entry : entries) {
        const std::string match = CatalogueMatch(entry, hasCatalogue);
        if (match == "en") {
            return "";
        }
        if (!match.empty()) {
            return match;
        }
    }
    return "";
}

std::string ChosenLanguage(const std::string& setting, const EnvironmentReader& environment,
                           const CatalogueCheck& hasCatalogue) {
    if (setting == "en") {
        return "";
    }
    if (IsShippedLanguage(setting) && hasCatalogue(setting)) {
        return setting;
    }
    return DesktopLanguage(environment, hasCatalogue);
}

std::vector<fs::path> LocaleFolders(const fs::path& executableDir, const EnvironmentReader& environment) {
    std::vector<fs::path> folders;
    if (const char* own = environment("ZARN_LOCALEDIR"); own != nullptr) {
        folders.emplace_back(own);
    }
    if (!executableDir.empty()) {
        folders.push_back(executableDir / "locale");
        folders.push_back(executableDir.parent_path() / "share" / "locale");
    }
#ifdef ZARN_INSTALLED_LOCALEDIR
    folders.emplace_back(ZARN_INSTALLED_LOCALEDIR);
#endif
    return folders;
}

fs::path CatalogueFolder(const std::string& code, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        std::error_code ignored;
        if (fs::is_regular_file(folder / code / "LC_MESSAGES" / (std::string(kDomain) + ".mo"), ignored)) {
            return folder;
        }
    }
    return {};
}

std::string SpeakChosenLanguage(const std::string& setting, const fs::path& executableDir) {
    const std::vector<fs::path> folders = LocaleFolders(executableDir);
    const auto found = [&folders](const std::string& code) {
        return !CatalogueFolder(code, folders).empty();
    };
    const std::string code = ChosenLanguage(setting, ProcessEnvironment, found);
    return UseLanguage(code, code.empty() ? fs::path{} : CatalogueFolder(code, folders)) ? code : "";
}

bool UseLanguage(const std::string& code, const fs::path& folder) {
    const bool translated = !code.empty() && !folder.empty();
    // gettext reads LANGUAGE only when the messages locale is not C; the desktop's locale may not be
    // installed (or be C), and C.UTF-8 is always there. Only the messages category is touched: numbers
    // and everything else the game formats stay as they are.
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (messages == nullptr || IsCLocale(messages)) {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    // An English player gets the texts themselves: no catalogue is named "en".
    setenv("LANGUAGE", translated ? code.c_str() : "en", 1);
    bindtextdomain(kDomain, translated ? folder.c_str() : "/nonexistent");
    bind_textdomain_codeset(kDomain, "UTF-8");
    ++_nl_msg_cat_cntr;
    return translated;
}
