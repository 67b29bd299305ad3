// Positions as FEN text, the one-line form chess programs exchange them in.
#pragma once

#include <string>
#include <string_view>

#include "engine/Boardu.h"

struct History;

inline constexpr std::string_view StartFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The highest move number a FEN is read with; a higher one is written as this one, so that
// every FEN written reads back.
inline constexpr int MaxFenMoveNumber = 99999;

// Reads a FEN record as ReadFen does, without the test that a game can reach the position: for
// the hand-made positions of the tests, which are sometimes meant to be impossible.
bool ParseFen(std::string_view fen, Board& board, std::string& error);

// Sets `board` to the position of a FEN record: pieces, side to move, the four castling rights,
// the en passant file, the halfmove clock as quiet move pairs (see FenHalfmoveClock) and the
// move number as PlyCount (two a move, one more with Black to move). The last four fields may
// be left out. Material is counted from the squares; everything else is as ClearBoard leaves
// it. The position then passes the test a saved game's positions pass (SettlePosition, then
// IsReachable): a castling right whose king or rook has left home is dropped, and a position no
// game can reach is refused. Returns false, leaving `board` as it was, with `error` naming the
// field at fault ("castling: ...", "pieces: Black has no king") for text that is not a position.
bool ReadFen(std::string_view fen, Board& board, std::string& error);

// Starts a game from a FEN position, as a new game starts from the initial one: the history
// holds that one position and the board shows it, its check status and outcome decided and its
// legal moves listed. Both are left as they were when the FEN is refused (see ReadFen).
bool StartGame(std::string_view fen, History& history, Board& board, std::string& error);

// Writes the position of `board` (ToPlay 1 or 2) as FEN with the given move number, kept
// between 1 and MaxFenMoveNumber. The castling
// rights are written only where the king and the rook still stand on their squares, the en
// passant square only when a pawn can take en passant, and the halfmove clock is counted from
// the engine's quiet move pairs (see FenHalfmoveClock).
std::string WriteFen(const Board& board, int fullMove);

// The FEN of the position a history shows, Snapshots[Count - 1]; a position waiting for a
// promotion choice is written as the one before the pawn's move. Empty when there is no such
// position: an empty history, or one whose first position already waits for a choice.
std::string ShownFen(const History& history);

// The move number of Snapshots[index]: the first position's comes from its PlyCount (which
// ReadFen sets from the FEN's move number, and a new game starts at 0), and each move after it
// counts one ply, a pawn's move and its promotion choice together.
int FullMoveNumber(const History& history, int index);

// The halfmove clock of FEN (plies since the last pawn move or capture) from the engine's
// count of quiet move pairs and the two sides' quiet flags. A quiet run that began with Black's
// move counts one ply short once a whole quiet pair follows it: the engine does not keep it.
int FenHalfmoveClock(const Board& board);

// Writes a move in long algebraic coordinates ("e2e4", "e7e8q"); a promotion is the pawn's
// move followed by the chosen piece's letter.
std::string MoveText(const Move& move, int promotionPiece = 0);
