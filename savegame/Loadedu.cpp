#include "savegame/Loadedu.h"

#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Makemoveu.h"
#include "engine/Validu.h"

void SanitiseLoadedPosition(Board& board) {
    if (board.ToPlay < White || board.ToPlay > BlackChooses) board.ToPlay = White;
    // Without its pawn a pending choice has no legal answer, and the game would stall.
    if (board.ToPlay > Black && WaitingPawnFile(board) < 0) board.ToPlay -= 2;
    if (board.ep1 < -1 || board.ep1 > 7) board.ep1 = -1;
    if (board.ep2 < -1 || board.ep2 > 7) board.ep2 = -1;
    SettlePosition(board);
}

void JudgeLoadedPosition(Board& board, int index) {
    board.Material = CountMaterial(board);
    board.Outcome = InProgress;
    DecideOutcome(board, index + 1 == HistorySize);
}
