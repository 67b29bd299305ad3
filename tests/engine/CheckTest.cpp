#include "EngineTestUtil.h"

#include "Checku.h"
#include "Makemoveu.h"

TEST(Check, InitialPositionHasNoCheck) {
    Board board = Initial();
    EXPECT_EQ(GetCheck(board), 0);
}

TEST(Check, PawnsAttackOnlyForwards) {
    // White king on e4: a Black pawn on d5/f5 attacks it, one on d3/f3 does not.
    for (const char* fen : {"4k3/8/8/3p4/4K3/8/8/8 w - -", "4k3/8/8/5p2/4K3/8/8/8 w - -"}) {
        Board board = FromFen(fen);
        EXPECT_EQ(GetCheck(board), White) << fen;
    }
    for (const char* fen : {"4k3/8/8/8/4K3/3p4/8/8 w - -", "4k3/8/8/8/4K3/5p2/8/8 w - -"}) {
        Board board = FromFen(fen);
        EXPECT_EQ(GetCheck(board), 0) << fen;
    }
    // And White pawns attack Black's king from the row below it.
    Board black = FromFen("8/8/8/4k3/3P4/8/8/4K3 b - -");
    EXPECT_EQ(GetCheck(black), Black);
}

TEST(Check, SlidersAreBlockedKnightsAreNot) {
    Board rook = FromFen("4k3/8/8/8/4r3/8/4N3/4K3 w - -");
    EXPECT_EQ(GetCheck(rook), 0);
    Board queen = FromFen("4k3/8/8/q7/8/2P5/8/4K3 w - -");
    EXPECT_EQ(GetCheck(queen), 0);
    Board open = FromFen("4k3/8/8/q7/8/8/8/4K3 w - -");
    EXPECT_EQ(GetCheck(open), White);
    Board knight = FromFen("4k3/8/8/8/8/3n4/PPPPPPPP/4K3 w - -");
    EXPECT_EQ(GetCheck(knight), White);
    // A bishop on a straight line or a rook on a diagonal gives no check.
    Board bishopOnFile = FromFen("4k3/8/8/8/4b3/8/8/4K3 w - -");
    EXPECT_EQ(GetCheck(bishopOnFile), 0);
    Board rookOnDiagonal = FromFen("4k3/8/8/8/8/8/3r4/4K3 w - -");
    EXPECT_EQ(GetCheck(rookOnDiagonal), 0);
}

TEST(Check, AdjacentKingsAreBothInCheck) {
    Board board = FromFen("8/8/8/3kK3/8/8/8/8 w - -");
    EXPECT_EQ(GetCheck(board), BothInCheck);
}

TEST(Check, KingsInCornersAndOnEdgesAreTestedSafely) {
    // Runs under the sanitizers: no read may leave the board.
    const char* fens[] = {"K7/8/8/8/8/8/8/7k w - -",   "7K/8/8/8/8/8/8/k7 w - -",
                          "8/8/8/K7/8/8/8/7k w - -",   "k7/1P6/8/8/8/8/8/7K b - -",
                          "7k/8/8/8/8/8/5n2/7K w - -", "1k6/8/8/8/8/8/8/K6q w - -"};
    const int expected[] = {0, 0, 0, Black, White, White};
    for (int i = 0; i < 6; ++i) {
        Board board = FromFen(fens[i]);
        EXPECT_EQ(GetCheck(board), expected[i]) << fens[i];
    }
}

TEST(Check, CachedUntilTheRecordChanges) {
    Board board = FromFen("4k3/8/8/8/8/8/8/r3K3 w - -");
    EXPECT_EQ(GetCheck(board), White);
    // Moving the rook behind the cache's back is not seen...
    board.Squares[0][7] = Empty;
    EXPECT_EQ(GetCheck(board), White);
    // ...until a move makes the cache stale.
    MakeMove(board, 4, 7, 3, 7);
    EXPECT_EQ(GetCheck(board), 0);
}

TEST(Check, MissingKingTestsItsLastSquare) {
    Board board{};
    ClearBoard(board);
    board.Squares[1][2] = -Knight; // attacks (0, 0), where a fresh record has the White king
    EXPECT_EQ(GetCheck(board), White);
    EXPECT_EQ(board.King1X, 0);
    EXPECT_EQ(board.King1Y, 0);
}
