#include "tests/engine/EngineTestUtil.h"

#include <memory>

#include "engine/Checkmateu.h"
#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"

namespace {

Board FoolsMate() {
    Board board = Initial();
    for (const Move& m : {Move{5, 6, 5, 5}, Move{4, 1, 4, 3}, Move{6, 6, 6, 4}, Move{3, 0, 7, 4}})
        EXPECT_TRUE(MakeMove(board, m.X1, m.Y1, m.X2, m.Y2));
    return board;
}

// Plays a legal game move and checks the record afterwards.
void Play(Board& board, History& history, Sq from, Sq to) {
    ASSERT_TRUE(IsLegal(board, from.x, from.y, to.x, to.y));
    ASSERT_TRUE(GameMove(board, history, from.x, from.y, to.x, to.y));
    ExpectConsistent(board);
}

} // namespace

TEST(LegalMoveList, NeverWritesPastItsCapacity) {
    // Play never gets near the capacity, but a board full of queens can be set up.
    Board queens = FromFen("1QQQQQQ1/1Q4Q1/Q6Q/Q6Q/Q6Q/3Q1Q1Q/QQ5Q/1KQ1Q1Qk w - -");
    ASSERT_GT(CountLegalPairs(queens), MaxLegalMoves);
    FindLegalMoves(queens);
    EXPECT_EQ(queens.LegalCount, MaxLegalMoves);
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

TEST(GameMove, DrawOverridesMateAndAFullHistoryEndsTheGame) {
    auto history = std::make_unique<History>();
    Board board = Initial();
    ResetHistory(*history);
    PushHistory(*history, board);
    for (const char* move : {"f2f3", "e7e5", "g2g4"}) Play(board, *history, move, move + 2);
    board.Bored50 = 49; // the mating move also closes the fiftieth quiet pair
    board.Quiet1 = true;
    Play(board, *history, "d8", "h4");
    EXPECT_EQ(board.Outcome, Drawn);
    EXPECT_EQ(board.CheckStatus, White);

    board = Initial();
    ResetHistory(*history);
    PushHistory(*history, board);
    const char* shuffle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    int moves = 0;
    for (; board.Outcome == InProgress; ++moves) {
        board.Repetition1 = board.Repetition2 = board.Bored50 = 0;
        Play(board, *history, shuffle[moves % 4], shuffle[moves % 4] + 2);
    }
    EXPECT_EQ(moves, HistorySize - 1);
    EXPECT_EQ(history->Count, HistorySize);
    EXPECT_EQ(board.Outcome, Drawn);
    const int plies = board.PlyCount;
    EXPECT_FALSE(GameMove(board, *history, 1, 7, 2, 5));
    EXPECT_FALSE(PushHistory(*history, board));
    EXPECT_EQ(history->Count, HistorySize);
    EXPECT_EQ(board.PlyCount, plies);
}
