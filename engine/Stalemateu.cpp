#include "engine/Stalemateu.h"

#include "engine/Anyu.h"
#include "engine/Checku.h"

bool IsStalemate(Board& board) {
    if (board.Bored50 >= FiftyMoveLimit) return true;
    if (board.Repetition1 > RepetitionLimit || board.Repetition2 > RepetitionLimit) return true;
    if (AnyLegalMove(board)) return false;
    const int s = GetCheck(board);
    return s != board.ToPlay && s != BothInCheck;
}
