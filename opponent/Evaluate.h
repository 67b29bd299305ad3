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

// A record's view with the evaluation's advancement sum, which the search brings up to date
// move by move instead of counting it again.
struct EvaluationView {
    BoardView Squares;
    int32_t Advancement;
};

// Fills the evaluation's view of a record.
void ViewForEvaluation(const Board& board, EvaluationView& view);

// Brings the view of `before` up to date for `after`, the same record after MakeMove.
void FollowMoveForEvaluation(EvaluationView& view, const Board& before, const Board& after);

// Evaluate, with the record's view at hand.
int32_t EvaluateView(const Board& board, const EvaluationView& view, int32_t depth);
