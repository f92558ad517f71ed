#pragma once

#include <memory>
#include <string>

class QTranslator;

// The language of a Qt entry point's windows: the game's own texts (its gettext catalogues) and Qt's
// texts of the standard buttons and boxes (Qt's own translations). Made after the QApplication, which
// sets the C library's locale anew, and destroyed before it.
class DialogLanguage {
public:
    DialogLanguage();
    ~DialogLanguage();
    DialogLanguage(const DialogLanguage&) = delete;
    DialogLanguage& operator=(const DialogLanguage&) = delete;

    // Speaks the language of `setting`: "" the desktop's, "en" English, or a shipped language's code;
    // one that is not shipped counts as the desktop's. Without a catalogue for it, English. Returns
    // the language now spoken ("" for English).
    std::string Use(const std::string& setting);

private:
    std::unique_ptr<QTranslator> qtTexts_;
};
