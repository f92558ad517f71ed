#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Every test binary runs headless, whether CTest or a person starts it: SDL's dummy drivers and Qt's
// offscreen platform, unless the caller chose otherwise. The player's folders (settings, saved match,
// statistics) and HOME point into a fresh temporary folder, so no test, and no game a test starts,
// ever reads or writes the player's own files.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string home = (std::filesystem::temp_directory_path() / "zarn-test-home-XXXXXX").string();
    const bool ownHome = mkdtemp(home.data()) != nullptr;
    if (!ownHome) {
        std::fputs("cannot make a temporary home for the tests\n", stderr);
        return 1;
    }
    {
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "HOME"}) {
            const std::filesystem::path folder = std::filesystem::path(home) / variable;
            std::filesystem::create_directories(folder);
            setenv(variable, folder.c_str(), 1);
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return result;
}
