#include "tests/engine/EngineTestUtil.h"

#include <cstring>

#include "engine/Makemoveu.h"

namespace {

// Plays a move that must be legal, and checks the record afterwards.
void Play(Board& board, Sq from, Sq to) {
    ASSERT_TRUE(IsLegal(board, from.x, from.y, to.x, to.y)) << from.x << from.y << to.x << to.y;
    ASSERT_TRUE(MakeMove(board, from.x, from.y, to.x, to.y));
    ExpectConsistent(board);
}

// Shuffles a knight out and back: odd rounds go out, even rounds come home.
void Shuffle(Board& board, int round, const char* home, const char* out) {
    Play(board, round % 2 ? home : out, round % 2 ? out : home);
}

} // namespace

TEST(MakeMove, TwoSquareAdvanceSetsEnPassantUntilTheNextMove) {
    Board board = Initial();
    Play(board, "e2", "e4");
    EXPECT_EQ(board.ep1, 4);
    EXPECT_FALSE(board.Quiet1);
    EXPECT_EQ(board.ToPlay, Black);
    EXPECT_TRUE(SameMove(board.Recent1, 4, 6, 4, 4));
    EXPECT_EQ(board.PenRecent1.X1, NoMove);
    Play(board, "b8", "c6");
    Play(board, "g1", "f3");
    EXPECT_EQ(board.ep1, -1);
}

TEST(MakeMove, EnPassantCaptureClosesThePairOnlyWithBlacksReply) {
    Board board = FromFen("4k3/3p4/8/4P3/8/8/8/4K3 b - -");
    Play(board, "d7", "d5");
    board.Bored50 = 7;
    Play(board, "e5", "d6");
    EXPECT_EQ(At(board, "d5"), Empty);
    EXPECT_EQ(board.Material, 100);
    EXPECT_EQ(board.Bored50, 7);
    EXPECT_EQ(board.Recent1.X1, NoMove); // en passant is not an ordinary move
    Play(board, "e8", "f8");
    EXPECT_EQ(board.Bored50, 0);
}

TEST(MakeMove, OnlyADiagonalStepBehindTheAdvancedPawnIsEnPassant) {
    // En passant files no game gives: another piece behind the file, or nothing to take.
    const struct {
        const char *Fen, *From, *To;
    } moves[] = {
        {"8/8/8/3kP3/8/8/8/4K3 w - d6", "e5", "d6"},    // the king stands where the pawn would
        {"4k3/8/3n4/4P3/8/8/8/4K3 w - d6", "e5", "d6"}, // a knight taken, not a pawn
        {"4k3/8/8/8/3p4/8/8/4K3 b - d3", "d4", "d3"},   // a plain push onto the file
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.Fen);
        Board board = FromFen(move.Fen);
        Play(board, move.From, move.To); // one king each, material in step with the squares
    }
}

TEST(MakeMove, PromotionTakesTwoMoves) {
    Board white = FromFen("1r2k3/P7/8/8/8/8/8/4K3 w - -");
    Play(white, "a7", "b8");
    EXPECT_EQ(white.ToPlay, WhiteChooses);
    EXPECT_EQ(At(white, "b8"), Pawn);
    EXPECT_EQ(white.Material, 100);
    ASSERT_TRUE(MakeMove(white, PromotionChoice, Queen, 1, 0));
    EXPECT_EQ(At(white, "b8"), Queen);
    EXPECT_EQ(white.Material, 900);
    EXPECT_EQ(white.ToPlay, Black);
    ExpectConsistent(white);

    Board black = FromFen("4k3/8/8/8/8/8/6p1/4K2R b - -");
    Play(black, "g2", "h1");
    EXPECT_EQ(black.ToPlay, BlackChooses);
    ASSERT_TRUE(MakeMove(black, PromotionChoice, -Knight, 7, 7));
    EXPECT_EQ(black.Material, -300);
    EXPECT_EQ(black.ToPlay, White);
    ExpectConsistent(black);
}

TEST(MakeMove, CastlingMovesBothPiecesAndStampsThePly) {
    Board board = FromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    board.PlyCount = 12;
    board.Recent1 = Move{1, 1, 1, 2};
    Play(board, "e1", "g1");
    EXPECT_EQ(At(board, "f1"), Rook);
    EXPECT_EQ(At(board, "h1"), Empty);
    EXPECT_EQ(board.Castled1, 12);
    EXPECT_FALSE(board.KingCastle1 || board.QueenCastle1);
    EXPECT_TRUE(SameMove(board.Recent1, 1, 1, 1, 2)); // castling is not an ordinary move
    Play(board, "e8", "c8");
    EXPECT_EQ(At(board, "a8"), Empty);
    EXPECT_EQ(At(board, "d8"), -Rook);
    EXPECT_EQ(board.Castled2, 12);
}

TEST(MakeMove, RightsAreLostByMovingNotByBeingCaptured) {
    Board board = FromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    Play(board, "h1", "h5");
    EXPECT_FALSE(board.KingCastle1);
    EXPECT_TRUE(board.QueenCastle1);
    Play(board, "a8", "a1"); // takes the rook on its corner
    EXPECT_TRUE(board.QueenCastle1);
    EXPECT_FALSE(board.QueenCastle2);
    EXPECT_EQ(board.Material, -500);
}

TEST(MakeMove, FiftyMoveCounterCountsQuietPairs) {
    Board board = Initial();
    for (int round = 1; round <= 10; ++round) {
        Shuffle(board, round, "g1", "f3");
        Shuffle(board, round, "b8", "c6");
    }
    EXPECT_EQ(board.Bored50, 10);
    Play(board, "a2", "a3");
    EXPECT_EQ(board.Bored50, 10);
    Play(board, "g8", "f6");
    EXPECT_EQ(board.Bored50, 0);
}

TEST(MakeMove, RepetitionCountersFollowTheShuffle) {
    Board board = Initial();
    const int expected[7][2] = {{0, 0}, {0, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 3}};
    for (int round = 1; round <= 6; ++round) {
        Shuffle(board, round, "g1", "f3");
        Shuffle(board, round, "g8", "f6");
        EXPECT_EQ(board.Repetition1, expected[round][0]) << "after Black's move " << round;
        EXPECT_EQ(board.Repetition2, expected[round][1]) << "after Black's move " << round;
    }
    Play(board, "b1", "c3"); // any other ordinary move resets both
    EXPECT_EQ(board.Repetition1 + board.Repetition2, 0);
}

TEST(MakeMove, RefusesCallsOutsideItsContract) {
    const struct {
        int toPlay, x1, y1, x2, y2;
    } calls[] = {
        {WhiteChooses, 4, 7, 4, 6},                    // an ordinary move while a choice is pending
        {WhiteChooses, PromotionChoice, -Queen, 1, 0}, // the other side's piece
        {WhiteChooses, PromotionChoice, King, 1, 0},
        {WhiteChooses, PromotionChoice, Queen, 9, 0}, // off the board
        {White, PromotionChoice, Queen, 1, 0},        // a choice nobody asked for
        {White, 4, 7, 4, 8},
        {0, 4, 7, 4, 6},
        {5, 4, 7, 4, 6},
    };
    for (const auto& call : calls) {
        Board board = FromFen("1P2k3/8/8/8/8/8/8/4K3 w - -");
        board.ToPlay = call.toPlay;
        Board before;
        std::memcpy(&before, &board, sizeof(Board));
        EXPECT_FALSE(MakeMove(board, call.x1, call.y1, call.x2, call.y2));
        EXPECT_EQ(std::memcmp(&board, &before, sizeof(Board)), 0);
    }
}
