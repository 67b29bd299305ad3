#include <gtest/gtest.h>

#include <cctype>

#include "Evaluate.h"
#include "Makemoveu.h"
#include "OpponentTestUtil.h"

namespace {

// The same position with colours and rows swapped, and the other side to act.
std::string MirrorFen(const std::string& fen) {
    const size_t space = fen.find(' ');
    std::string placement = fen.substr(0, space);
    std::vector<std::string> ranks;
    for (size_t start = 0;;) {
        const size_t slash = placement.find('/', start);
        ranks.push_back(placement.substr(start, slash - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    std::string out;
    for (auto it = ranks.rbegin(); it != ranks.rend(); ++it) {
        if (!out.empty()) out += '/';
        for (char c : *it)
            out += std::isupper(static_cast<unsigned char>(c))
                       ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                       : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const char side = fen[space + 1] == 'w' ? 'b' : 'w';
    std::string castling = fen.substr(space + 3, fen.find(' ', space + 3) - (space + 3));
    std::string swapped;
    for (char c : castling)
        swapped += c == '-' ? c
                   : std::isupper(static_cast<unsigned char>(c))
                       ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                       : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out + " " + side + " " + swapped + " - 0 1";
}

TEST(Evaluate, InitialPositionIsLevelForEitherSide) {
    EXPECT_EQ(Evaluate(FromFen(std::string(StartFen), 0), 0), 0);
    EXPECT_EQ(Evaluate(FromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 0), 0),
              0);
}

TEST(Evaluate, PawnsCloseToPromotionEarnTheirBonus) {
    // Material 100; advancement 9 x 5 + 1000 and then 9 x 6 + 2000, divided once by 100.
    EXPECT_EQ(Evaluate(FromFen("4k3/8/P7/8/8/8/8/4K3 w - - 0 1"), 0), 110);
    EXPECT_EQ(Evaluate(FromFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 1"), 0), 120);
    EXPECT_EQ(Evaluate(FromFen("4k3/P7/8/8/8/8/8/4K3 b - - 0 1"), 0), -120);
}

TEST(Evaluate, AdvancementIsOneSumDividedOnceAtTheEnd) {
    // Three knights on row 0 add 49 each: 147 / 100 = 1, where file by file it would be 0.
    EXPECT_EQ(Evaluate(FromFen("N1N1N2k/8/8/8/8/8/8/K7 w - - 0 1"), 0), 901);
    EXPECT_EQ(Evaluate(FromFen("K7/8/8/8/8/8/8/n1n1n2k w - - 0 1"), 0), -901);
}

TEST(Evaluate, EarlyQueenMovesCostTenUntilPlyFive) {
    const std::string fen = "3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1";
    EXPECT_EQ(Evaluate(FromFen(fen, 3), 0) - Evaluate(FromFen(fen, 5), 0), -10);
    const std::string home = "3qk3/8/8/8/8/8/8/3QK3 w - - 0 1";
    EXPECT_EQ(Evaluate(FromFen(home, 3), 0), Evaluate(FromFen(home, 5), 0));
}

TEST(Evaluate, CastlingCountsOnlyAtTheCurrentPly) {
    Board board = FromFen("4k3/8/8/8/8/8/8/5RK1 w - - 0 1", 10);
    const int32_t plain = Evaluate(board, 0);
    board.Castled1 = 10;
    EXPECT_EQ(Evaluate(board, 0), plain + 2);
    board.Castled1 = 9;
    EXPECT_EQ(Evaluate(board, 0), plain);
    board.Castled2 = 10;
    EXPECT_EQ(Evaluate(board, 0), plain - 2);
}

TEST(Evaluate, EachAttackerCountsSeparately) {
    // Both knights attack the rook: 2 x 5. Material 100, advancement 55 / 100 = 0.
    EXPECT_EQ(Evaluate(FromFen("4k3/2r5/N7/3N4/8/8/8/4K3 w - - 0 1"), 0), 110);
    EXPECT_EQ(Evaluate(FromFen("4k3/2r5/N7/3N4/8/8/8/4K3 b - - 0 1"), 0), -110);
    // The rook now attacks the knight on c5 (3) and is attacked by the knight on a6 (5).
    EXPECT_EQ(Evaluate(FromFen("4k3/2r5/N7/2N5/8/8/8/4K3 w - - 0 1"), 0), 100 + 5 - 3);
}

TEST(Evaluate, DrawIsASmallLossAheadAndHalfAMateOtherwise) {
    Board ahead = FromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    ahead.Bored50 = 50;
    EXPECT_EQ(Evaluate(ahead, 0), -100);
    ahead.ToPlay = Black;
    EXPECT_EQ(Evaluate(ahead, 0), 32768);
    Board level = FromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    level.Bored50 = 50;
    EXPECT_EQ(Evaluate(level, 0), 32768);
    Board stalemated = FromFen("k7/2Q5/1K6/8/8/8/8/8 b - - 0 1");
    EXPECT_EQ(Evaluate(stalemated, 0), 32768);
}

TEST(Evaluate, RepetitionCostsTwoHundred) {
    Board board = FromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    EXPECT_EQ(Evaluate(board, 0), 500);
    board.Repetition1 = 2;
    board.Repetition2 = 2;
    EXPECT_EQ(Evaluate(board, 0), 300);
}

TEST(Evaluate, MatedSideScoresMinusMateWhateverTheDepth) {
    const Board mated = FromFen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");
    EXPECT_EQ(Evaluate(mated, 0), -65536);
    EXPECT_EQ(Evaluate(mated, 7), -65536);
}

TEST(Evaluate, CheckWeighsLessNearTheRoot) {
    // Rook e5 checks the king on e8: 500 for White, and the checked side to act loses 80 - 10d.
    const Board checked = FromFen("4k3/8/8/4R3/8/8/8/4K3 b - - 0 1");
    EXPECT_EQ(Evaluate(checked, 0), -580);
    EXPECT_EQ(Evaluate(checked, 3), -550);
    // The side to act giving check gains 80 + 10d.
    const Board giving = FromFen("4k3/8/8/4R3/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Evaluate(giving, 0), 580);
    EXPECT_EQ(Evaluate(giving, 2), 600);
}

TEST(Evaluate, PendingPromotionChoiceAddsOneHundred) {
    Board choosing = FromFen("7k/1P6/8/8/8/8/8/K7 w - - 0 1");
    ASSERT_TRUE(MakeMove(choosing, 1, 1, 1, 0));
    ASSERT_EQ(choosing.ToPlay, WhiteChooses);
    Board moving = choosing;
    moving.ToPlay = White;
    EXPECT_EQ(Evaluate(choosing, 0), Evaluate(moving, 0) + 100);
}

TEST(Evaluate, MirroredPositionScoresTheSameForTheOtherSide) {
    for (const char* fen : {
             "r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
             "r2qkb1r/ppp2ppp/2n1bn2/3pp3/4P3/2N2N2/PPPPBPPP/R1BQK2R w KQkq - 0 5",
             "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
             "8/5P2/8/8/1r6/8/5K1k/8 w - - 0 50",
         }) {
        const std::string mirrored = MirrorFen(fen);
        for (int depth : {0, 2})
            EXPECT_EQ(Evaluate(FromFen(fen), depth), Evaluate(FromFen(mirrored), depth))
                << fen << " / " << mirrored;
    }
}

} // namespace
