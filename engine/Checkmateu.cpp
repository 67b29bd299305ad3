#include "engine/Checkmateu.h"

#include "engine/Anyu.h"
#include "engine/Checku.h"

bool IsMate(Board& board) {
    if (AnyLegalMove(board)) return false;
    const int s = GetCheck(board);
    return (board.ToPlay == White && (s == White || s == BothInCheck)) ||
           (board.ToPlay == Black && (s == Black || s == BothInCheck));
}
