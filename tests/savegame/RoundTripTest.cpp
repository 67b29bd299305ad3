// Saving a game and reading it back gives the same positions; saving never damages an old file.
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/savegame/SaveTestUtil.h"

namespace {

namespace fs = std::filesystem;

const std::string Shuffle = "g1f3 g8f6 f3g1 f6g8 ";

TEST(RoundTrip, EveryPositionComesBackFieldForField) {
    const struct {
        std::string Moves;
        int Outcome;
    } games[] = {
        {"", InProgress},
        {"e2e4 a7a6 e4e5 d7d5 e5d6 g8f6 g1f3 e7e6 f1e2 f8e7 e1g1 b8c6 b2b4 e8g8", InProgress},
        {"a2a4 b7b5 a4b5 h7h5 b5b6 h5h4 b6a7 h4h3 a7b8q h3g2 e2e3 g2f1n", InProgress},
        {Shuffle + Shuffle + Shuffle, Drawn},
        {"f2f3 e7e5 g2g4 d8h4", 2},
        {"e2e4 e7e5 g1f3 back", InProgress}, // only the positions up to the shown one
    };
    for (const auto& game : games) {
        SCOPED_TRACE(game.Moves);
        Board board{};
        const auto history = PlayGame(board, game.Moves);
        ASSERT_EQ(board.Outcome, game.Outcome);

        ScratchFolder folder;
        const std::string path = folder.File("game.bch");
        std::ofstream(path) << "an older save";
        ASSERT_TRUE(SaveGame(path, *history));
        EXPECT_EQ(ReadBytes(path), SavedGameText(*history));
        EXPECT_EQ(folder.Files(), 1) << "no temporary left";

        auto loaded = std::make_unique<History>();
        Board shown{};
        const LoadResult result = LoadGame(path, *loaded, shown);
        ASSERT_TRUE(result.Loaded && result.Message.empty()) << result.Message;
        // Every saved field comes back; those worked out from them are judged in ReadTest.
        EXPECT_EQ(SavedGameText(*loaded), SavedGameText(*history));
        EXPECT_EQ(loaded->Stored, history->Count);
        EXPECT_EQ(std::tie(shown.Outcome, shown.Material, shown.CheckStatus),
                  std::tie(board.Outcome, board.Material, board.CheckStatus));
        EXPECT_EQ(shown.ListVersionSeen, shown.ListVersion) << "the shown board's moves are listed";
    }
}

TEST(RoundTrip, NewGameWritesTheExampleFile) {
    EXPECT_EQ(GameText(""),
              ReadBytes(BRISKO_SOURCE_DIR "/tests/fuzz/seeds/savegame_fuzz/new_game.bch"));
}

TEST(SaveFile, FailuresKeepTheOldFileAndALinkIsSavedThrough) {
    ScratchFolder folder;
    Board board{};
    const auto history = PlayGame(board, Shuffle);
    // No such folder, a place nobody may write to (even as root), a folder or a FIFO in the way.
    fs::create_directory(folder.File("taken.bch"));
    ASSERT_EQ(mkfifo(folder.File("fifo.bch").c_str(), 0600), 0);
    for (const char* name : {"no/such/folder/game.bch", "taken.bch", "fifo.bch"})
        EXPECT_FALSE(SaveGame(folder.File(name), *history)) << name;
    EXPECT_FALSE(SaveGame("/proc/brisko-game.bch", *history));
    EXPECT_TRUE(fs::is_directory(folder.File("taken.bch")) && fs::is_fifo(folder.File("fifo.bch")));

    // A file size limit makes the write fail part of the way through, as a full disk would.
    const std::string real = folder.File("real.bch"), link = folder.File("link.bch");
    std::ofstream(real) << "the previous save";
    ASSERT_GT(SavedGameText(*history).size(), 1000u);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveGame(real, *history);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(real), "the previous save");
    EXPECT_EQ(folder.Files(), 3) << "no temporary left";

    history->Count = 0; // nothing to save: no file
    EXPECT_FALSE(SaveGame(folder.File("empty.bch"), *history));
    EXPECT_FALSE(fs::exists(folder.File("empty.bch")));

    // A link keeps pointing to the file it names, which keeps its permissions.
    history->Count = 2;
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.bch", link);
    ASSERT_TRUE(SaveGame(link, *history));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), SavedGameText(*history));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folder.Files(), 4) << "no temporary left";
}

} // namespace
