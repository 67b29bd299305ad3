#include "engine/Boardviewu.h"

#include <bit>
#include <initializer_list>

#include "engine/Legalu.h"

namespace {

// The eight directions (dx, dy); the last four step to higher square numbers.
constexpr int Directions[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                  {0, 1},   {1, -1}, {1, 0},  {1, 1}};
constexpr int DiagonalDirections[4] = {0, 2, 5, 7};
constexpr int StraightDirections[4] = {1, 3, 4, 6};
constexpr int KnightJumps[8][2] = {{-1, 2}, {-2, 1}, {-2, -1}, {-1, -2},
                                   {1, -2}, {2, -1}, {2, 1},   {1, 2}};

struct Tables {
    SquareSet Ray[8][64]; // the squares from a square (not included) to the edge
    SquareSet Knight[64];
    SquareSet King[64];
    SquareSet Push[3][64];    // a pawn of each side: the square one row ahead
    SquareSet Capture[3][64]; // ... and the two squares it captures on
    int8_t Direction[64][64]; // the direction from one square to another on a line, else -1
};

constexpr SquareSet BitAt(int x, int y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8 ? SquareBit(SquareIndex(x, y)) : 0;
}

constexpr Tables MakeTables() {
    Tables t{};
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int s = SquareIndex(x, y);
            for (int b = 0; b < 64; ++b) t.Direction[s][b] = -1;
            for (int d = 0; d < 8; ++d)
                for (int tx = x + Directions[d][0], ty = y + Directions[d][1]; BitAt(tx, ty) != 0;
                     tx += Directions[d][0], ty += Directions[d][1]) {
                    t.Ray[d][s] |= BitAt(tx, ty);
                    t.Direction[s][SquareIndex(tx, ty)] = static_cast<int8_t>(d);
                }
            for (const auto& j : KnightJumps) t.Knight[s] |= BitAt(x + j[0], y + j[1]);
            for (const auto& d : Directions) t.King[s] |= BitAt(x + d[0], y + d[1]);
            // White pawns move towards row 0, Black pawns towards row 7.
            t.Push[White][s] = BitAt(x, y - 1);
            t.Push[Black][s] = BitAt(x, y + 1);
            t.Capture[White][s] = BitAt(x - 1, y - 1) | BitAt(x + 1, y - 1);
            t.Capture[Black][s] = BitAt(x - 1, y + 1) | BitAt(x + 1, y + 1);
        }
    return t;
}

constexpr Tables T = MakeTables();

int HighestSquare(SquareSet squares) {
    return 63 - std::countl_zero(squares);
}

// The first square of a non-empty set met walking from the ray's start in direction d.
int Nearest(int d, SquareSet squares) {
    return d >= 4 ? LowestSquare(squares) : HighestSquare(squares);
}

// The squares a slider on `square` reaches in direction d, the first occupied one included.
SquareSet RayAttacks(int d, int square, SquareSet occupied) {
    const SquareSet ray = T.Ray[d][square];
    const SquareSet blockers = ray & occupied;
    return blockers ? ray ^ T.Ray[d][Nearest(d, blockers)] : ray;
}

SquareSet Lines(const int (&directions)[4], int square, SquareSet occupied) {
    SquareSet reach = 0;
    for (int d : directions) reach |= RayAttacks(d, square, occupied);
    return reach;
}

SquareSet PiecesOf(const BoardView& view, int side, int type) {
    return view.Pieces[6 + (side == White ? type : -type)];
}

// Tests whether a piece of `by`, other than those on `gone`, attacks `square` when the
// occupied squares are `occupied`: the attack test of the check detection, on any square.
bool AttackedBy(const BoardView& view, int square, int by, SquareSet occupied, SquareSet gone) {
    const auto pieces = [&](int type) { return PiecesOf(view, by, type) & ~gone; };
    // A pawn of `by` attacks the squares a pawn of the other side would capture from.
    if ((T.Capture[3 - by][square] & pieces(Pawn)) || (T.Knight[square] & pieces(Knight)) ||
        (T.King[square] & pieces(King)))
        return true;
    const SquareSet queens = pieces(Queen);
    const SquareSet diagonal = pieces(Bishop) | queens;
    if (diagonal && (Lines(DiagonalDirections, square, occupied) & diagonal)) return true;
    const SquareSet straight = pieces(Rook) | queens;
    return straight && (Lines(StraightDirections, square, occupied) & straight);
}

// The pieces of `side` that stand alone between its king and an enemy slider on a line.
SquareSet PinnedPieces(const BoardView& view, int side, int king) {
    const int enemy = 3 - side;
    const SquareSet queens = PiecesOf(view, enemy, Queen);
    SquareSet pinned = 0;
    for (int d = 0; d < 8; ++d) {
        const bool straight = Directions[d][0] == 0 || Directions[d][1] == 0;
        const SquareSet sliders =
            (straight ? PiecesOf(view, enemy, Rook) : PiecesOf(view, enemy, Bishop)) | queens;
        if (!(T.Ray[d][king] & sliders)) continue;
        const int first = Nearest(d, T.Ray[d][king] & view.Occupied);
        if (!(view.Side[side] & SquareBit(first))) continue;
        const SquareSet beyond = T.Ray[d][first] & view.Occupied;
        if (beyond && (sliders & SquareBit(Nearest(d, beyond)))) pinned |= SquareBit(first);
    }
    return pinned;
}

// The squares a pinned piece on `from` may still move to: its line, from beside the king up to
// and including the piece that pins it.
SquareSet PinLine(const BoardView& view, int king, int from) {
    const int d = T.Direction[king][from];
    const int pinner = Nearest(d, T.Ray[d][from] & view.Occupied);
    return T.Ray[d][king] & ~T.Ray[d][pinner];
}

// The full test on a copy, with the piece's side to move.
bool LegalOnCopy(const Board& board, int side, int from, int to) {
    Board copy;
    CopyPosition(copy, board);
    copy.ToPlay = side;
    return IsLegal(copy, from / 8, from % 8, to / 8, to % 8);
}

// Castling for the king on `from`: not out of check, the squares between empty, the side's rook
// in the corner, the right kept, and the king's destination not attacked once king and rook
// have moved. The square the king passes over is not looked at.
SquareSet Castlings(const Board& board, const BoardView& view, int side, int from,
                    SquareSet wanted) {
    const int row = side == White ? 7 : 0;
    if (from != SquareIndex(4, row) || view.Sides[side].InCheck) return 0;
    const int rook = side == White ? Rook : -Rook;
    SquareSet castlings = 0;
    const auto castle = [&](bool right, int kingTo, int rookFrom, int rookTo, SquareSet between) {
        const int target = SquareIndex(kingTo, row);
        if (!right || !(wanted & SquareBit(target)) || (view.Occupied & between) ||
            board.Squares[rookFrom][row] != rook)
            return;
        const SquareSet occupied =
            (view.Occupied & ~SquareBit(from) & ~SquareBit(SquareIndex(rookFrom, row))) |
            SquareBit(SquareIndex(rookTo, row)) | SquareBit(target);
        if (!AttackedBy(view, target, 3 - side, occupied, 0)) castlings |= SquareBit(target);
    };
    castle(side == White ? board.QueenCastle1 : board.QueenCastle2, 2, 0, 3,
           BitAt(1, row) | BitAt(2, row) | BitAt(3, row));
    castle(side == White ? board.KingCastle1 : board.KingCastle2, 6, 7, 5,
           BitAt(5, row) | BitAt(6, row));
    return castlings;
}

} // namespace

int LowestSquare(SquareSet squares) {
    return std::countr_zero(squares);
}

void ViewBoard(const Board& board, BoardView& view) {
    for (SquareSet& pieces : view.Pieces) pieces = 0;
    bool codes = true;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int32_t code = board.Squares[x][y];
            if (code < -6 || code > 6)
                codes = false;
            else
                view.Pieces[code + 6] |= SquareBit(SquareIndex(x, y));
        }
    view.Side[White] = view.Side[Black] = 0;
    for (int type = Pawn; type <= Queen; ++type) {
        view.Side[White] |= view.Pieces[6 + type];
        view.Side[Black] |= view.Pieces[6 - type];
    }
    view.Occupied = view.Side[White] | view.Side[Black];
    const SquareSet whiteKing = view.Pieces[6 + King];
    const SquareSet blackKing = view.Pieces[6 - King];
    // MakeMove's capture en passant empties the square behind its target; were a king standing
    // there, the check test after it would read a king square left from earlier tests.
    const SquareSet kings = whiteKing | blackKing;
    const auto behindEp = [](int file, int row) {
        return file >= 0 && file < 8 ? BitAt(file, row) : 0;
    };
    view.Plain = codes && board.ToPlay >= White && board.ToPlay <= BlackChooses &&
                 std::has_single_bit(whiteKing) && std::has_single_bit(blackKing) &&
                 std::popcount(view.Side[White]) <= 16 && std::popcount(view.Side[Black]) <= 16 &&
                 !(kings & (behindEp(board.ep2, 3) | behindEp(board.ep1, 4)));
    if (!view.Plain) return;
    for (int side : {White, Black}) {
        SideView& s = view.Sides[side];
        s.King = LowestSquare(side == White ? whiteKing : blackKing);
        s.InCheck = AttackedBy(view, s.King, 3 - side, view.Occupied, 0);
        s.Pinned = PinnedPieces(view, side, s.King);
    }
}

SquareSet LegalTargets(const Board& board, const BoardView& view, int from, SquareSet wanted) {
    const int x = from / 8;
    const int y = from % 8;
    const int code = board.Squares[x][y];
    const int side = code > 0 ? White : Black;
    const int enemy = 3 - side;
    const SideView& me = view.Sides[side];
    // Never onto the mover's own pieces, never onto a king.
    const SquareSet open = ~view.Side[side] & ~PiecesOf(view, enemy, King) & wanted;
    SquareSet targets = 0;
    SquareSet special = 0;
    switch (code < 0 ? -code : code) {
    case Pawn: {
        const SquareSet ahead = T.Push[side][from] & ~view.Occupied;
        targets = ahead;
        if (ahead && y == (side == White ? 6 : 1))
            targets |= T.Push[side][LowestSquare(ahead)] & ~view.Occupied;
        targets |= T.Capture[side][from] & view.Side[enemy];
        targets &= open;
        const int epFile = side == White ? board.ep2 : board.ep1;
        if (epFile >= 0 && epFile < 8) {
            // MakeMove plays any pawn move onto this square as a capture en passant.
            const SquareSet ep = BitAt(epFile, side == White ? 2 : 5);
            special = (targets | T.Capture[side][from]) & ep & open;
            targets &= ~ep;
        }
        break;
    }
    case Knight:
        targets = T.Knight[from] & open;
        break;
    case Bishop:
        targets = Lines(DiagonalDirections, from, view.Occupied) & open;
        break;
    case Rook:
        targets = Lines(StraightDirections, from, view.Occupied) & open;
        break;
    case Queen:
        targets = (Lines(DiagonalDirections, from, view.Occupied) |
                   Lines(StraightDirections, from, view.Occupied)) &
                  open;
        break;
    case King: {
        SquareSet legal = Castlings(board, view, side, from, wanted);
        for (SquareSet steps = T.King[from] & open; steps; steps &= steps - 1) {
            const int to = LowestSquare(steps);
            const SquareSet occupied = (view.Occupied & ~SquareBit(from)) | SquareBit(to);
            if (!AttackedBy(view, to, enemy, occupied, SquareBit(to))) legal |= SquareBit(to);
        }
        return legal;
    }
    default:
        return 0;
    }

    SquareSet legal = targets;
    if (me.InCheck) {
        legal = 0;
        for (; targets; targets &= targets - 1) {
            const int to = LowestSquare(targets);
            const SquareSet occupied = (view.Occupied & ~SquareBit(from)) | SquareBit(to);
            if (!AttackedBy(view, me.King, enemy, occupied, SquareBit(to))) legal |= SquareBit(to);
        }
    } else if (me.Pinned & SquareBit(from)) {
        legal &= PinLine(view, me.King, from);
    }
    for (; special; special &= special - 1)
        if (LegalOnCopy(board, side, from, LowestSquare(special)))
            legal |= SquareBit(LowestSquare(special));
    return legal;
}

int FirstCastlingTry(const BoardView& view, int side) {
    const int king = view.Sides[side].King;
    const SquareSet far = ~T.King[king] & ~view.Side[side] & ~PiecesOf(view, 3 - side, King);
    return far ? LowestSquare(far) : 64;
}

bool HasLegalMove(const Board& board, const BoardView& view) {
    for (SquareSet own = view.Side[board.ToPlay]; own; own &= own - 1)
        if (LegalTargets(board, view, LowestSquare(own), ~SquareSet{0})) return true;
    return false;
}
