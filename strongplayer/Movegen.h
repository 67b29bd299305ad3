// Move generation: pseudo-legal moves by kind, the legality test, the legal-move list, and
// whether a move from elsewhere (the table, a killer) can be played here.
#pragma once

#include "strongplayer/Position.h"

namespace strong {

struct MoveList {
    Move16 Moves[256];
    int Count = 0;
    void Add(Move16 m) { Moves[Count++] = m; }
};

// Noisy: captures (en passant and every promotion with a capture included) and queen
// promotions. Quiet: every other move, plain under-promotions and castling included. A position
// waiting for a promotion choice has only the four choices, all noisy.
enum class Generate { Noisy, Quiet, All };

void GenerateMoves(const Position& p, MoveList& list, Generate kind);

// Tests whether a pseudo-legal move leaves the mover's king unattacked.
bool IsLegal(Position& p, Move16 m);

// The pieces of the side to move that alone shield their king from an enemy slider.
Bitboard Pinned(const Position& p);

// IsLegal without making the move, given Pinned(p) and whether the mover is in check: only
// king moves, pinned pieces, en passant and evasions need a closer look.
bool IsLegalGiven(Position& p, Move16 m, Bitboard pinned, bool inCheck);

// The legal moves of ordinary chess.
void GenerateLegal(Position& p, MoveList& list);

// Tests whether `m` is one of GenerateMoves(All) here, without generating them.
bool IsPseudoLegal(const Position& p, Move16 m);

// Tests whether a move captures (en passant included) or promotes.
bool IsNoisy(const Position& p, Move16 m);

// What tells at once whether a move of the side to move checks the enemy king: the squares
// from which each kind of piece attacks it, and the pieces whose leaving uncovers a slider.
struct CheckSquares {
    Bitboard ByType[6];
    Bitboard Uncovering;
    int King;
};
void FindCheckSquares(const Position& p, CheckSquares& c);

// Tests whether a pseudo-legal move checks the enemy king, directly or by uncovering a
// slider. Castling, en passant and promotions answer true (the caller tries them).
bool MayGiveCheck(const Position& p, const CheckSquares& c, Move16 m);

// Tests whether the side to move has a legal move.
bool HasLegalMove(Position& p);

// Counts the leaves `depth` plies down, for perft.
uint64_t Perft(Position& p, int depth);

} // namespace strong
