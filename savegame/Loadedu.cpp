#include "Loadedu.h"

#include "Historyu.h"
#include "Makemoveu.h"

namespace {

bool PawnWaits(const Board& board, int pawn, int row) {
    for (int x = 0; x < 8; ++x)
        if (board.Squares[x][row] == pawn) return true;
    return false;
}

} // namespace

void SanitiseLoadedPosition(Board& board) {
    if (board.ToPlay < White || board.ToPlay > BlackChooses) board.ToPlay = White;
    // Without its pawn a pending choice has no legal answer, and the game would stall.
    if (board.ToPlay == WhiteChooses && !PawnWaits(board, Pawn, 0)) board.ToPlay = White;
    if (board.ToPlay == BlackChooses && !PawnWaits(board, -Pawn, 7)) board.ToPlay = Black;
    if (board.ep1 < -1 || board.ep1 > 7) board.ep1 = -1;
    if (board.ep2 < -1 || board.ep2 > 7) board.ep2 = -1;
}

void JudgeLoadedPosition(Board& board, int index) {
    board.Material = CountMaterial(board);
    board.Outcome = InProgress;
    DecideOutcome(board, index + 1 == HistorySize);
}
