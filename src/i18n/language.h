#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The languages Zarn speaks and the choice of one: the desktop's (LANGUAGE, LC_ALL, LC_MESSAGES, LANG,
// as gettext reads them) or the player's own from the settings. English is the texts themselves and
// needs no catalogue.

struct ShippedLanguage {
    const char* code;  // as the catalogue's folder is named: "de", "pt_BR"
    const char* name;  // in the language itself, as the Options tab lists it
};

// Every language with a catalogue in po/ (po/LINGUAS), English not among them.
std::span<const ShippedLanguage> ShippedLanguages();
bool IsShippedLanguage(const std::string& code);

// Reads an environment variable; empty or absent gives nullptr.
using EnvironmentReader = std::function<const char*(const char*)>;
const char* ProcessEnvironment(const char* name);

// Whether a language has a catalogue to speak it with ("de", "pt_BR").
using CatalogueCheck = std::function<bool(const std::string& code)>;

// The language the desktop asks for, "" for English: the first entry of LANGUAGE's list, then the
// locale (LC_ALL, else LC_MESSAGES, else LANG), that has a catalogue, by its full name ("pt_BR") or by
// its language alone ("de" for "de_AT.UTF-8"). As gettext does, LANGUAGE counts only when the locale is
// not C/POSIX, and an English entry before any translated one means English.
std::string DesktopLanguage(const EnvironmentReader& environment = ProcessEnvironment,
                            const CatalogueCheck& hasCatalogue = IsShippedLanguage);

// The language a run speaks: the player's choice from the settings when it is shipped ("en" for
// English), else the desktop's.
std::string ChosenLanguage(const std::string& setting,
                           const EnvironmentReader& environment = ProcessEnvironment,
                           const CatalogueCheck& hasCatalogue = IsShippedLanguage);

// Where catalogues are looked for, in order: $ZARN_LOCALEDIR, locale/ beside the executable (the build
// tree), ../share/locale beside it (an installed game), then the folder the build was installed for.
std::vector<std::filesystem::path> LocaleFolders(const std::filesystem::path& executableDir,
                                                 const EnvironmentReader& environment = ProcessEnvironment);

// The first of `folders` holding `code`'s catalogue; empty when none does.
std::filesystem::path CatalogueFolder(const std::string& code,
                                      const std::vector<std::filesystem::path>& folders);

// Makes every Tr answer in the language a run speaks (ChosenLanguage of `setting`, among the languages
// whose catalogue is found in LocaleFolders(executableDir)); English when none is. Gives the language now
// spoken, "" for English. Every entry point of the program (the game, the dialog, the archive browser)
// speaks through this one choice.
std::string SpeakChosenLanguage(const std::string& setting, const std::filesystem::path& executableDir);

// Makes every Tr answer in `code` ("" for English), from the catalogue in `folder`. Returns false (and
// leaves the game in English) when `code` has no catalogue there. Safe to call again to change the
// language or after a library (Qt) has set the locale anew.
bool UseLanguage(const std::string& code, const std::filesystem::path& folder);
