#include "engine/Kingu.h"

namespace {

// Searches the back row from the king's home file first, then the other rows in the given
// order; stores the first square holding `code`.
bool FindKing(const Board& board, int code, int homeRow, const int (&rows)[7], int& kx, int& ky) {
    static constexpr int HomeRowFiles[8] = {4, 7, 0, 1, 2, 3, 5, 6};
    for (int x : HomeRowFiles) {
        if (board.Squares[x][homeRow] == code) {
            kx = x;
            ky = homeRow;
            return true;
        }
    }
    for (int y : rows) {
        for (int x = 0; x < 8; ++x) {
            if (board.Squares[x][y] == code) {
                kx = x;
                ky = y;
                return true;
            }
        }
    }
    return false;
}

} // namespace

void FindWhiteKing(Board& board) {
    static constexpr int Rows[7] = {6, 5, 0, 1, 2, 3, 4};
    FindKing(board, King, 7, Rows, board.King1X, board.King1Y);
}

void FindBlackKing(Board& board) {
    static constexpr int Rows[7] = {1, 2, 3, 4, 5, 6, 7};
    FindKing(board, -King, 0, Rows, board.King2X, board.King2Y);
}
