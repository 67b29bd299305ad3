// The UCI engine's thinking: the game's own move choice run at growing depths until the depth,
// the clock or "stop" says enough, reported as UCI "info" lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "notation/San.h"
#include "opponent/Opponentu.h"

// The largest number of milliseconds or nodes taken from the GUI (35 years of clock): every
// number is clamped to it before any sum is formed.
inline constexpr int64_t MaxGoNumber = int64_t{1} << 40;
// The "Move Overhead" option: what the pipe and a busy machine add to a move, in milliseconds.
inline constexpr int64_t DefaultOverheadMs = 50;
inline constexpr int64_t MaxOverheadMs = 5000;

// What "go" asks for; -1 or 0 where it says nothing.
struct GoLimits {
    int Depth = 0;                // plies of the main search
    int64_t MoveTimeMs = -1;      // exactly this long, at most
    int64_t TimeMs[2] = {-1, -1}; // the clocks of White and Black
    int64_t IncMs[2] = {0, 0};
    int MovesToGo = 0;
    uint64_t Nodes = 0;
    bool Infinite = false; // think until "stop"
    std::vector<std::string> SearchMoves;
    int64_t OverheadMs = DefaultOverheadMs; // taken off the time the plan may spend
};

// How long one move may take: Soft is the time after which no new depth is begun, Hard the
// time at which the search is cut off. -1 for no limit.
struct TimePlan {
    int64_t SoftMs;
    int64_t HardMs;
};

// Plans the time of a move for `side` (White or Black) so that the clock never runs out, with
// the overhead taken off: ten increments are kept back (at most half the clock); of the rest a
// share plus most of the increment is spent. No move takes more than a twentieth of the clock
// plus the increment, nor half the rest and half an increment, so that below the increments
// kept back the clock climbs again. Numbers out of range are clamped first. Without "movestogo"
// the rest is shared over `movesPlanned` moves.
TimePlan PlanTime(const GoLimits& limits, int side, int movesPlanned = 30);

// The root moves the engine may answer: the legal moves, less castling across an attacked
// square (which ordinary chess forbids and GUIs refuse), less any not in `searchMoves`.
std::vector<ChessMove> RootMoves(const Board& position,
                                 const std::vector<std::string>& searchMoves);

// Writes a root score as UCI does: "cp 35", or "mate 3" / "mate -2" in moves, for a main search
// of `depth` plies.
std::string ScoreText(int32_t score, int depth);

// Writes an "info depth" line; "nps" only when some time has passed.
std::string InfoLine(int depth, const std::string& score, uint64_t nodes, int64_t ms,
                     const std::vector<ChessMove>& pv);

// Chooses the move to answer in `position` (ToPlay 1 or 2) with the opponent's level, book and
// capture step, searching at depth bar positions from 2 up to `depthBar` (the bar is the main
// search's depth plus 1) within the limits; a depth that should not end within the plan is not
// begun. Each finished depth is told through `say` as an "info depth ... pv ..." line whose
// line is the one the engine expects: each reply the best at the depth left. `stop` ends the
// thinking within milliseconds; the answer is then the best move of the deepest finished
// depth, or before the first one the quick scan's best (the most material won when even that
// was cut short), with no "info depth" line. An infinite search waits for `stop` before it
// answers. Returns no move (X1 = -1) when there is none to play.
ChessMove Think(Opponent& opponent, const Board& position, const GoLimits& limits, int depthBar,
                const std::atomic<bool>& stop, const std::function<void(const std::string&)>& say);
