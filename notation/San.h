// Moves as other chess programs write them: standard algebraic notation (SAN, "Nbd2", "exd6",
// "e8=Q+", "O-O-O#") and long algebraic coordinates ("e7e8q"). Texts are read by matching them
// against the engine's own legal-move list, never by trusting them.
#pragma once

#include <string>
#include <string_view>

#include "engine/Boardu.h"
#include "engine/Rulesu.h"

struct History;

// A move of ordinary chess: this game's two-step promotion (the pawn's move, then the choice)
// is one move whose Promotion is the chosen piece type (Queen, Rook, Bishop or Knight); 0 for
// any other move.
struct ChessMove {
    Move Squares;
    int Promotion;
};

// Writes `move`, legal in `board` (ToPlay 1 or 2), in SAN: piece letter, the file, rank or both
// of the from-square when another piece of the kind could go there too, "x" for a capture, the
// to-square, "=Q" for a promotion, and "+" or "#" when the move gives check or mate.
std::string SanText(const Board& board, const ChessMove& move);

// What reading a move's text gave.
enum class MoveRead {
    Legal,     // `move` holds the one legal move the text names
    Illegal,   // the text names no legal move (or is no move at all)
    Ambiguous, // the text fits more than one legal move
};

// Reads a move in SAN (also the lenient forms other programs write: "0-0", "e8Q", "Ng1f3",
// "Ng1-f3", trailing "+", "#", "!" and "?") for the side to move in `board` (ToPlay 1 or 2).
// Only the board's legal-move cache changes, so that playing the move costs no second list.
MoveRead ReadSan(Board& board, std::string_view text, ChessMove& move);

// Writes a move in long algebraic coordinates, as UCI does: "e2e4", "e1g1", "e7e8q".
std::string LongText(const ChessMove& move);

// Reads a move in long algebraic coordinates for the side to move in `board` (ToPlay 1 or 2).
// A pawn's move onto the last row without a piece letter promotes to a queen. Only the board's
// legal-move cache changes.
MoveRead ReadLong(Board& board, std::string_view text, ChessMove& move);

// Plays a move on the board as MakeMove does, the promotion choice included, and counts each
// of the one or two steps in PlyCount as a game move does. False, changing nothing, when the
// move is not legal in `board`.
bool PlayChessMove(Board& board, const ChessMove& move);

// Plays a move as one or two game moves (GameMove): the pawn's move, then the choice. False,
// changing nothing, when the move is not legal or the history has no room for its positions.
bool GameChessMove(Board& board, History& history, const ChessMove& move);

// Tests whether `m` is a pawn's move onto its last row, one that asks for a promotion choice.
bool ReachesLastRow(const Board& board, const Move& m);
