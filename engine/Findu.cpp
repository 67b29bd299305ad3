#include "engine/Findu.h"

#include <bit>
#include <initializer_list>

#include "engine/Boardviewu.h"
#include "engine/Legalu.h"

namespace {

// Appends the four promotion choices for the waiting pawn of the side whose sign is given.
void ListPromotionChoices(Board& board, int sign) {
    const int file = WaitingPawnFile(board);
    if (file < 0) return; // no waiting pawn: only a damaged record gets here
    const int row = sign > 0 ? 0 : 7;
    for (int piece : {Queen, Rook, Bishop, Knight})
        board.LegalMoves[board.LegalCount++] = Move{PromotionChoice, sign * piece, file, row};
}

// Lists a plain record's moves piece by piece, in the order of the pairs.
void ListPlainMoves(Board& board, const BoardView& view) {
    if (FirstCastlingTry(view, board.ToPlay) < 64) RefreshCheck(board, view);
    for (SquareSet own = view.Side[board.ToPlay]; own; own &= own - 1) {
        const int from = LowestSquare(own);
        for (SquareSet to = LegalTargets(board, view, from, ~SquareSet{0}); to; to &= to - 1)
            board.LegalMoves[board.LegalCount++] =
                Move{from / 8, from % 8, LowestSquare(to) / 8, LowestSquare(to) % 8};
    }
}

} // namespace

int WaitingPawnFile(const Board& board) {
    if (board.ToPlay != WhiteChooses && board.ToPlay != BlackChooses) return -1;
    const bool white = board.ToPlay == WhiteChooses;
    const int row = white ? 0 : 7;
    for (int x = 0; x < 8; ++x)
        if (board.Squares[x][row] == (white ? Pawn : -Pawn)) return x;
    return -1;
}

void FindLegalMoves(Board& board) {
    if (board.ListVersionSeen == board.ListVersion) return;
    board.ListVersionSeen = board.ListVersion;
    board.LegalCount = 0;
    if (board.ToPlay == WhiteChooses) {
        ListPromotionChoices(board, +1);
    } else if (board.ToPlay == BlackChooses) {
        ListPromotionChoices(board, -1);
    } else if (board.ToPlay == White || board.ToPlay == Black) {
        BoardView view;
        ViewBoard(board, view);
        // With at most sixteen pieces a side, as in every game, the list never fills up.
        if (view.Plain && std::popcount(view.Side[White]) <= 16 &&
            std::popcount(view.Side[Black]) <= 16) {
            ListPlainMoves(board, view);
            return;
        }
        for (int x1 = 0; x1 < 8; ++x1)
            for (int y1 = 0; y1 < 8; ++y1)
                for (int x2 = 0; x2 < 8; ++x2)
                    for (int y2 = 0; y2 < 8; ++y2)
                        // Play never comes near the capacity; a position read from a file
                        // can hold more pieces than a game, so the list is capped.
                        if (board.LegalCount < MaxLegalMoves && IsLegal(board, x1, y1, x2, y2))
                            board.LegalMoves[board.LegalCount++] = Move{x1, y1, x2, y2};
    }
}
