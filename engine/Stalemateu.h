// The draw test: the 50-move rule, the repetition rule and stalemate.
#pragma once

#include "engine/Boardu.h"

inline constexpr int FiftyMoveLimit = 50;
inline constexpr int RepetitionLimit = 3;

// Tests whether the 50-move or the repetition rule draws the game, whatever the moves left.
bool DrawnByCounters(const Board& board);

// Tests whether the game is drawn: 50 quiet move pairs, a repetition counter above 3, or no
// legal move without being in check. The counters are tested first, so they win over mate.
bool IsStalemate(Board& board);
