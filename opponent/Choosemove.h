// The computer's move choice: a quick scan of every legal move, a full search best-first, an
// opening-book bonus, and a random pick among the best.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Boardu.h"
#include "opponent/Opponentu.h"

// Bonus for a root move into a book position, in the quick scan and in the main search.
inline constexpr int32_t QuickBookBonus = 80;
inline constexpr int32_t MainBookBonus = 100;
// The depth of the quick scan.
inline constexpr float QuickScanDepth = 2.0f;

// What one call found, for the bench and the tests: the root moves in the order searched
// with their final scores, and the moves sharing the best score.
struct ChoiceTrace {
    std::vector<Move> Ordered;
    std::vector<int32_t> Scores;
    std::vector<Move> Ties;
    int32_t Best = 0;
};

// Returns the index of the highest quick score above -999999, the first of equal scores, or 0
// when none is above it. The main search takes its root moves in this order.
int NextBestQuick(const std::vector<int32_t>& quick);

// Writes the head of the considered-moves text for `state` (the root's ToPlay).
void ShowConsideredHeader(OpponentHooks& hooks, int state);

// Chooses the move to play in `position` (ToPlay 1 to 4). Writes Root and CaptureStep. Returns
// a promotion choice (999, piece, file, row) for ToPlay 3 or 4, and no move (X1 = -1) when
// there is nothing to choose from. A move chosen while Stop was set is meaningless.
Move ChooseMove(Opponent& opponent, const Board& position, OpponentHooks& hooks,
                ChoiceTrace* trace = nullptr);
