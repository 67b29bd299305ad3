// Saving a game and reading it back gives the same positions; saving never damages an old file.
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/common/ScratchFolder.h"
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
        ASSERT_TRUE(result.Loaded) << result.Message;
        EXPECT_EQ(result.Message, "");
        ASSERT_EQ(loaded->Count, history->Count);
        EXPECT_EQ(loaded->Stored, history->Count);
        for (int i = 0; i < history->Count; ++i)
            ExpectSamePosition(history->Snapshots[i], loaded->Snapshots[i], i);
        ExpectSamePosition(board, shown, history->Count - 1);
        EXPECT_EQ(shown.ListVersionSeen, shown.ListVersion) << "the shown board's moves are listed";
    }
}

TEST(RoundTrip, NewGameWritesTheExampleFile) {
    std::string expected = "BQ\r\nrnbqkbnr\r\npppppppp\r\n";
    for (int i = 0; i < 4; ++i) expected += "00000000\r\n";
    expected += "PPPPPPPP\r\nRNBQKBNR\r\n1\r\n"
                "QueenCastle1=T\r\nKingCastle1=T\r\nQueenCastle2=T\r\nKingCastle2=T\r\n"
                "ep1=-1\r\nep2=-1\r\nBored50=0\r\n"
                "Recent1.X1=-1\r\nRecent1.Y1=0\r\nRecent1.X2=0\r\nRecent1.Y2=0\r\n"
                "PenRecent1.X1=-1\r\nPenRecent1.Y1=0\r\nPenRecent1.X2=0\r\nPenRecent1.Y2=0\r\n"
                "Repetition1=0\r\nPleaseAdd1=F\r\n"
                "Recent2.X1=-1\r\nRecent2.Y1=0\r\nRecent2.X2=0\r\nRecent2.Y2=0\r\n"
                "PenRecent2.X1=-1\r\nPenRecent2.Y1=0\r\nPenRecent2.X2=0\r\nPenRecent2.Y2=0\r\n"
                "Repetition2=0\r\nPleaseAdd2=F\r\nRepStale=F\r\nEND";
    EXPECT_EQ(GameText(""), expected);
}

TEST(SaveFile, FailuresReturnFalseAndKeepTheOldFile) {
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
    const std::string path = folder.File("game.bch");
    std::ofstream(path) << "the previous save";
    ASSERT_GT(SavedGameText(*history).size(), 1000u);
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
    EXPECT_EQ(ReadBytes(path), "the previous save");
    EXPECT_EQ(folder.Files(), 3) << "no temporary left";

    history->Count = 0; // nothing to save: no file
    EXPECT_FALSE(SaveGame(folder.File("empty.bch"), *history));
    EXPECT_FALSE(std::filesystem::exists(folder.File("empty.bch")));
}

TEST(SaveFile, ALinkIsSavedThroughAndTheModeIsKept) {
    ScratchFolder folder;
    Board board{};
    const auto history = PlayGame(board, "e2e4");
    const std::string real = folder.File("real.bch"), link = folder.File("link.bch");
    std::ofstream(real) << "the previous save";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.bch", link);
    ASSERT_TRUE(SaveGame(link, *history));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), SavedGameText(*history));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folder.Files(), 2) << "no temporary left";
}

} // namespace
