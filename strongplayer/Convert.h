// Between the game's record and moves and the strong player's own.
#pragma once

#include <vector>

#include "engine/Boardu.h"
#include "notation/San.h"
#include "strongplayer/Position.h"

namespace strong {

// The square of the game's (x, y): file x, row y counted from Black's back rank.
constexpr int SquareOfXY(int x, int y) {
    return SquareAt(x, 7 - y);
}

// The game's moves the strong player may answer in `board`, from its legal list as it stands
// (found under the rules in play): a pawn's move onto its last row once with each of the four
// pieces, a pending promotion choice as it is.
std::vector<ChessMove> AllowedMoves(const Board& board);

// Converts a game record to a position. Castling rights count only while the king and that
// rook stand at home (the record keeps a right whose rook was taken); en passant only where a
// pawn can take; the fifty-move count is the game's quiet pairs in plies, as FEN writes it. A
// record waiting for a promotion choice (ToPlay 3 or 4) becomes the position with the pawn on
// its last row and the chooser to move, whose only moves are the four choices (Pending). False
// for a record with no king or two of a colour, or a pending choice with no waiting pawn.
bool FromBoard(const Board& board, Position& p);

// The game's move for `m`, played in `p`: squares and promotion piece type (Queen, Rook,
// Bishop or Knight of the game's codes, 0 for other moves). A pending choice comes back as the
// game's choice move (PromotionChoice, signed piece code, file, row) with the piece type.
ChessMove ToChessMove(const Position& p, Move16 m);

// The legal move of `p` that a game move names: a promotion without a piece is a queen's, a
// choice is (PromotionChoice, piece code, file, row). NoMove16 when none is.
Move16 FromChessMove(Position& p, const ChessMove& move);

} // namespace strong
