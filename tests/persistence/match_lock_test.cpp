// The saved match belongs to one running game: a second game plays unsaved; a crashed game's lock is gone.
#include <gtest/gtest.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include "flow_harness.h"
#include "persistence/match_keeper.h"
#include "persistence/player_files.h"
#include "player_folder.h"

namespace {

TEST(MatchLock, ASecondGamePlaysUnsavedButStillRecords) {
    PlayerFolder folder;
    MatchKeeper first = MatchKeeper::ForPlayer(true);
    ASSERT_TRUE(first.Claim());
    MatchKeeper second = MatchKeeper::ForPlayer(true);
    EXPECT_FALSE(second.Claim());
    EXPECT_FALSE(second.Saving());
    const auto messages = second.TakeMessages();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("another Zarn game"), std::string::npos);

    // The second game's match is never written over the first one's save.
    FlowHarness h(3);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.SavePoints >= 2; }));
    second.AfterFrame(h.s, h.random, 0);
    second.Save(h.s, h.random, 0);
    EXPECT_FALSE(std::filesystem::exists(first.SavePath()));
    first.Save(h.s, h.random, 0);
    EXPECT_TRUE(std::filesystem::exists(first.SavePath()));
}

TEST(MatchLock, AKilledGameLeavesNoLockBehind) {
    PlayerFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        MatchKeeper keeper = MatchKeeper::ForPlayer(true);
        const char held = keeper.Claim() ? 'y' : 'n';
        (void)::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    // Not an ASSERT: the child is ended below whatever it answered.
    EXPECT_EQ(held, 'y') << "the first game never held the lock";
    EXPECT_FALSE(MatchKeeper::ForPlayer(true).Claim());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_TRUE(MatchKeeper::ForPlayer(true).Claim());
}

TEST(MatchLock, TheDemoKeepsNothing) {
    PlayerFolder folder;
    MatchKeeper demo = MatchKeeper::ForPlayer(false);
    EXPECT_FALSE(demo.Claim());
    FlowHarness h(3);
    h.Start();
    ASSERT_TRUE(h.PlayUntil([](const GameState& s) { return s.SavePoints >= 2; }));
    demo.AfterFrame(h.s, h.random, 0);
    demo.Save(h.s, h.random, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.State()));
    // And a demo that another game's lock would refuse claims nothing either.
    EXPECT_TRUE(MatchKeeper::ForPlayer(true).Claim());
}

TEST(PlayerFiles, FoldersFollowTheXdgVariablesWithHomeAsFallback) {
    PlayerFolder folder;
    EXPECT_EQ(StateFolder(), folder.State());
    EXPECT_EQ(ConfigFolder(), folder.Config());
    ::setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(DataFolder(), folder.Root() / "home" / ".local/share" / "zarn");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(StateFolder(), folder.Root() / "home" / ".local/state" / "zarn");
}

}  // namespace
