#include "engine/Anyu.h"

#include "engine/Legalu.h"

bool AnyLegalMove(Board& board) {
    if (board.ToPlay > Black) return true;
    for (int x1 = 0; x1 < 8; ++x1)
        for (int y1 = 0; y1 < 8; ++y1)
            for (int x2 = 0; x2 < 8; ++x2)
                for (int y2 = 0; y2 < 8; ++y2)
                    if (IsLegal(board, x1, y1, x2, y2)) return true;
    return false;
}
