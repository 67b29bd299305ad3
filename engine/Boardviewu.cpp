#include "engine/Boardviewu.h"

#include <bit>
#include <cstring>
#include <initializer_list>

#include "engine/Legalu.h"

namespace {

// The eight directions (dx, dy); the last four step to higher square numbers.
constexpr int Directions[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                  {0, 1},   {1, -1}, {1, 0},  {1, 1}};
constexpr int DiagonalDirections[4] = {0, 2, 5, 7};
constexpr int StraightDirections[4] = {1, 3, 4, 6};
// Bit x * 8 + y: a step along a row is 1 bit, along a file 8 bits.
constexpr SquareSet Row0 = 0x0101010101010101ull;
constexpr SquareSet Row7 = 0x8080808080808080ull;

constexpr int KnightJumps[8][2] = {{-1, 2}, {-2, 1}, {-2, -1}, {-1, -2},
                                   {1, -2}, {2, -1}, {2, 1},   {1, 2}};

struct Tables {
    SquareSet Ray[8][64];                   // the squares from a square (not included) to the edge
    SquareSet Diagonals[64], Straights[64]; // the four rays of each kind together
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
            for (int d : DiagonalDirections) t.Diagonals[s] |= t.Ray[d][s];
            for (int d : StraightDirections) t.Straights[s] |= t.Ray[d][s];
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

// The squares of `wanted` a slider on `square` reaches; rays without any are not followed.
SquareSet LinesTo(const int (&directions)[4], int square, SquareSet occupied, SquareSet wanted) {
    SquareSet reach = 0;
    for (int d : directions)
        if (T.Ray[d][square] & wanted) reach |= RayAttacks(d, square, occupied);
    return reach & wanted;
}

// The squares any of `sliders` reaches in the direction (Dx, Dy), the first occupied one
// included, found for all of them at once by doubling the steps (an occluded fill).
template <int Dx, int Dy> SquareSet Reach(SquareSet sliders, SquareSet empty) {
    constexpr int shift = Dx * 8 + Dy;
    // A row step off the board would wrap onto the next file: such squares are left out.
    constexpr SquareSet onBoard = Dy > 0 ? ~Row0 : Dy < 0 ? ~Row7 : ~SquareSet{0};
    const auto step = [](SquareSet squares, int times) {
        return shift > 0 ? squares << (shift * times) : squares >> (-shift * times);
    };
    empty &= onBoard;
    sliders |= empty & step(sliders, 1);
    empty &= step(empty, 1);
    sliders |= empty & step(sliders, 2);
    empty &= step(empty, 2);
    sliders |= empty & step(sliders, 4);
    return step(sliders, 1) & onBoard;
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
    if (LinesTo(DiagonalDirections, square, occupied, diagonal)) return true;
    return LinesTo(StraightDirections, square, occupied, pieces(Rook) | queens) != 0;
}

// The pieces of `side` that stand alone between its king and an enemy slider on a line.
SquareSet PinnedPieces(const BoardView& view, int side, int king) {
    const int enemy = 3 - side;
    const SquareSet queens = PiecesOf(view, enemy, Queen);
    const SquareSet diagonal = (PiecesOf(view, enemy, Bishop) | queens) & T.Diagonals[king];
    const SquareSet straight = (PiecesOf(view, enemy, Rook) | queens) & T.Straights[king];
    if (!diagonal && !straight) return 0;
    SquareSet pinned = 0;
    for (int d = 0; d < 8; ++d) {
        const bool isStraight = Directions[d][0] == 0 || Directions[d][1] == 0;
        const SquareSet sliders = isStraight ? straight : diagonal;
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

bool OneSquare(SquareSet squares) {
    return squares && !(squares & (squares - 1));
}

// Derives the sides, the plain test and each side's king safety from the piece sets.
void FinishView(const Board& board, BoardView& view, bool codes) {
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
                 OneSquare(whiteKing) && OneSquare(blackKing) &&
                 !(kings & (behindEp(board.ep2, 3) | behindEp(board.ep1, 4)));
    if (!view.Plain) return;
    for (int side : {White, Black}) {
        SideView& s = view.Sides[side];
        s.King = LowestSquare(side == White ? whiteKing : blackKing);
        s.InCheck = AttackedBy(view, s.King, 3 - side, view.Occupied, 0);
        s.Pinned = PinnedPieces(view, side, s.King);
    }
}

} // namespace

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
    FinishView(board, view, codes);
}

SquareSet FollowMove(BoardView& view, const Board& before, const Board& after) {
    // Two squares at a time, in one pass the compiler can vectorise; a move changes two to four.
    uint64_t was[32], now[32], diff[32];
    std::memcpy(was, before.Squares, sizeof was);
    std::memcpy(now, after.Squares, sizeof now);
    for (int pair = 0; pair < 32; ++pair) diff[pair] = was[pair] ^ now[pair];
    SquareSet changed = 0;
    for (int file = 0; file < 8; ++file) {
        if (!(diff[4 * file] | diff[4 * file + 1] | diff[4 * file + 2] | diff[4 * file + 3]))
            continue;
        for (int pair = 4 * file; pair < 4 * file + 4; ++pair)
            if (diff[pair]) changed |= SquareSet{3} << (2 * pair);
    }
    bool codes = true;
    for (SquareSet left = changed; left; left &= left - 1) {
        const int square = LowestSquare(left);
        const int32_t old = before.Squares[square / 8][square % 8];
        const int32_t code = after.Squares[square / 8][square % 8];
        if (old == code) {
            changed &= ~SquareBit(square);
            continue;
        }
        if (old >= -6 && old <= 6) view.Pieces[old + 6] &= ~SquareBit(square);
        if (code < -6 || code > 6)
            codes = false;
        else
            view.Pieces[code + 6] |= SquareBit(square);
    }
    FinishView(after, view, codes);
    return changed;
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

void RefreshCheck(Board& board, const BoardView& view) {
    if (board.CheckVersionSeen == board.CheckVersion) return;
    board.CheckVersionSeen = board.CheckVersion;
    const int white = view.Sides[White].King;
    const int black = view.Sides[Black].King;
    // The only king of each side is the one the king search finds.
    board.King1X = white / 8;
    board.King1Y = white % 8;
    board.King2X = black / 8;
    board.King2Y = black % 8;
    const bool whiteInCheck = view.Sides[White].InCheck;
    const bool blackInCheck = view.Sides[Black].InCheck;
    board.CheckStatus = whiteInCheck && blackInCheck ? BothInCheck
                        : whiteInCheck               ? White
                        : blackInCheck               ? Black
                                                     : 0;
}

bool HasLegalMove(const Board& board, const BoardView& view) {
    const int side = board.ToPlay;
    const SideView& me = view.Sides[side];
    if (!me.InCheck) {
        // Out of check a piece that is not pinned may make any of its moves but the king's and
        // those onto the en passant square: look for a pawn's step or a knight's jump first.
        const SquareSet free = view.Side[side] & ~me.Pinned;
        const int epFile = side == White ? board.ep2 : board.ep1;
        const SquareSet ep = epFile >= 0 && epFile < 8 ? BitAt(epFile, side == White ? 2 : 5) : 0;
        const SquareSet pawns = PiecesOf(view, side, Pawn) & free;
        const SquareSet steps = side == White ? (pawns & ~Row0) >> 1 : (pawns & ~Row7) << 1;
        if (steps & ~view.Occupied & ~ep) return true;
        const SquareSet open = ~view.Side[side] & ~PiecesOf(view, 3 - side, King);
        for (SquareSet knights = PiecesOf(view, side, Knight) & free; knights;
             knights &= knights - 1)
            if (T.Knight[LowestSquare(knights)] & open) return true;
    }
    for (SquareSet own = view.Side[side]; own; own &= own - 1)
        if (LegalTargets(board, view, LowestSquare(own), ~SquareSet{0})) return true;
    return false;
}

void CountCaptures(const Board& board, const BoardView& view, int side, int (&taken)[7]) {
    const int enemy = 3 - side;
    const SquareSet victims = view.Side[enemy] & ~PiecesOf(view, enemy, King);
    if (!victims) return;
    const auto count = [&](SquareSet hits) {
        for (; hits; hits &= hits - 1) {
            const int victim = LowestSquare(hits);
            const int code = board.Squares[victim / 8][victim % 8];
            ++taken[code < 0 ? -code : code];
        }
    };
    const SideView& me = view.Sides[side];
    // Without a check to answer, every capture of a piece that is neither pinned nor the king
    // is legal.
    const SquareSet free =
        me.InCheck ? 0 : view.Side[side] & ~me.Pinned & ~PiecesOf(view, side, King);
    SquareSet pawns = PiecesOf(view, side, Pawn) & free;
    // A capture onto the en passant square is played by MakeMove its own way; the pawns that
    // could make it are asked one by one with the rest.
    const int epFile = side == White ? board.ep2 : board.ep1;
    const SquareSet ep = epFile >= 0 && epFile < 8 ? BitAt(epFile, side == White ? 2 : 5) : 0;
    if (ep & victims) pawns &= ~T.Capture[enemy][LowestSquare(ep)];
    // The pawns all at once, one diagonal at a time.
    if (side == White) {
        count(((pawns & ~Row0) >> 9) & victims);
        count(((pawns & ~Row0) << 7) & victims);
    } else {
        count(((pawns & ~Row7) >> 7) & victims);
        count(((pawns & ~Row7) << 9) & victims);
    }
    SquareSet done = pawns;
    for (SquareSet knights = PiecesOf(view, side, Knight) & free; knights; knights &= knights - 1)
        count(T.Knight[LowestSquare(knights)] & victims);
    // The sliders all at once, one direction at a time: along a direction, a victim is reached
    // by one slider at most, the nearest behind it.
    const SquareSet queens = PiecesOf(view, side, Queen) & free;
    const SquareSet diagonal = (PiecesOf(view, side, Bishop) & free) | queens;
    const SquareSet straight = (PiecesOf(view, side, Rook) & free) | queens;
    const SquareSet empty = ~view.Occupied;
    if (diagonal) {
        count(Reach<-1, -1>(diagonal, empty) & victims);
        count(Reach<-1, 1>(diagonal, empty) & victims);
        count(Reach<1, -1>(diagonal, empty) & victims);
        count(Reach<1, 1>(diagonal, empty) & victims);
    }
    if (straight) {
        count(Reach<-1, 0>(straight, empty) & victims);
        count(Reach<1, 0>(straight, empty) & victims);
        count(Reach<0, -1>(straight, empty) & victims);
        count(Reach<0, 1>(straight, empty) & victims);
    }
    // The king takes only what no enemy piece guards once it stands there.
    const SquareSet king = SquareBit(me.King);
    for (SquareSet steps = T.King[me.King] & victims; steps; steps &= steps - 1) {
        const int to = LowestSquare(steps);
        if (!AttackedBy(view, to, enemy, (view.Occupied & ~king) | SquareBit(to), SquareBit(to)))
            count(SquareBit(to));
    }
    done |= (free & ~PiecesOf(view, side, Pawn)) | king;
    for (SquareSet rest = view.Side[side] & ~done; rest; rest &= rest - 1)
        count(LegalTargets(board, view, LowestSquare(rest), victims));
}
