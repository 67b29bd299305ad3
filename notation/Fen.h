// Reading a position from FEN text, for the developer tools and tests.
#pragma once

#include <string>
#include <string_view>

#include "engine/Boardu.h"

inline constexpr std::string_view StartFen =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Sets `board` to the position of a FEN record: pieces, side to move, the four castling rights
// and the en passant file. Material is counted from the squares; everything else is as
// ClearBoard leaves it. Returns false with a reason in `error` for text that is not a position.
bool ReadFen(std::string_view fen, Board& board, std::string& error);

// Writes a move in long algebraic coordinates ("e2e4", "e7e8q"); a promotion is the pawn's
// move followed by the chosen piece's letter.
std::string MoveText(const Move& move, int promotionPiece = 0);
