// The squares of a record as sets of squares, and quick answers built on them: the legal
// targets of a piece and whether the side to move has a legal move. They answer exactly as
// IsLegal does, pair by pair, without copying the record for every move tried.
#pragma once

#include <bit>
#include <cstdint>

#include "engine/Boardu.h"

// A set of squares: bit x * 8 + y stands for square (x, y), so ascending bits run in the order
// in which the legal-move list tries its squares (file outer, row inner).
using SquareSet = uint64_t;

constexpr int SquareIndex(int x, int y) {
    return x * 8 + y;
}

constexpr SquareSet SquareBit(int square) {
    return SquareSet{1} << square;
}

// One side's king, whether it is attacked, and the side's pieces that stand alone on a line
// between it and an enemy rook, bishop or queen that would attack it.
struct SideView {
    int King;
    bool InCheck;
    SquareSet Pinned;
};

struct BoardView {
    SquareSet Pieces[13]; // Pieces[code + 6]: the squares holding that piece code
    SquareSet Side[3];    // Side[White], Side[Black]
    SquareSet Occupied;
    SideView Sides[3]; // Sides[White], Sides[Black]; set only for a plain record
    // ToPlay 1 to 4, nothing but piece codes, one king a side, and no king on the square a
    // capture en passant would empty: the answers below hold only for such a record. Any other
    // record is answered by trying every pair.
    bool Plain;
};

// Fills the view of a record.
void ViewBoard(const Board& board, BoardView& view);

// Brings the view of a plain record `before` up to date for `after`, the same record after
// MakeMove, and returns the squares whose piece changed.
SquareSet FollowMove(BoardView& view, const Board& before, const Board& after);

// Returns the squares among `wanted` to which the piece on `from` may move, as IsLegal would
// answer with that piece's side to move. The record must be plain. Moves MakeMove plays its own
// way (castling, and pawn moves onto the en passant square) are tried on a copy.
SquareSet LegalTargets(const Board& board, const BoardView& view, int from, SquareSet wanted);

// Tests whether the side to move (ToPlay 1 or 2) of a plain record has a legal move.
bool HasLegalMove(const Board& board, const BoardView& view);

// Counts, by the type of the piece taken (1 pawn .. 6 queen), the legal captures of `side`'s
// pieces, kings never taken: each attacker and victim once, as IsLegal would answer with `side`
// to move. The record must be plain.
void CountCaptures(const Board& board, const BoardView& view, int side, int (&taken)[7]);

// Returns the first square, in the order of the pairs, that IsLegal tries for the king of `side`
// beyond a king's step and not holding the side's own piece or a king, or 64 if there is none.
// Trying it asks for the check status (castling needs it), which brings that cache up to date.
int FirstCastlingTry(const BoardView& view, int side);

// Brings the check-status cache of a plain record up to date, as GetCheck does, from its view.
void RefreshCheck(Board& board, const BoardView& view);

// Returns the lowest square of a non-empty set.
inline int LowestSquare(SquareSet squares) {
    return std::countr_zero(squares);
}
