#include "engine/Legalu.h"

#include "engine/Checku.h"
#include "engine/Makemoveu.h"

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}
int Abs(int v) {
    return v < 0 ? -v : v;
}

// Pawn rules for either colour: `dir` is the row step forward (-1 White, +1 Black), `start`
// the pawn's home row, `epFile` the file on which the enemy pawn may be taken en passant.
bool PawnMove(const Board& board, int x1, int y1, int x2, int y2, int dir, int start, int epFile) {
    const int t = board.Squares[x2][y2];
    const int dx = x2 - x1;
    const int forward = (y2 - y1) * dir; // rows advanced towards the last row
    const bool diagonal = (dx == -1 && x1 > 0) || (dx == 1 && x1 < 7);
    const int enemy = dir; // sign of an enemy piece's code: a White pawn moves to smaller rows

    if (y1 == start && forward == 2 && dx == 0 && board.Squares[x1][y1 + dir] == Empty &&
        board.Squares[x1][y1 + 2 * dir] == Empty)
        return true;
    if (forward == 1 && dx == 0 && t == Empty) return true;
    if (forward == 1 && diagonal && Sign(t) == enemy) return true;
    // En passant: the pawn stands on the fifth row from its own side.
    const int epRow = start + 3 * dir;
    return y1 == epRow && forward == 1 && diagonal && epFile == x2;
}

bool RookMove(const Board& board, int x1, int y1, int x2, int y2) {
    return (x2 == x1 || y2 == y1) && PathClear(board, x1, y1, x2, y2);
}

bool BishopMove(const Board& board, int x1, int y1, int x2, int y2) {
    return Abs(x2 - x1) == Abs(y2 - y1) && PathClear(board, x1, y1, x2, y2);
}

bool KnightMove(int x1, int y1, int x2, int y2) {
    const int adx = Abs(x2 - x1);
    const int ady = Abs(y2 - y1);
    return adx + ady == 3 && adx < 3 && ady < 3;
}

// King steps and castling for `side`; the square the king passes over is not tested.
bool KingMove(Board& board, int x1, int y1, int x2, int y2, int side) {
    if (Abs(x2 - x1) <= 1 && Abs(y2 - y1) <= 1) return true;
    const int check = GetCheck(board);
    if (check == side || check == BothInCheck) return false;

    const int row = side == White ? 7 : 0;
    const int rook = side == White ? Rook : -Rook;
    const bool queenRight = side == White ? board.QueenCastle1 : board.QueenCastle2;
    const bool kingRight = side == White ? board.KingCastle1 : board.KingCastle2;
    if (x1 != 4 || y1 != row || y2 != row) return false;
    const auto* rank = board.Squares;
    if (x2 == 2)
        return rank[1][row] == Empty && rank[2][row] == Empty && rank[3][row] == Empty &&
               rank[0][row] == rook && queenRight;
    if (x2 == 6)
        return rank[5][row] == Empty && rank[6][row] == Empty && rank[7][row] == rook && kingRight;
    return false;
}

} // namespace

int PieceType(int code) {
    return code < 0 ? -code : code;
}

bool PathClear(const Board& board, int x1, int y1, int x2, int y2) {
    const int sx = Sign(x2 - x1);
    const int sy = Sign(y2 - y1);
    int x = x1;
    int y = y1;
    while (x != x2 - sx || y != y2 - sy) {
        x += sx;
        y += sy;
        if (board.Squares[x][y] != Empty) return false;
    }
    return true;
}

bool IsPseudoLegal(Board& board, int x1, int y1, int x2, int y2) {
    const int p = board.Squares[x1][y1];
    const int t = board.Squares[x2][y2];
    if (p == Empty) return false;
    if (x1 == x2 && y1 == y2) return false;
    if (PieceType(t) == King) return false;

    int side;
    if (board.ToPlay == White) {
        if (t > 0 || p < 0) return false;
        side = White;
    } else if (board.ToPlay == Black) {
        if (t < 0 || p > 0) return false;
        side = Black;
    } else {
        return false; // a promotion choice is pending
    }

    switch (PieceType(p)) {
    case Pawn:
        return side == White ? PawnMove(board, x1, y1, x2, y2, -1, 6, board.ep2)
                             : PawnMove(board, x1, y1, x2, y2, +1, 1, board.ep1);
    case Rook:
        return RookMove(board, x1, y1, x2, y2);
    case Knight:
        return KnightMove(x1, y1, x2, y2);
    case Bishop:
        return BishopMove(board, x1, y1, x2, y2);
    case King:
        return KingMove(board, x1, y1, x2, y2, side);
    case Queen:
        return RookMove(board, x1, y1, x2, y2) || BishopMove(board, x1, y1, x2, y2);
    default:
        return false; // not a piece code: only a damaged record holds one
    }
}

bool IsLegal(Board& board, int x1, int y1, int x2, int y2) {
    if (!IsPseudoLegal(board, x1, y1, x2, y2)) return false;
    Board copy;
    CopyPosition(copy, board);
    MakeMove(copy, x1, y1, x2, y2);
    const int s = GetCheck(copy);
    return s != board.ToPlay && s != BothInCheck;
}
