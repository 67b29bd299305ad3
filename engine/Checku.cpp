#include "engine/Checku.h"

#include "engine/Kingu.h"

namespace {

// Tests whether the king on (kx, ky) is attacked by a piece of the side whose codes carry
// `sign` (+1 White attackers, -1 Black attackers). `pawnDy` is the row step from the king
// to a square an enemy pawn attacks it from.
bool Attacked(const Board& board, int kx, int ky, int sign, int pawnDy) {
    if (!OnBoard(kx, ky)) return false; // only a damaged record gets here
    const int py = ky + pawnDy;
    if (py >= 0 && py < 8) {
        if (kx > 0 && board.Squares[kx - 1][py] == sign * Pawn) return true;
        if (kx < 7 && board.Squares[kx + 1][py] == sign * Pawn) return true;
    }

    // Sliders: the first occupied square in each direction decides.
    static constexpr int Diagonals[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    static constexpr int Straights[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    auto slides = [&](const int(&dirs)[4][2], int piece) {
        for (const auto& d : dirs) {
            int x = kx + d[0];
            int y = ky + d[1];
            while (OnBoard(x, y)) {
                const int code = board.Squares[x][y];
                if (code != Empty) {
                    if (code == sign * piece || code == sign * Queen) return true;
                    break;
                }
                x += d[0];
                y += d[1];
            }
        }
        return false;
    };
    if (slides(Diagonals, Bishop) || slides(Straights, Rook)) return true;

    static constexpr int Jumps[8][2] = {{-1, 2}, {-2, 1}, {-2, -1}, {-1, -2},
                                        {1, -2}, {2, -1}, {2, 1},   {1, 2}};
    for (const auto& j : Jumps)
        if (GetSquare(board, kx + j[0], ky + j[1]) == sign * Knight) return true;

    for (int x = kx - 1; x <= kx + 1; ++x)
        for (int y = ky - 1; y <= ky + 1; ++y)
            if (GetSquare(board, x, y) == sign * King) return true;
    return false;
}

} // namespace

bool WhiteInCheck(const Board& board) {
    // Black pawns attack towards larger rows, so they stand one row above the king.
    return Attacked(board, board.King1X, board.King1Y, -1, -1);
}

bool BlackInCheck(const Board& board) {
    return Attacked(board, board.King2X, board.King2Y, +1, +1);
}

int GetCheck(Board& board) {
    if (board.CheckVersion == board.CheckVersionSeen) return board.CheckStatus;
    board.CheckVersionSeen = board.CheckVersion;
    FindWhiteKing(board);
    const bool white = WhiteInCheck(board);
    FindBlackKing(board);
    const bool black = BlackInCheck(board);
    board.CheckStatus = white && black ? BothInCheck : white ? White : black ? Black : 0;
    return board.CheckStatus;
}
