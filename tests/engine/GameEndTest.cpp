#include "EngineTestUtil.h"

#include "Anyu.h"
#include "Checkmateu.h"
#include "Findu.h"
#include "Makemoveu.h"
#include "Stalemateu.h"

namespace {

void Play(Board& board, Sq from, Sq to) {
    ASSERT_TRUE(MakeMove(board, from.x, from.y, to.x, to.y));
}

Board FoolsMate() {
    Board board = Initial();
    Play(board, "f2", "f3");
    Play(board, "e7", "e5");
    Play(board, "g2", "g4");
    Play(board, "d8", "h4");
    return board;
}

} // namespace

TEST(LegalMoveList, InitialOrderAndCaching) {
    Board board = Initial();
    FindLegalMoves(board);
    ASSERT_EQ(board.LegalCount, 20);
    const Move first[6] = {{0, 6, 0, 4}, {0, 6, 0, 5}, {1, 6, 1, 4},
                           {1, 6, 1, 5}, {1, 7, 0, 5}, {1, 7, 2, 5}};
    for (int i = 0; i < 6; ++i) {
        const Move& m = board.LegalMoves[i];
        EXPECT_TRUE(SameMove(first[i], m.X1, m.Y1, m.X2, m.Y2)) << "entry " << i;
    }
    // A current list is not rebuilt: scribbling on it shows through.
    board.LegalMoves[0].X1 = 7;
    board.LegalCount = 3;
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, 3);
    EXPECT_EQ(board.LegalMoves[0].X1, 7);
}

TEST(LegalMoveList, PromotionChoicesQueenFirst) {
    Board board = FromFen("4k3/5P2/8/8/8/8/8/4K3 w - -");
    Play(board, "f7", "f8");
    ASSERT_EQ(board.ToPlay, WhiteChooses);
    FindLegalMoves(board);
    ASSERT_EQ(board.LegalCount, 4);
    const int pieces[4] = {Queen, Rook, Bishop, Knight};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameMove(board.LegalMoves[i], PromotionChoice, pieces[i], 5, 0));
    EXPECT_TRUE(AnyLegalMove(board));
    EXPECT_FALSE(IsMate(board));

    Board black = FromFen("4k3/8/8/8/8/8/2p5/4K3 b - -");
    Play(black, "c2", "c1");
    FindLegalMoves(black);
    ASSERT_EQ(black.LegalCount, 4);
    EXPECT_TRUE(SameMove(black.LegalMoves[0], PromotionChoice, -Queen, 2, 7));
    EXPECT_TRUE(SameMove(black.LegalMoves[3], PromotionChoice, -Knight, 2, 7));
}

TEST(LegalMoveList, NeverWritesPastItsCapacity) {
    // Play never gets near the capacity, but a file can hold a board full of queens.
    Board board = FromFen("1QQQQQQ1/1Q4Q1/Q6Q/Q6Q/Q6Q/3Q1Q1Q/QQ5Q/1KQ1Q1Qk w - -");
    ASSERT_GT(CountLegalPairs(board), MaxLegalMoves);
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, MaxLegalMoves);
}

TEST(GameEnd, FoolsMateIsMateNotStalemate) {
    Board board = FoolsMate();
    EXPECT_EQ(board.ToPlay, White);
    EXPECT_TRUE(IsMate(board));
    EXPECT_FALSE(IsStalemate(board));
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, 0);
}

TEST(GameEnd, StalemateIsADraw) {
    Board board = FromFen("k7/2Q5/8/8/8/8/8/4K3 b - -");
    EXPECT_FALSE(IsMate(board));
    EXPECT_TRUE(IsStalemate(board));
}

TEST(GameEnd, CountersDrawEvenWithMovesLeftOrMate) {
    Board fifty = Initial();
    fifty.Bored50 = 50;
    EXPECT_TRUE(IsStalemate(fifty));
    fifty.Bored50 = 49;
    EXPECT_FALSE(IsStalemate(fifty));

    for (int32_t Board::*counter : {&Board::Repetition1, &Board::Repetition2}) {
        Board board = Initial();
        board.*counter = 3;
        EXPECT_FALSE(IsStalemate(board));
        board.*counter = 4;
        EXPECT_TRUE(IsStalemate(board));
    }

    Board mate = FoolsMate();
    mate.Bored50 = 50;
    EXPECT_TRUE(IsMate(mate));
    EXPECT_TRUE(IsStalemate(mate));
}
