#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <sstream>

#include "engine/Makemoveu.h"
#include "opponent/Evaluate.h"
#include "tests/opponent/OpponentTestUtil.h"

namespace {

constexpr int32_t OnlyMirrored = INT32_MIN;

// The same position with colours and rows swapped, and the other side to act.
std::string MirrorFen(const std::string& fen) {
    auto swapCase = [](std::string s) {
        for (char& c : s) {
            const auto u = static_cast<unsigned char>(c);
            c = static_cast<char>(std::islower(u) ? std::toupper(u) : std::tolower(u));
        }
        return s;
    };
    std::istringstream in(fen);
    std::string placement, side, castling, rank, out;
    in >> placement >> side >> castling;
    std::istringstream ranks(swapCase(placement));
    while (std::getline(ranks, rank, '/')) out = rank + (out.empty() ? "" : "/") + out;
    return out + (side == "w" ? " b " : " w ") + swapCase(castling) + " - 0 1";
}

// Each position scores `expected` for the side to act, and its colour mirror the same.
TEST(Evaluate, HandMadePositionsAndTheirMirrors) {
    struct Row {
        const char* fen;
        int ply, depth, expected;
    };
    const Row rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0, 0, 0},
        // Material 100; advancement 9 x 5 + 1000, then 9 x 6 + 2000, divided once by 100.
        {"4k3/8/P7/8/8/8/8/4K3 w - - 0 1", 10, 0, 110},
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", 10, 0, 120},
        {"N1N1N2k/8/8/8/8/8/8/K7 w - - 0 1", 10, 0, 901},   // 3 x 49, summed before dividing
        {"4k3/2r5/N7/3N4/8/8/8/4K3 w - - 0 1", 10, 0, 110}, // two attackers: 2 x 5
        {"4k3/2r5/N7/2N5/8/8/8/4K3 w - - 0 1", 10, 0, 102}, // and an attacked knight: -3
        {"3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1", 3, 0, -10},    // a queen moved before ply 5
        {"3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1", 5, 0, 0},
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", 10, 7, MatedScore},
        {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 10, 0, 32768}, // stalemate: half a mate
        // Check costs the checked side to act 80 - 10d; the checking side gains 80 + 10d.
        {"4k3/8/8/4R3/8/8/8/4K3 b - - 0 1", 10, 0, -580},
        {"4k3/8/8/4R3/8/8/8/4K3 b - - 0 1", 10, 3, -550},
        {"4k3/8/8/4R3/8/8/8/4K3 w - - 0 1", 10, 2, 600},
        {"r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4", 10, 2,
         OnlyMirrored},
        {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", 3, 0, OnlyMirrored},
        {"8/5P2/8/8/1r6/8/5K1k/8 w - - 0 50", 10, 2, OnlyMirrored},
    };
    for (const Row& r : rows) {
        const int32_t score = Evaluate(FromFen(r.fen, r.ply), r.depth);
        EXPECT_TRUE(r.expected == OnlyMirrored || score == r.expected) << r.fen << ": " << score;
        EXPECT_EQ(Evaluate(FromFen(MirrorFen(r.fen), r.ply), r.depth), score) << r.fen;
    }
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
