#include "engine/Stalemateu.h"

#include "engine/Anyu.h"
#include "engine/Checku.h"

bool DrawnByCounters(const Board& board) {
    return board.Bored50 >= FiftyMoveLimit || board.Repetition1 > RepetitionLimit ||
           board.Repetition2 > RepetitionLimit;
}

bool IsStalemate(Board& board) {
    if (DrawnByCounters(board)) return true;
    if (AnyLegalMove(board)) return false;
    const int s = GetCheck(board);
    return s != board.ToPlay && s != BothInCheck;
}
