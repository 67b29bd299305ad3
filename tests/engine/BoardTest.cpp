#include "EngineTestUtil.h"

#include "Checku.h"
#include "Findu.h"

TEST(Board, InitialPositionAndOffBoardReads) {
    const Board board = Initial();
    EXPECT_EQ(GetSquare(board, 4, 7), King);
    EXPECT_EQ(GetSquare(board, 3, 0), -Queen);
    EXPECT_EQ(GetSquare(board, 0, 6), Pawn);
    EXPECT_EQ(GetSquare(board, 8, 0), Empty);
    EXPECT_EQ(GetSquare(board, -1, 3), Empty);
    EXPECT_EQ(GetSquare(board, 0, 8), Empty);
    EXPECT_EQ(board.ToPlay, White);
    EXPECT_EQ(board.Material, 0);
    EXPECT_EQ(board.ep1, -1);
    EXPECT_EQ(board.ep2, -1);
    EXPECT_TRUE(board.QueenCastle1 && board.KingCastle1 && board.QueenCastle2 && board.KingCastle2);
    ExpectConsistent(board);
}

TEST(Board, ClearKeepsWhatItShouldAndMakesCachesStale) {
    Board board = Initial();
    board.Recent1 = Move{1, 2, 3, 4};
    board.PenRecent2 = Move{5, 6, 7, 0};
    FindLegalMoves(board);
    GetCheck(board);
    board.King1X = 3;

    ClearBoard(board);
    EXPECT_EQ(board.Recent1.X1, NoMove);
    EXPECT_EQ(board.Recent1.Y1, 2);
    EXPECT_EQ(board.Recent1.X2, 3);
    EXPECT_EQ(board.Recent1.Y2, 4);
    EXPECT_EQ(board.PenRecent2.X1, NoMove);
    EXPECT_EQ(board.PenRecent2.Y2, 0);
    EXPECT_EQ(board.LegalCount, 20);
    EXPECT_EQ(board.King1X, 3);
    EXPECT_NE(board.CheckVersion, board.CheckVersionSeen);
    EXPECT_NE(board.ListVersion, board.ListVersionSeen);

    // The stale list is rebuilt for the empty board on first use.
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, 0);
}

TEST(Board, SameMoveNeverMatchesAnUnrecordedMove) {
    const Move none{NoMove, 6, 4, 4};
    for (int x1 = 0; x1 < 8; ++x1) EXPECT_FALSE(SameMove(none, x1, 6, 4, 4));
    EXPECT_TRUE(SameMove(Move{4, 6, 4, 4}, 4, 6, 4, 4));
    EXPECT_FALSE(SameMove(Move{4, 6, 4, 4}, 4, 6, 4, 5));
}
