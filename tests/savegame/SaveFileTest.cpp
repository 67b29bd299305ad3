// Saving replaces the old file only once the new one is whole.
#include <csignal>

#include <sys/resource.h>

#include "SaveTestUtil.h"

namespace {

TEST(SaveFile, ReplacesAnOlderSaveAndLeavesNoTemporary) {
    ScratchFolder folder;
    const std::string path = folder.File("game.bch");
    WriteAll(path, "an older save");
    Board board{};
    auto history = NewGame(board);
    Play(board, *history, {"e2e4"});
    ASSERT_TRUE(SaveGame(path, *history));
    EXPECT_EQ(ReadAll(path), SavedGameText(*history));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"game.bch"});
}

TEST(SaveFile, FailuresReturnFalseAndKeepTheOldFile) {
    ScratchFolder folder;
    Board board{};
    auto history = NewGame(board);

    // A folder that does not exist, and one nobody may write to (even as root).
    EXPECT_FALSE(SaveGame(folder.File("no/such/folder/game.bch"), *history));
    EXPECT_FALSE(SaveGame("/proc/brisko-game.bch", *history));

    // The path is a folder: it stays a folder, with nothing added beside it.
    std::filesystem::create_directory(folder.File("taken.bch"));
    WriteAll(folder.File("taken.bch/inside"), "x");
    EXPECT_FALSE(SaveGame(folder.File("taken.bch"), *history));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.bch")));
    EXPECT_EQ(ReadAll(folder.File("taken.bch/inside")), "x");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"taken.bch"});

    // Nothing to save: no position means no file.
    history->Count = 0;
    EXPECT_FALSE(SaveGame(folder.File("empty.bch"), *history));
    EXPECT_FALSE(std::filesystem::exists(folder.File("empty.bch")));
}

TEST(SaveFile, FailureHalfWayKeepsTheOldFile) {
    ScratchFolder folder;
    const std::string path = folder.File("game.bch");
    WriteAll(path, "the previous save");
    Board board{};
    auto history = NewGame(board);
    Play(board, *history, {"g1f3", "g8f6", "f3g1", "f6g8"});
    ASSERT_GT(SavedGameText(*history).size(), 1000u);

    // A file size limit makes the write fail part of the way through, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveGame(path, *history);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(path), "the previous save");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"game.bch"});
}

} // namespace
