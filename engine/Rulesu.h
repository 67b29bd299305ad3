// The two rule sets a game can be played by. Brisko rules are this game's own: castling needs
// only the king out of check and its destination safe, and the draws are stalemate, 50 quiet
// move pairs and back-and-forth repetition. Standard rules are those chess players know:
// castling across an attacked square is illegal, and the draws are stalemate, the third
// occurrence of a position, 100 plies without a pawn move or capture, and insufficient material.
// The rules engine itself plays by Brisko rules; standard rules are a filter and a judge on top.
#pragma once

#include "engine/Boardu.h"
#include "engine/Historyu.h"

enum class Rules { Brisko, Standard };

// Why the rules ended a game under standard rules; None while it goes on.
enum class Ending { None, Checkmate, Stalemate, Repetition, FiftyMoves, Material, HistoryFull };

// Standard rules: the plies without a pawn move or capture that draw, and the occurrences.
inline constexpr int StandardQuietPlies = 100;
inline constexpr int StandardOccurrences = 3;

// Tests whether `move` is castling whose king passes over a square the other side attacks:
// legal under Brisko rules, not under standard rules.
bool CastlesAcrossAttack(const Board& board, const Move& move);

// Fills the legal-move list as FindLegalMoves does; under standard rules without the castling
// moves across an attacked square. The list stays current for FindLegalMoves until the next
// move, so the move chooser takes it as it finds it.
void FindRuleMoves(Board& board, Rules rules);

// Tests legality as IsLegal does, under `rules`.
bool IsRuleLegal(Board& board, int x1, int y1, int x2, int y2, Rules rules);

// Tests whether neither side can ever mate: bare kings, a king and one knight or bishop
// against a bare king, or kings and bishops all on squares of one colour.
bool InsufficientMaterial(const Board& board);

// Tests whether `side` can never mate, whatever the other side does: it has only its king, or
// the whole board has insufficient material, or it has one minor piece (or bishops on one
// colour only) against a bare king. A flag fall of the other side is then a draw.
bool CannotMate(const Board& board, int side);

// Plies since the last pawn move or capture that a position carries in its own counters (of
// a game set up from a FEN, say): two a quiet move pair, plus those the quiet flags vouch for.
int QuietPliesOf(const Board& board);

// Tests whether two positions count as the same for repetition: the same pieces, side to move,
// castling rights (a right counts while its king and rook stand at home) and en passant right
// (it counts only where a capture en passant is legal).
bool SameForRepetition(const Board& a, const Board& b);

// Judges the shown position of `history` (its Count-th, equal to `board`) under standard rules,
// as a game move judges it under Brisko rules: mate and stalemate from the standard legal
// moves, then the draws; the history's last free place ends the game drawn. Sets Outcome in
// `board` and in the snapshot, and returns why the game ended.
Ending JudgeStandard(History& history, Board& board);
