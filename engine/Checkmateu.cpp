#include "Checkmateu.h"

#include "Anyu.h"
#include "Checku.h"

bool IsMate(Board& board) {
    if (AnyLegalMove(board)) return false;
    const int s = GetCheck(board);
    return (board.ToPlay == White && (s == White || s == BothInCheck)) ||
           (board.ToPlay == Black && (s == Black || s == BothInCheck));
}
