#pragma once

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// A temporary home for one test: XDG_STATE_HOME, XDG_DATA_HOME, XDG_CONFIG_HOME and HOME point into
// it while the test runs, so the player's own files are never touched.
class PlayerFolder {
public:
    PlayerFolder() {
        static std::atomic<int> counter{0};
        root_ = std::filesystem::temp_directory_path() /
                ("zarn-player-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        Point("XDG_STATE_HOME", "state");
        Point("XDG_DATA_HOME", "data");
        Point("XDG_CONFIG_HOME", "config");
        Point("HOME", "home");
    }
    ~PlayerFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    PlayerFolder(const PlayerFolder&) = delete;
    PlayerFolder& operator=(const PlayerFolder&) = delete;

    std::filesystem::path State() const { return root_ / "state" / "zarn"; }
    std::filesystem::path Data() const { return root_ / "data" / "zarn"; }
    std::filesystem::path Config() const { return root_ / "config" / "zarn"; }
    const std::filesystem::path& Root() const { return root_; }

private:
    void Point(const char* variable, const char* folder) {
        std::filesystem::create_directories(root_ / folder);
        ::setenv(variable, (root_ / folder).c_str(), 1);
    }
    std::filesystem::path root_;
};
