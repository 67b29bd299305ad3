// Move legality: the movement rules of each piece, then the self-check test on a copy.
#pragma once

#include "engine/Boardu.h"

// Tests the movement rules, turn, castling and en passant; squares must be on the board.
bool IsPseudoLegal(Board& board, int x1, int y1, int x2, int y2);

// Tests whether the move is pseudo-legal and leaves the mover's king unattacked. The record is
// unchanged apart from its check-status cache.
bool IsLegal(Board& board, int x1, int y1, int x2, int y2);

// Tests whether every square strictly between two squares on a common line is empty.
bool PathClear(const Board& board, int x1, int y1, int x2, int y2);

// Returns the piece type of a code: 1 pawn .. 6 queen, 0 empty.
int PieceType(int code);
