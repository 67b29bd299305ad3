#include "engine/Historyu.h"

void ResetHistory(History& history) {
    history.Count = 0;
    history.Stored = 0;
}

bool HistoryFull(const History& history) {
    return history.Count >= HistorySize;
}

bool PushHistory(History& history, const Board& board) {
    if (history.Count < 0 || HistoryFull(history)) return false;
    history.Snapshots[history.Count] = board;
    history.Count += 1;
    history.Stored = history.Count;
    return true;
}

void StepBack(History& history, Board& board) {
    if (history.Count <= 1) return;
    history.Count -= 1;
    board = history.Snapshots[history.Count - 1];
    // Never land between a pawn's move and its promotion choice.
    if (board.ToPlay > Black && history.Count > 1) {
        history.Count -= 1;
        board = history.Snapshots[history.Count - 1];
    }
}

void StepForward(History& history, Board& board) {
    if (history.Count >= history.Stored) return;
    board = history.Snapshots[history.Count];
    history.Count += 1;
    if (board.ToPlay > Black && history.Count < history.Stored) {
        history.Count += 1;
        board = history.Snapshots[history.Count - 1];
    }
}
