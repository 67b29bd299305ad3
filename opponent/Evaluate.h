// The static score of a position for the side to act: material, advancement, advanced pawns,
// attacks, castling, early queen moves, then repetition, draws and check.
#pragma once

#include <cstdint>

#include "engine/Boardu.h"

// Score of the mated side to act.
inline constexpr int32_t MatedScore = -65536;

// Scores `board` for the side to act (White for ToPlay 1 and 3, Black for 2 and 4), a pawn
// being 100. `depth` is the remaining search depth, which softens a check near the root.
int32_t Evaluate(Board board, int32_t depth);
