// How long the computer may think for one move under a clock: a share of what is left plus
// most of the increment, keeping a reserve so that the clock never runs out.
#pragma once

#include <cstdint>

// A clock for each side: the time at the start and the increment added after every move. No
// clock at all while BaseMs is 0.
struct TimeControl {
    int64_t BaseMs = 0;
    int64_t IncMs = 0;

    bool On() const { return BaseMs > 0; }
    bool operator==(const TimeControl&) const = default;
};

// Soft: no new depth is begun after it. Hard: the search is cut off there.
struct ClockPlan {
    int64_t SoftMs;
    int64_t HardMs;
};

// Plans a move with `leftMs` on the clock and `incMs` added after it, when `movesToGo` moves
// remain before the next time control (0: unknown) and `overheadMs` is lost to the machine
// on every move. Ten increments are kept back; below that a move spends at most half an
// increment, so that the clock climbs back; never more than half of what is left. Any input is
// clamped to a sane range first, so no figure overflows.
ClockPlan PlanClock(int64_t leftMs, int64_t incMs, int movesToGo, int64_t overheadMs);
