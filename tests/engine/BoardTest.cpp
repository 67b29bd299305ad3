#include "tests/engine/EngineTestUtil.h"

#include "engine/Checku.h"
#include "engine/Findu.h"

TEST(Board, InitialPositionAndOffBoardReads) {
    const Board board = Initial();
    EXPECT_EQ(GetSquare(board, 4, 7), King);
    EXPECT_EQ(GetSquare(board, 3, 0), -Queen);
    EXPECT_EQ(GetSquare(board, 0, 6), Pawn);
    EXPECT_EQ(GetSquare(board, 8, 0), Empty);
    EXPECT_EQ(GetSquare(board, -1, 3), Empty);
    EXPECT_EQ(GetSquare(board, 0, 8), Empty);
    ExpectConsistent(board);
}

TEST(Board, ClearKeepsWhatItShouldAndMakesCachesStale) {
    Board board = Initial();
    board.Recent1 = Move{1, 2, 3, 4};
    FindLegalMoves(board);
    GetCheck(board);
    ClearBoard(board);
    EXPECT_EQ(board.Recent1.X1, NoMove);
    EXPECT_TRUE(SameMove(board.Recent1, NoMove, 2, 3, 4));
    EXPECT_EQ(board.LegalCount, 20);
    FindLegalMoves(board); // the stale list is rebuilt for the empty board
    EXPECT_EQ(board.LegalCount, 0);
}
