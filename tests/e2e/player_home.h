#pragma once

#include <filesystem>
#include <map>
#include <string>

#include <unistd.h>

// A temporary home for the game a test runs: XDG_CONFIG_HOME, XDG_STATE_HOME, XDG_DATA_HOME and HOME
// inside it, with SDL's dummy drivers, as the environment for RunGame. Removed with everything in it.
class PlayerHome {
public:
    explicit PlayerHome(const std::string& name)
        : root_(std::filesystem::temp_directory_path() /
                ("zarn_" + name + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(root_);
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "HOME"}) {
            std::filesystem::create_directories(root_ / variable);
            env_[variable] = (root_ / variable).string();
        }
        env_["SDL_VIDEODRIVER"] = "dummy";
        env_["SDL_AUDIODRIVER"] = "dummy";
    }
    ~PlayerHome() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    PlayerHome(const PlayerHome&) = delete;
    PlayerHome& operator=(const PlayerHome&) = delete;

    const std::map<std::string, std::string>& Env() const { return env_; }
    std::filesystem::path Folder(const char* variable) const { return root_ / variable / "zarn"; }
    std::filesystem::path SaveFile() const { return Folder("XDG_STATE_HOME") / "match.sav"; }
    std::filesystem::path StatisticsFile() const { return Folder("XDG_DATA_HOME") / "statistics"; }
    std::filesystem::path SettingsFile() const { return Folder("XDG_CONFIG_HOME") / "zarn.conf"; }

private:
    std::filesystem::path root_;
    std::map<std::string, std::string> env_;
};
