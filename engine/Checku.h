// Check detection, answered from a cache that MakeMove invalidates.
#pragma once

#include "engine/Boardu.h"

// Returns the check status (0 none, 1 White, 2 Black, 3 both), recomputing it only when the
// record has changed since it was last computed.
int GetCheck(Board& board);

// Tests whether the square stored as White's king is attacked by a Black piece.
bool WhiteInCheck(const Board& board);

// Tests whether the square stored as Black's king is attacked by a White piece.
bool BlackInCheck(const Board& board);
