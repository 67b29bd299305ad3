// The quick answers on sets of squares against IsLegal pair by pair, on random records that no
// game reaches: en passant files beside any piece, pawns on every row, kings side by side,
// missing or doubled.
#include <random>
#include <vector>

#include "engine/Anyu.h"
#include "engine/Boardviewu.h"
#include "engine/Findu.h"
#include "tests/engine/EngineTestUtil.h"

namespace {

Board RandomRecord(std::mt19937& random) {
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Board board{};
    ClearBoard(board);
    // Pawns crowd the rows where they take en passant; kings and rooks start at home or not.
    for (int n = below(26); n >= 0; --n)
        board.Squares[below(8)][below(3) ? 2 + below(4) : below(8)] =
            (below(2) ? 1 : -1) * (below(3) ? Pawn : 2 + below(5));
    board.Squares[below(2) ? 4 : below(8)][below(2) ? 7 : below(8)] = King;
    board.Squares[below(2) ? 4 : below(8)][below(2) ? 0 : below(8)] = -King;
    for (int x : {0, 7})
        for (int y : {0, 7})
            if (below(2)) board.Squares[x][y] = y == 7 ? Rook : -Rook;
    board.ToPlay = 1 + below(2);
    board.ep1 = below(9) - 1;
    board.ep2 = below(9) - 1;
    // Now and then White's king stands where a capture en passant would take a pawn from.
    if (board.ep2 >= 0 && below(4) == 0) {
        for (auto& file : board.Squares)
            for (int32_t& code : file)
                if (code == King) code = Empty;
        board.Squares[board.ep2][3] = King;
    }
    board.QueenCastle1 = below(2);
    board.KingCastle2 = below(2);
    board.Material = CountMaterial(board);
    return board;
}

// The first pair IsLegal accepts, trying them as the legal-move list does, if there is one.
bool FirstPair(Board& board) {
    for (int from = 0; from < 64; ++from)
        for (int to = 0; to < 64; ++to)
            if (IsLegal(board, from / 8, from % 8, to / 8, to % 8)) return true;
    return false;
}

} // namespace

TEST(BoardView, ListsFirstMovesAndCapturesAsThePairsDo) {
    std::mt19937 random(14);
    for (int n = 0; n < 600; ++n) {
        const Board board = RandomRecord(random);
        Board list = board, pairs = board, any = board, first = board;
        FindLegalMoves(list);
        int count = 0;
        bool same = true;
        for (int from = 0; from < 64; ++from)
            for (int to = 0; to < 64; ++to)
                if (IsLegal(pairs, from / 8, from % 8, to / 8, to % 8))
                    same = same && count < list.LegalCount &&
                           SameMove(list.LegalMoves[count++], from / 8, from % 8, to / 8, to % 8);
        EXPECT_TRUE(same && count == list.LegalCount) << "record " << n;
        EXPECT_EQ(AnyLegalMove(any), FirstPair(first)) << "record " << n;
        // Castling asks for the check status: the quick answers bring the cache up to date at
        // the same point, to the same status and king squares.
        const auto cache = [](const Board& b) {
            return std::vector<int>{b.CheckVersionSeen, b.CheckStatus, b.King1X,
                                    b.King1Y,           b.King2X,      b.King2Y};
        };
        EXPECT_EQ(cache(list), cache(pairs)) << "record " << n;
        EXPECT_EQ(cache(any), cache(first)) << "record " << n;

        BoardView view;
        ViewBoard(board, view);
        for (int side : {White, Black}) {
            if (!view.Plain) break;
            int taken[7] = {}, wanted[7] = {};
            CountCaptures(board, view, side, taken);
            Board asked = board;
            asked.ToPlay = side;
            const int sign = side == White ? 1 : -1;
            for (int from = 0; from < 64; ++from)
                for (int to = 0; to < 64; ++to) {
                    const int victim = -sign * asked.Squares[to / 8][to % 8];
                    if (victim > 0 && victim != King &&
                        asked.Squares[from / 8][from % 8] * sign > 0 &&
                        IsLegal(asked, from / 8, from % 8, to / 8, to % 8))
                        ++wanted[victim];
                }
            for (int type = Pawn; type <= Queen; ++type)
                EXPECT_EQ(taken[type], wanted[type]) << "record " << n << " side " << side;
        }
    }
}
