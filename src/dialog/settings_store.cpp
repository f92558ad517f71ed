#include "dialog/settings_store.h"

#include <QSettings>
#include <QString>

#include "i18n/language.h"
#include "persistence/player_files.h"

namespace {

constexpr int kSettingsVersion = 1;
constexpr int kLargestWindowSide = 16384;
constexpr int kSmallestWindowWidth = 200;
constexpr int kSmallestWindowHeight = 150;

// Every key of the file, each spelled once: reading and writing both go through these tables.
constexpr const char* kVersionKey = "format/version";
constexpr const char* kDeckKey = "game/deck";
constexpr const char* kLanguageKey = "display/language";

struct FlagKey {
    const char* key;
    bool PlayerSettings::*field;
};
constexpr FlagKey kFlagKeys[] = {
    {"game/partnership", &PlayerSettings::Partnership},
    {"game/slowAnimation", &PlayerSettings::SlowAnimation},
    {"game/sevenOfHeartsLead", &PlayerSettings::SevenOfHeartsLead},
    {"game/frenchRules", &PlayerSettings::FrenchRules},
    {"window/windowed", &PlayerSettings::Windowed},
    {"sound/muted", &PlayerSettings::SoundMuted},
    {"game/expertPlayers", &PlayerSettings::ExpertPlayers},
    {"speech/enabled", &PlayerSettings::Speech},
};

struct NumberKey {
    const char* key;
    int PlayerSettings::*field;
    int lo;
    int hi;
};
constexpr NumberKey kNumberKeys[] = {
    {"window/width", &PlayerSettings::WindowWidth, kSmallestWindowWidth, kLargestWindowSide},
    {"window/height", &PlayerSettings::WindowHeight, kSmallestWindowHeight, kLargestWindowSide},
    {"speech/verbosity", &PlayerSettings::SpeechVerbosity, 0, 2},
    {"speech/rate", &PlayerSettings::SpeechRate, -100, 100},
};

// The texts of this file, in one place.
constexpr const char* kSettingsFileName = "settings file";
constexpr const char* kNotReadable = "it is not a settings file Zarn can read";
constexpr const char* kNoVersion = "it has no format version";
constexpr const char* kVersionDamaged = "its format version is damaged";
constexpr const char* kValueDamaged = "the value of {key} is not one it can have";
constexpr const char* kDefaultsThisRun = "this run uses the default settings";
constexpr const char* kNoFolder = "no folder for the settings (neither XDG_CONFIG_HOME nor HOME is set)";
constexpr const char* kCannotWrite = "cannot write {path}";

// A value of the file; a missing key keeps the default, a value of the wrong kind is damage.
class SettingsReader {
public:
    explicit SettingsReader(QSettings& store) : store_(store) {}

    void Flag(const char* key, bool& value) {
        if (!store_.contains(key)) {
            return;
        }
        const QString text = store_.value(key).toString();
        if (text == "true" || text == "false") {
            value = text == "true";
        } else {
            Fail(key);
        }
    }
    void Number(const char* key, int& value, int lo, int hi) {
        if (!store_.contains(key)) {
            return;
        }
        bool ok = false;
        const int v = store_.value(key).toString().toInt(&ok);
        // 0 stands for "not remembered yet".
        if (ok && (v == 0 || (v >= lo && v <= hi))) {
            value = v;
        } else {
            Fail(key);
        }
    }
    void Deck(const char* key, std::string& value) {
        if (!store_.contains(key)) {
            return;
        }
        const QString text = store_.value(key).toString();
        if (text == "Roya2" || text == "Royal") {
            value = text.toStdString();
        } else {
            Fail(key);
        }
    }
    // A language this version does not ship (a newer one's, or one taken out) is no damage: the
    // desktop's language stands in for it.
    void Language(const char* key, std::string& value) {
        if (!store_.contains(key)) {
            return;
        }
        const std::string text = store_.value(key).toString().toStdString();
        value = text == "en" || IsShippedLanguage(text) ? text : std::string();
    }
    const std::string& Problem() const { return problem_; }

private:
    void Fail(const char* key) {
        if (problem_.empty()) {
            problem_ = FillText(kValueDamaged, {{"key", key}});
        }
    }

    QSettings& store_;
    std::string problem_;
};

}  // namespace

std::filesystem::path SettingsPath() {
    const std::filesystem::path folder = ConfigFolder();
    return folder.empty() ? folder : folder / "zarn.conf";
}

LoadedSettings LoadSettings(const std::filesystem::path& file) {
    LoadedSettings loaded;
    std::error_code error;
    if (file.empty() || !std::filesystem::exists(file, error)) {
        return loaded;
    }
    std::string problem;
    PlayerSettings read;
    {
        QSettings store(QString::fromStdString(file.string()), QSettings::IniFormat);
        if (store.status() != QSettings::NoError) {
            problem = kNotReadable;
        } else if (!store.contains(kVersionKey)) {
            problem = kNoVersion;
        } else {
            bool ok = false;
            const int version = store.value(kVersionKey).toString().toInt(&ok);
            if (!ok || version < 1) {
                problem = kVersionDamaged;
            } else if (version > kSettingsVersion) {
                // Not damage: the newer game's file stays as it is, and this run does without it.
                loaded.newerVersion = true;
                loaded.message = NewerFileMessage(kSettingsFileName, file, kDefaultsThisRun);
                return loaded;
            }
        }
        if (problem.empty()) {
            SettingsReader in(store);
            in.Deck(kDeckKey, read.DeckName);
            in.Language(kLanguageKey, read.Language);
            for (const FlagKey& flag : kFlagKeys) {
                in.Flag(flag.key, read.*flag.field);
            }
            for (const NumberKey& number : kNumberKeys) {
                in.Number(number.key, read.*number.field, number.lo, number.hi);
            }
            problem = in.Problem();
        }
    }
    if (problem.empty()) {
        loaded.settings = read;
        loaded.found = true;
        return loaded;
    }
    loaded.message = DamagedFileMessage(kSettingsFileName, file, problem, MoveAside(file));
    return loaded;
}

bool SaveSettings(const std::filesystem::path& file, const PlayerSettings& settings, std::string* error) {
    if (file.empty()) {
        if (error != nullptr) {
            *error = kNoFolder;
        }
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    QSettings store(QString::fromStdString(file.string()), QSettings::IniFormat);
    store.clear();
    store.setValue(kVersionKey, kSettingsVersion);
    store.setValue(kDeckKey, QString::fromStdString(settings.DeckName));
    store.setValue(kLanguageKey, QString::fromStdString(settings.Language));
    for (const FlagKey& flag : kFlagKeys) {
        store.setValue(flag.key, settings.*flag.field);
    }
    for (const NumberKey& number : kNumberKeys) {
        store.setValue(number.key, settings.*number.field);
    }
    // QSettings writes through a temporary file that it renames over the old one.
    store.sync();
    if (store.status() != QSettings::NoError) {
        if (error != nullptr) {
            *error = FillText(kCannotWrite, {{"path", file.string()}});
        }
        return false;
    }
    return true;
}

void ApplySettings(const PlayerSettings& settings, GameOptions& options) {
    options.DeckName = settings.DeckName;
    options.Partnership = settings.Partnership;
    options.SlowAnimation = settings.SlowAnimation;
    options.SevenOfHeartsLead = settings.SevenOfHeartsLead;
    options.PortugueseRules = !settings.FrenchRules;
    options.FullScreen = !settings.Windowed;
    options.Players = settings.ExpertPlayers ? PlayerLevel::Expert : PlayerLevel::Classic;
    ApplyRules(options);
}

void TakeChoices(const GameOptions& options, PlayerSettings& settings) {
    settings.DeckName = options.DeckName;
    settings.Partnership = options.Partnership;
    settings.SlowAnimation = options.SlowAnimation;
    settings.SevenOfHeartsLead = options.SevenOfHeartsLead;
    settings.FrenchRules = !options.PortugueseRules;
    settings.Windowed = !options.FullScreen;
    settings.ExpertPlayers = options.Players == PlayerLevel::Expert;
}

SpokenPlayChoice SpokenPlayOf(const PlayerSettings& settings) {
    return {.on = settings.Speech, .verbosity = settings.SpeechVerbosity, .rate = settings.SpeechRate};
}

void TakeSpokenPlay(const SpokenPlayChoice& choice, PlayerSettings& settings) {
    settings.Speech = choice.on;
    settings.SpeechVerbosity = choice.verbosity;
    settings.SpeechRate = choice.rate;
}
