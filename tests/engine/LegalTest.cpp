// Move legality where perft does not look: this game's own castling rule, positions a game
// cannot reach, and en passant's timing.
#include "tests/engine/EngineTestUtil.h"

#include "engine/Makemoveu.h"

namespace {

bool Legal(Board& board, Sq from, Sq to) {
    return IsLegal(board, from.x, from.y, to.x, to.y);
}

} // namespace

TEST(Legal, MovesInHandMadePositions) {
    const struct {
        const char* fen;
        const char* from;
        const char* to;
        bool legal;
    } rows[] = {
        {StartFen.data(), "e7", "e5", false}, // not Black's turn
        {StartFen.data(), "e3", "e4", false}, // empty square
        // Kings never meet, and no move takes a king.
        {"8/8/8/3k4/8/4K3/8/8 w - -", "e3", "e4", false},
        {"4k2k/8/8/8/8/8/8/4K2R w - -", "h1", "h8", false},
        // Castling: the square passed over may be attacked, the destination may not.
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq -", "e1", "g1", true},
        {"r3k2r/8/8/8/8/8/6r1/R3K2R w KQkq -", "e1", "g1", false},
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq -", "e1", "c1", false}, // in check
        {"r3k2r/8/8/8/8/8/8/Rn2K1NR w KQkq -", "e1", "c1", false}, // b1 blocks too
        {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq -", "e1", "g1", false},    // right lost
        {"r3k2r/8/8/8/8/8/8/R3K2N w KQkq -", "e1", "g1", false},   // no rook in the corner
        // En passant that would open the row to a rook.
        {"8/8/8/K2pP2r/8/8/8/4k3 w - d6", "e5", "d6", false},
        {"8/8/8/3pP3/8/8/8/K3k3 w - d6", "e5", "d6", true},
    };
    for (const auto& row : rows) {
        Board board = FromFen(row.fen);
        EXPECT_EQ(Legal(board, row.from, row.to), row.legal)
            << row.fen << " " << row.from << "-" << row.to;
    }
}

TEST(Legal, EnPassantOnlyRightAfterTheAdvanceAndNothingWhileAChoiceIsPending) {
    Board board = FromFen("4k3/3p4/8/4P3/8/8/8/4K3 b - -");
    MakeMove(board, 3, 1, 3, 3);
    EXPECT_TRUE(Legal(board, "e5", "d6"));
    MakeMove(board, 4, 7, 4, 6);
    MakeMove(board, 4, 0, 4, 1);
    EXPECT_FALSE(Legal(board, "e5", "d6"));

    Board choosing = FromFen("1P2k3/8/8/8/8/8/8/4K3 w - -");
    choosing.ToPlay = WhiteChooses;
    EXPECT_EQ(CountLegalPairs(choosing), 0);
}
