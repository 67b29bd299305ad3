// The evaluation terms the golden root scores never reach: mate, stalemate and the draw
// counters, the checking side's bonus, repetition, and the boundaries of the ply rules. The
// rest (material, advancement, attacks, both colours) moves some golden score when it changes.
#include <gtest/gtest.h>

#include "engine/Makemoveu.h"
#include "opponent/Evaluate.h"
#include "tests/opponent/OpponentTestUtil.h"

namespace {

TEST(Evaluate, HandMadePositions) {
    const struct {
        const char* fen;
        int ply, depth, expected;
    } rows[] = {
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", 10, 7, MatedScore},
        {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 10, 0, 32768}, // stalemate: half a mate
        {"3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1", 4, 0, -10},  // a queen moved before ply 5
        {"3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1", 5, 0, 0},
        // Check costs the checked side to act 80 - 10d; the checking side gains 80 + 10d.
        {"4k3/8/8/4R3/8/8/8/4K3 b - - 0 1", 10, 3, -550},
        {"4k3/8/8/4R3/8/8/8/4K3 w - - 0 1", 10, 2, 600},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Evaluate(FromFen(r.fen, r.ply), r.depth), r.expected) << r.fen << " " << r.ply;
}

TEST(Evaluate, RecordFieldsBeyondThePieces) {
    Board board = FromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 10);
    EXPECT_EQ(Evaluate(board, 0), 500);
    board.Castled1 = 9; // castling counts only at the current ply
    EXPECT_EQ(Evaluate(board, 0), 500);
    board.Castled1 = 10;
    EXPECT_EQ(Evaluate(board, 0), 502);
    board.Castled2 = 10;
    board.Repetition1 = board.Repetition2 = 2;
    EXPECT_EQ(Evaluate(board, 0), 300);
    board.Repetition2 = 1;
    EXPECT_EQ(Evaluate(board, 0), 500);
    // A draw is a small loss for the side ahead and half a mate otherwise.
    board.Repetition1 = board.Repetition2 = 0;
    board.Bored50 = 50;
    EXPECT_EQ(Evaluate(board, 0), -100);
    board.ToPlay = Black;
    EXPECT_EQ(Evaluate(board, 0), 32768);

    Board choosing = FromFen(PawnOnB7);
    ASSERT_TRUE(MakeMove(choosing, 1, 1, 1, 0));
    Board moving = choosing;
    moving.ToPlay = White;
    EXPECT_EQ(Evaluate(choosing, 0), Evaluate(moving, 0) + 100) << "pending promotion choice";
}

} // namespace
