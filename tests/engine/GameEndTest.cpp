#include "tests/engine/EngineTestUtil.h"

#include "engine/Anyu.h"
#include "engine/Checkmateu.h"
#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"

namespace {

Board FoolsMate() {
    Board board = Initial();
    for (const Move& m : {Move{5, 6, 5, 5}, Move{4, 1, 4, 3}, Move{6, 6, 6, 4}, Move{3, 0, 7, 4}})
        EXPECT_TRUE(MakeMove(board, m.X1, m.Y1, m.X2, m.Y2));
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
    board.LegalCount = 3; // a current list is not rebuilt
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, 3);
}

TEST(LegalMoveList, PromotionChoicesQueenFirst) {
    Board board = FromFen("4k3/8/8/8/8/8/2p5/4K3 b - -");
    MakeMove(board, 2, 6, 2, 7);
    FindLegalMoves(board);
    ASSERT_EQ(board.LegalCount, 4);
    const int pieces[4] = {-Queen, -Rook, -Bishop, -Knight};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameMove(board.LegalMoves[i], PromotionChoice, pieces[i], 2, 7));
    EXPECT_TRUE(AnyLegalMove(board));
    EXPECT_FALSE(IsMate(board));
}

TEST(LegalMoveList, NeverWritesPastItsCapacity) {
    // Play never gets near the capacity, but a file can hold a board full of queens.
    Board board = FromFen("1QQQQQQ1/1Q4Q1/Q6Q/Q6Q/Q6Q/3Q1Q1Q/QQ5Q/1KQ1Q1Qk w - -");
    ASSERT_GT(CountLegalPairs(board), MaxLegalMoves);
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, MaxLegalMoves);
}

TEST(GameEnd, MateStalemateAndTheDrawCounters) {
    Board mate = FoolsMate();
    EXPECT_TRUE(IsMate(mate));
    EXPECT_FALSE(IsStalemate(mate));

    Board stalemate = FromFen("k7/2Q5/8/8/8/8/8/4K3 b - -");
    EXPECT_FALSE(IsMate(stalemate));
    EXPECT_TRUE(IsStalemate(stalemate));

    // The counters draw even with moves left, and even when it is mate.
    for (int32_t Board::*counter : {&Board::Bored50, &Board::Repetition1, &Board::Repetition2}) {
        const int limit = counter == &Board::Bored50 ? FiftyMoveLimit : RepetitionLimit + 1;
        Board board = Initial();
        board.*counter = limit - 1;
        EXPECT_FALSE(IsStalemate(board));
        board.*counter = limit;
        EXPECT_TRUE(IsStalemate(board));
        Board mated = FoolsMate();
        mated.*counter = limit;
        EXPECT_TRUE(IsMate(mated) && IsStalemate(mated));
    }
}
