// Negamax alpha-beta search with fail-hard cut-offs over copies of the Board. The remaining
// depth is a float: near the horizon a material-changing move costs only the capture step.
#pragma once

#include <cstdint>

#include "engine/Boardu.h"
#include "opponent/Opponentu.h"

// The window every root search is started with.
inline constexpr int32_t SearchInfinity = 2000000000;
// Returned by every call once Stop is set; meaningless as a score.
inline constexpr int32_t StoppedScore = -2000000001;

// Scores `board` for the side to act in it (ToPlay 1 to 4). With `full` false every move costs
// 1.0; with `full` true a material-changing move below depth 2.0 costs `CaptureStep`. Reads
// only Stop and CaptureStep of the opponent; `board` is left unchanged. Lets the window's
// events run at every node whose depth is below 2.0.
int32_t Search(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, const Board& board,
               float depth, OpponentHooks& hooks);

// The score of the side to move when it is checkmated with `depth` left: quicker mates weigh
// more. Computed in double precision from the float depth, truncated toward zero.
int32_t MateScore(float depth);
