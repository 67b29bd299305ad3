// Check detection in positions a game may not reach, where the move generator's own tests
// (perft) cannot look.
#include "tests/engine/EngineTestUtil.h"

#include "engine/Checku.h"

TEST(Check, StatusOfHandMadePositions) {
    const struct {
        const char* fen;
        int status;
    } rows[] = {
        // Pawns attack diagonally forwards only: Black's from the row above White's king.
        {"4k3/8/8/3p4/4K3/8/8/8 w - -", White},
        {"4k3/8/8/8/4K3/3p4/8/8 w - -", 0},
        {"8/8/8/4k3/3P4/8/8/4K3 b - -", Black},
        // Each slider keeps to its lines; kings side by side check each other.
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
