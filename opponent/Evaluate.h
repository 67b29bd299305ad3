// The static score of a position for the side to act: material, advancement, advanced pawns,
// attacks, castling, early queen moves, then repetition, draws and check.
#pragma once

#include <cstdint>

#include "engine/Boardu.h"
#include "engine/Boardviewu.h"

// Score of the mated side to act.
inline constexpr int32_t MatedScore = -65536;

// Scores `board` for the side to act (White for ToPlay 1 and 3, Black for 2 and 4), a pawn
// being 100. `depth` is the remaining search depth, which softens a check near the root.
int32_t Evaluate(const Board& board, int32_t depth);

// The same for a plain record (see BoardView) whose view is at hand.
int32_t EvaluateView(const Board& board, const BoardView& view, int32_t depth);
