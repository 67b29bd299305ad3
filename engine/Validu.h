// Whether a position read from outside (a saved game, a FEN record) could arise in a game,
// before the rules are let loose on it.
#pragma once

#include <string>

#include "engine/Boardu.h"

// Makes the rights and counters of a read position ones a game could give it: a castling right
// whose king or rook is off its home square is cleared, Bored50 is brought into 0..50 and the
// repetition counters into 0..4 (a game ends as soon as one reaches its limit).
void SettlePosition(Board& board);

// Tests whether the position could arise in a game; when not, `reason` says why in a sentence.
// The side to move (ToPlay 1 to 4, a pending promotion choice included) is part of the
// position. Demands one king a side, kings apart, the side that has just moved out of check,
// piece counts that promotions can explain, pawns off their own back rank and on their last
// row only while their promotion choice is pending, and an en passant file only behind a pawn
// that can have just advanced two squares. Counters and castling rights are not judged: see
// SettlePosition.
bool IsReachable(const Board& board, std::string& reason);
