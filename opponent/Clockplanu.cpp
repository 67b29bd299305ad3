#include "opponent/Clockplanu.h"

#include <algorithm>

namespace {

// A week: longer than any clock, short enough that no sum below overflows.
constexpr int64_t MaxMs = int64_t{7} * 24 * 3600 * 1000;

} // namespace

ClockPlan PlanClock(int64_t leftMs, int64_t incMs, int movesToGo, int64_t overheadMs) {
    const int64_t left = std::clamp<int64_t>(leftMs, 0, MaxMs);
    const int64_t inc = std::clamp<int64_t>(incMs, 0, MaxMs);
    const int64_t overhead = std::clamp<int64_t>(overheadMs, 0, MaxMs);
    const int64_t spare = std::max<int64_t>(0, left - overhead - 10 * inc);
    const int64_t moves = movesToGo > 0 ? std::min(movesToGo, 40) : 30;
    const int64_t ceiling = std::min(left / 2, spare / 2 + inc / 2);
    const int64_t soft = std::min(ceiling, spare / moves + inc * 3 / 4);
    return {soft, std::min(ceiling, soft * 3)};
}
