#include "tests/engine/EngineTestUtil.h"

#include "engine/Checku.h"
#include "engine/Findu.h"
#include "engine/Makemoveu.h"

TEST(Check, StatusOfHandMadePositions) {
    const struct {
        const char* fen;
        int status;
    } rows[] = {
        {StartFen.data(), 0},
        // Pawns attack diagonally forwards only: Black's from the row above White's king.
        {"4k3/8/8/3p4/4K3/8/8/8 w - -", White},
        {"4k3/8/8/5p2/4K3/8/8/8 w - -", White},
        {"4k3/8/8/8/4K3/3p4/8/8 w - -", 0},
        {"8/8/8/4k3/3P4/8/8/4K3 b - -", Black},
        // Sliders are blocked by any piece; knights are not; each slider keeps to its lines.
        {"4k3/8/8/8/4r3/8/4N3/4K3 w - -", 0},
        {"4k3/8/8/q7/8/2P5/8/4K3 w - -", 0},
        {"4k3/8/8/q7/8/8/8/4K3 w - -", White},
        {"4k3/8/8/8/8/3n4/PPPPPPPP/4K3 w - -", White},
        {"4k3/8/8/8/4b3/8/8/4K3 w - -", 0},
        {"4k3/8/8/8/8/8/3r4/4K3 w - -", 0},
        {"8/8/8/3kK3/8/8/8/8 w - -", BothInCheck},
        // Kings in corners and on edges: nothing may be read off the board.
        {"K7/8/8/8/8/8/8/7k w - -", 0},
        {"7K/8/8/8/8/8/8/k7 w - -", 0},
        {"k7/1P6/8/8/8/8/8/7K b - -", Black},
        {"7k/8/8/8/8/8/5n2/7K w - -", White},
        {"1k6/8/8/8/8/8/8/K6q w - -", White},
    };
    for (const auto& row : rows) {
        Board board = FromFen(row.fen);
        EXPECT_EQ(GetCheck(board), row.status) << row.fen;
    }
}

TEST(Check, CachesFollowTheRecord) {
    Board board = FromFen("4k3/8/8/8/8/8/8/r3K3 w - -");
    EXPECT_EQ(GetCheck(board), White);
    board.Squares[0][7] = Empty; // behind the cache's back: not seen...
    EXPECT_EQ(GetCheck(board), White);
    MakeMove(board, 4, 7, 3, 7); // ...until a move makes the cache stale
    EXPECT_EQ(GetCheck(board), 0);
    // Clearing the board makes both caches stale; squares off the board read empty.
    board = Initial();
    EXPECT_EQ(GetSquare(board, 8, 0) | GetSquare(board, -1, 3) | GetSquare(board, 0, 8), Empty);
    FindLegalMoves(board);
    ClearBoard(board);
    FindLegalMoves(board);
    EXPECT_EQ(board.LegalCount, 0);
}
