#include "i18n/translation.h"

#include <libintl.h>

#include <string>

namespace {

constexpr const char* kDomain = "zarn";

}  // namespace

const char* Tr(const char* english) {
    return english == nullptr || *english == '\0' ? "" : dgettext(kDomain, english);
}

const char* TrIn(const char* context, const char* english) {
    if (english == nullptr || *english == '\0') {
        return "";
    }
    // A context is kept in the catalogue as "context\004text"; gettext hands back the key itself
    // when it has no translation.
    const std::string key = std::string(context) + '\004' + english;
    const char* translated = dgettext(kDomain, key.c_str());
    return translated == key.c_str() || key == translated ? english : translated;
}

std::string TrPlural(const char* singular, const char* plural, unsigned long count) {
    return dngettext(kDomain, singular, plural, count);
}

std::string FillText(std::string pattern, std::initializer_list<std::pair<const char*, std::string>> values) {
    for (const auto& [name, value] : values) {
        const std::string key = std::string("{") + name + "}";
        const size_t at = pattern.find(key);
        if (at != std::string::npos) {
            pattern.replace(at, key.size(), value);
        }
    }
    return pattern;
}
