#include "dialog/settings_store.h"

#include <QSettings>
#include <QString>

#include "persistence/player_files.h"

namespace {

constexpr int kSettingsVersion = 1;
constexpr int kLargestWindowSide = 16384;
constexpr int kSmallestWindowWidth = 200;
constexpr int kSmallestWindowHeight = 150;

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
    const std::string& Problem() const { return problem_; }

private:
    void Fail(const char* key) {
        if (problem_.empty()) {
            problem_ = std::string("the value of ") + key + " is not one it can have";
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
            problem = "it is not a settings file Zarn can read";
        } else if (!store.contains("format/version")) {
            problem = "it has no format version";
        } else {
            bool ok = false;
            const int version = store.value("format/version").toString().toInt(&ok);
            if (!ok || version < 1) {
                problem = "its format version is damaged";
            } else if (version > kSettingsVersion) {
                problem = "it was written by a newer version of the game";
            }
        }
        if (problem.empty()) {
            SettingsReader in(store);
            in.Deck("game/deck", read.DeckName);
            in.Flag("game/partnership", read.Partnership);
            in.Flag("game/slowAnimation", read.SlowAnimation);
            in.Flag("game/sevenOfHeartsLead", read.SevenOfHeartsLead);
            in.Flag("game/frenchRules", read.FrenchRules);
            in.Flag("window/windowed", read.Windowed);
            in.Number("window/width", read.WindowWidth, kSmallestWindowWidth, kLargestWindowSide);
            in.Number("window/height", read.WindowHeight, kSmallestWindowHeight, kLargestWindowSide);
            in.Flag("sound/muted", read.SoundMuted);
            in.Flag("game/expertPlayers", read.ExpertPlayers);
            problem = in.Problem();
        }
    }
    if (problem.empty()) {
        loaded.settings = read;
        loaded.found = true;
        return loaded;
    }
    loaded.message = DamagedFileMessage("settings file", file, problem, MoveAside(file));
    return loaded;
}

bool SaveSettings(const std::filesystem::path& file, const PlayerSettings& settings, std::string* error) {
    if (file.empty()) {
        if (error != nullptr) {
            *error = "no folder for the settings (neither XDG_CONFIG_HOME nor HOME is set)";
        }
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    QSettings store(QString::fromStdString(file.string()), QSettings::IniFormat);
    store.clear();
    store.setValue("format/version", kSettingsVersion);
    store.setValue("game/deck", QString::fromStdString(settings.DeckName));
    store.setValue("game/partnership", settings.Partnership);
    store.setValue("game/slowAnimation", settings.SlowAnimation);
    store.setValue("game/sevenOfHeartsLead", settings.SevenOfHeartsLead);
    store.setValue("game/frenchRules", settings.FrenchRules);
    store.setValue("window/windowed", settings.Windowed);
    store.setValue("window/width", settings.WindowWidth);
    store.setValue("window/height", settings.WindowHeight);
    store.setValue("sound/muted", settings.SoundMuted);
    store.setValue("game/expertPlayers", settings.ExpertPlayers);
    // QSettings writes through a temporary file that it renames over the old one.
    store.sync();
    if (store.status() != QSettings::NoError) {
        if (error != nullptr) {
            *error = "cannot write " + file.string();
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
