// Saving a game and reading it back gives the same positions.
#include "SaveTestUtil.h"

namespace {

// Saves the history to a file, reads it into a fresh history and compares every position.
void ExpectRoundTrip(const History& history) {
    ScratchFolder folder;
    const std::string path = folder.File("game.bch");
    ASSERT_TRUE(SaveGame(path, history));
    auto loaded = std::make_unique<History>();
    Board board{};
    const LoadResult result = LoadGame(path, *loaded, board);
    ASSERT_TRUE(result.Loaded) << result.Message;
    EXPECT_EQ(result.Message, "");
    ASSERT_EQ(loaded->Count, history.Count);
    EXPECT_EQ(loaded->Stored, history.Count);
    for (int i = 0; i < history.Count; ++i)
        ExpectSamePosition(history.Snapshots[i], loaded->Snapshots[i], i);
    ExpectSamePosition(history.Snapshots[history.Count - 1], board, history.Count - 1);
    EXPECT_EQ(board.ListVersionSeen, board.ListVersion) << "the shown board's moves are listed";
}

TEST(RoundTrip, NewGameWritesTheExampleFile) {
    Board board{};
    auto history = NewGame(board);
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
    EXPECT_EQ(SavedGameText(*history), expected);
    ExpectRoundTrip(*history);
}

TEST(RoundTrip, CastlingAndEnPassant) {
    Board board{};
    auto history = NewGame(board);
    Play(board, *history,
         {"e2e4", "a7a6", "e4e5", "d7d5", "e5d6", "g8f6", "g1f3", "e7e6", "f1e2", "f8e7", "e1g1",
          "b8c6", "b2b4", "e8g8"});
    ASSERT_EQ(board.Squares[6][7], King);
    ExpectRoundTrip(*history);
}

TEST(RoundTrip, PromotionsOfBothSides) {
    Board board{};
    auto history = NewGame(board);
    Play(board, *history,
         {"a2a4", "b7b5", "a4b5", "h7h5", "b5b6", "h5h4", "b6a7", "h4h3", "a7b8q", "h3g2", "e2e3",
          "g2f1n"});
    ASSERT_EQ(board.Squares[1][0], Queen);
    ASSERT_EQ(board.Squares[5][7], -Knight);
    // Both waiting positions are in the file too.
    int waiting = 0;
    for (int i = 0; i < history->Count; ++i) waiting += history->Snapshots[i].ToPlay > Black;
    EXPECT_EQ(waiting, 2);
    ExpectRoundTrip(*history);
}

TEST(RoundTrip, RepetitionToADraw) {
    Board board{};
    auto history = NewGame(board);
    const char* shuffle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int i = 0; i < 40 && board.Outcome == InProgress; ++i)
        Play(board, *history, {shuffle[i % 4]});
    ASSERT_EQ(board.Outcome, Drawn);
    ExpectRoundTrip(*history);
}

TEST(RoundTrip, CheckmateStaysOver) {
    Board board{};
    auto history = NewGame(board);
    Play(board, *history, {"f2f3", "e7e5", "g2g4", "d8h4"});
    ASSERT_EQ(board.Outcome, 2);
    ExpectRoundTrip(*history);
}

TEST(RoundTrip, OnlyThePositionsUpToTheShownOneAreSaved) {
    Board board{};
    auto history = NewGame(board);
    Play(board, *history, {"e2e4", "e7e5", "g1f3"});
    StepBack(*history, board);
    ASSERT_EQ(history->Count, 3);
    ScratchFolder folder;
    ASSERT_TRUE(SaveGame(folder.File("g.bch"), *history));
    auto loaded = std::make_unique<History>();
    Board shown{};
    ASSERT_TRUE(LoadGame(folder.File("g.bch"), *loaded, shown).Loaded);
    EXPECT_EQ(loaded->Count, 3);
    EXPECT_EQ(loaded->Stored, 3);
    ExpectSamePosition(history->Snapshots[2], shown, 2);
}

} // namespace
