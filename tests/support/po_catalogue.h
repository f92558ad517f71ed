#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What the tests read of a translation catalogue (po/LANG.po): each message with where it is used, its
// translator notes and its translations (msgstr, or every plural form). The header and obsolete
// messages are left out.
struct PoMessage {
    std::string context;
    std::string msgid;
    std::string references;  // the "#:" lines, where the text is used
    std::string notes;       // the "#." lines, the translators' notes
    std::vector<std::string> translations;
};

std::vector<PoMessage> ReadPoCatalogue(const std::filesystem::path& file);
