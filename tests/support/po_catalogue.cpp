#include "po_catalogue.h"

#include <fstream>

namespace {

// The text of a quoted PO string, its escapes undone.
std::string Unquote(const std::string& line) {
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    std::string text;
    for (size_t i = open + 1; i < close; ++i) {
        if (line[i] == '\\' && i + 1 < close) {
            const char escaped = line[++i];
            text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        } else {
            text += line[i];
        }
    }
    return text;
}

}  // namespace

std::vector<PoMessage> ReadPoCatalogue(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<PoMessage> messages;
    PoMessage message;
    std::string* open = nullptr;  // the field a continued string belongs to
    const auto finish = [&] {
        if (!message.msgid.empty()) {
            messages.push_back(std::move(message));
        }
        message = {};
        open = nullptr;
    };
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) {
            finish();
        } else if (line.starts_with("#:")) {
            message.references += line + " ";
        } else if (line.starts_with("#.")) {
            message.notes += line + "\n";
        } else if (line.starts_with("msgctxt ")) {
            message.context = Unquote(line);
            open = &message.context;
        } else if (line.starts_with("msgid ")) {
            message.msgid = Unquote(line);
            open = &message.msgid;
        } else if (line.starts_with("msgstr")) {
            message.translations.push_back(Unquote(line));
            open = &message.translations.back();
        } else if (line.starts_with("\"") && open != nullptr) {
            *open += Unquote(line);
        } else if (!line.starts_with("#")) {
            open = nullptr;  // msgid_plural: its text is not needed
        }
    }
    finish();
    return messages;
}
