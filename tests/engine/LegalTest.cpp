#include "EngineTestUtil.h"

#include "Legalu.h"
#include "Makemoveu.h"

namespace {

bool Legal(Board& board, Sq from, Sq to) {
    return IsLegal(board, from.x, from.y, to.x, to.y);
}

} // namespace

TEST(Legal, InitialPosition) {
    Board board = Initial();
    EXPECT_EQ(CountLegalPairs(board), 20);
    EXPECT_FALSE(Legal(board, "b1", "d2")); // own pawn
    EXPECT_TRUE(Legal(board, "b1", "c3"));
    EXPECT_FALSE(Legal(board, "e7", "e5")); // Black while White is to move
    EXPECT_FALSE(Legal(board, "e2", "e2"));
    EXPECT_FALSE(Legal(board, "e3", "e4")); // empty square
}

TEST(Legal, PawnAdvancesNeedFreeSquares) {
    Board blockedNear = FromFen("4k3/8/8/8/8/4n3/4P3/4K3 w - -");
    EXPECT_FALSE(Legal(blockedNear, "e2", "e4"));
    EXPECT_FALSE(Legal(blockedNear, "e2", "e3"));
    Board blockedFar = FromFen("4k3/8/8/8/4n3/8/4P3/4K3 w - -");
    EXPECT_FALSE(Legal(blockedFar, "e2", "e4"));
    EXPECT_TRUE(Legal(blockedFar, "e2", "e3"));
    Board black = FromFen("4k3/4p3/4N3/8/8/8/8/4K3 b - -");
    EXPECT_FALSE(Legal(black, "e7", "e5"));
    // Pawns capture diagonally forwards only.
    Board edge = FromFen("4k3/8/8/8/p7/1P5p/8/4K3 w - -");
    EXPECT_TRUE(Legal(edge, "b3", "a4"));
    EXPECT_FALSE(Legal(edge, "b3", "c4"));
}

TEST(Legal, KingsMayNotMeetOrBeCaptured) {
    Board kings = FromFen("8/8/8/3k4/8/4K3/8/8 w - -");
    EXPECT_FALSE(Legal(kings, "e3", "e4"));
    EXPECT_FALSE(Legal(kings, "e3", "d4"));
    EXPECT_TRUE(Legal(kings, "e3", "e2"));
    // Capturing a king is refused even when it is the only way out.
    Board capture = FromFen("4k3/8/8/8/8/8/8/r3K2R w - -");
    capture.Squares[4][0] = -King;
    capture.Squares[7][0] = -King;
    EXPECT_FALSE(Legal(capture, "h1", "h8"));
}

TEST(Legal, PinnedPieceStaysOnItsLine) {
    Board board = FromFen("4k3/4r3/8/8/8/8/4B3/4K3 w - -");
    EXPECT_FALSE(Legal(board, "e2", "d3"));
    Board rook = FromFen("4k3/4r3/8/8/8/8/4R3/4K3 w - -");
    EXPECT_TRUE(Legal(rook, "e2", "e5"));
    EXPECT_TRUE(Legal(rook, "e2", "e7"));
    EXPECT_FALSE(Legal(rook, "e2", "d2"));
}

TEST(Legal, CastlingRules) {
    const std::string open = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -";
    Board board = FromFen(open);
    EXPECT_TRUE(Legal(board, "e1", "g1"));
    EXPECT_TRUE(Legal(board, "e1", "c1"));

    // The square passed over may be attacked, the destination may not.
    Board passedOver = FromFen("r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq -");
    EXPECT_FALSE(Legal(passedOver, "e1", "f1")); // a real step into the attack is still refused
    EXPECT_TRUE(Legal(passedOver, "e1", "g1"));
    Board destination = FromFen("r3k2r/8/8/8/8/8/6r1/R3K2R w KQkq -");
    EXPECT_FALSE(Legal(destination, "e1", "g1"));

    Board inCheck = FromFen("r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq -");
    EXPECT_FALSE(Legal(inCheck, "e1", "g1"));
    EXPECT_FALSE(Legal(inCheck, "e1", "c1"));

    // Any piece between king and rook blocks, b1 included for the long side.
    Board blocked = FromFen("r3k2r/8/8/8/8/8/8/Rn2K1NR w KQkq -");
    EXPECT_FALSE(Legal(blocked, "e1", "g1"));
    EXPECT_FALSE(Legal(blocked, "e1", "c1"));

    Board noRights = FromFen("r3k2r/8/8/8/8/8/8/R3K2R w Qkq -");
    EXPECT_FALSE(Legal(noRights, "e1", "g1"));
    EXPECT_TRUE(Legal(noRights, "e1", "c1"));

    // The corner must hold a rook of the mover's colour; any such rook will do.
    Board wrongPiece = FromFen("r3k2r/8/8/8/8/8/8/R3K2N w KQkq -");
    EXPECT_FALSE(Legal(wrongPiece, "e1", "g1"));
    Board noRook = FromFen("r3k2r/8/8/8/8/8/8/R3K3 w KQkq -");
    EXPECT_FALSE(Legal(noRook, "e1", "g1"));

    Board black = FromFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    EXPECT_TRUE(Legal(black, "e8", "g8"));
    EXPECT_TRUE(Legal(black, "e8", "c8"));
    EXPECT_FALSE(Legal(black, "e8", "f6"));
}

TEST(Legal, EnPassantOnlyRightAfterTheAdvance) {
    Board board = FromFen("4k3/3p4/8/4P3/8/8/8/4K3 b - -");
    ASSERT_TRUE(Legal(board, "d7", "d5"));
    MakeMove(board, 3, 1, 3, 3);
    EXPECT_EQ(board.ep2, 3);
    EXPECT_TRUE(Legal(board, "e5", "d6"));

    // One move later the chance is gone.
    Board later = board;
    MakeMove(later, 4, 7, 4, 6);
    MakeMove(later, 4, 0, 4, 1);
    EXPECT_EQ(later.ep2, -1);
    EXPECT_FALSE(Legal(later, "e5", "d6"));

    // Both pawns leave the row: a rook behind them then checks the king.
    Board pinned = FromFen("8/8/8/K2pP2r/8/8/8/4k3 w - d6");
    EXPECT_FALSE(Legal(pinned, "e5", "d6"));
    Board free = FromFen("8/8/8/3pP3/8/8/8/K3k3 w - d6");
    EXPECT_TRUE(Legal(free, "e5", "d6"));
}

TEST(Legal, NothingMovesWhileAChoiceIsPending) {
    Board board = FromFen("1P2k3/8/8/8/8/8/8/4K3 w - -");
    board.ToPlay = WhiteChooses;
    EXPECT_EQ(CountLegalPairs(board), 0);
    for (int y = 0; y < 8; ++y) EXPECT_FALSE(IsPseudoLegal(board, 4, 7, 4, y));
}

TEST(Legal, PathClearIgnoresEndSquares) {
    Board board = FromFen("4k3/8/8/8/8/8/8/R1r1K3 w - -");
    EXPECT_TRUE(PathClear(board, 0, 7, 1, 7));
    EXPECT_TRUE(PathClear(board, 0, 7, 2, 7));
    EXPECT_FALSE(PathClear(board, 0, 7, 3, 7));
    EXPECT_TRUE(PathClear(board, 0, 7, 7, 0));
}
