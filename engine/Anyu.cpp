#include "engine/Anyu.h"

#include "engine/Boardviewu.h"
#include "engine/Legalu.h"

namespace {

// Tries the pieces in the order of the pairs. The pairs reaching the king's first castling try
// ask for the check status; this brings it up to date at the same point.
bool AnyPlainMove(Board& board, const BoardView& view) {
    const int castlingTry = FirstCastlingTry(view, board.ToPlay);
    for (SquareSet own = view.Side[board.ToPlay]; own; own &= own - 1) {
        const int from = LowestSquare(own);
        const SquareSet targets = LegalTargets(board, view, from, ~SquareSet{0});
        if (from == view.Sides[board.ToPlay].King && castlingTry < 64 &&
            (!targets || LowestSquare(targets) >= castlingTry))
            RefreshCheck(board, view);
        if (targets) return true;
    }
    return false;
}

} // namespace

bool AnyLegalMove(Board& board) {
    if (board.ToPlay > Black) return true;
    BoardView view;
    ViewBoard(board, view);
    if (view.Plain) return AnyPlainMove(board, view);
    for (int x1 = 0; x1 < 8; ++x1)
        for (int y1 = 0; y1 < 8; ++y1)
            for (int x2 = 0; x2 < 8; ++x2)
                for (int y2 = 0; y2 < 8; ++y2)
                    if (IsLegal(board, x1, y1, x2, y2)) return true;
    return false;
}
