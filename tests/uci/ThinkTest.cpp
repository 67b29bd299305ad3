// The engine's clock plan and its info lines, called directly: every number a GUI may send,
// the overhead, and what a move may spend.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "uci/Think.h"

namespace {

constexpr int64_t Huge = std::numeric_limits<int64_t>::max();

TEST(Think, PlansNoMoveBeyondATwentiethOfTheClockAndNeverOverflows) {
    struct Row {
        int64_t Left, Inc, MoveTime, Overhead;
        int MovesToGo;
        TimePlan Plan; // {-1, -1} for no limit
    };
    const Row rows[] = {
        {10000, 100, -1, 50, 0, {373, 550}},    // 10 s + 0.1 s
        {60000, 1000, -1, 50, 0, {2415, 3950}}, // 1 min + 1 s: at most 4 s with the overhead
        {60000, 0, -1, 50, 10, {2950, 2950}},   // 10 moves to go
        {60000, 0, -1, 50, 100, {1498, 2950}},  // at most 40 moves are planned for
        {300, 100, -1, 50, 0, {65, 65}},        // below ten increments: the clock climbs back
        {60, 100, -1, 50, 0, {0, 0}},           // less than the overhead
        {0, 0, -1, 50, 0, {0, 0}},              // a clock already fallen
        {10000, 100, -1, 0, 0, {375, 600}},     // no overhead
        {10000, 100, -1, -7, 0, {375, 600}},    // an overhead below 0 is none
        {10000, 100, -1, Huge, 0, {0, 0}},      // one above 5 s is 5 s
        {Huge, Huge, -1, 50, 0, {549755813838, 549755813838}}, // 2^40 each, at most
        {1000, Huge, -1, 50, 0, {450, 450}},                   // at most half the clock
        {-1, 0, -1, 50, 0, {-1, -1}},                          // no clock for the side to move
        {10000, 100, 1000, 50, 0, {950, 950}},
        {10000, 100, 10, 50, 0, {1, 1}},
        {10000, 100, Huge, 50, 0, {(int64_t{1} << 40) - 50, (int64_t{1} << 40) - 50}},
    };
    for (const Row& row : rows) {
        GoLimits limits;
        limits.TimeMs[1] = row.Left; // Black's clock; White's says nothing
        limits.IncMs[1] = row.Inc;
        limits.MoveTimeMs = row.MoveTime;
        limits.OverheadMs = row.Overhead;
        limits.MovesToGo = row.MovesToGo;
        const TimePlan plan = PlanTime(limits, Black);
        EXPECT_EQ(std::tie(plan.SoftMs, plan.HardMs), std::tie(row.Plan.SoftMs, row.Plan.HardMs))
            << row.Left << " + " << row.Inc << ", movetime " << row.MoveTime << ", overhead "
            << row.Overhead << ", " << row.MovesToGo << " to go";
    }
    // Planned over fewer moves, a move may spend more, up to the same ceiling; "movestogo" wins.
    GoLimits blitz;
    blitz.TimeMs[0] = 10000;
    blitz.IncMs[0] = 100;
    EXPECT_EQ(PlanTime(blitz, White, 20).SoftMs, 522);
    EXPECT_EQ(PlanTime(blitz, White, 20).HardMs, 550);
    EXPECT_EQ(PlanTime(blitz, White, 1).SoftMs, 550);
    EXPECT_EQ(PlanTime(blitz, White, 0).SoftMs, 550); // no moves planned is one
    blitz.MovesToGo = 40;
    EXPECT_EQ(PlanTime(blitz, White, 20).SoftMs, 298);
    GoLimits infinite;
    infinite.Infinite = true;
    infinite.TimeMs[0] = 1000;
    EXPECT_EQ(PlanTime(infinite, White).HardMs, -1);
    infinite.Infinite = false;
    EXPECT_EQ(PlanTime(infinite, Black).HardMs, -1); // White's clock is not Black's
}

TEST(Think, InfoLinesGiveTheLineAndNoRateFromNoTime) {
    const std::vector<ChessMove> line{{{4, 6, 4, 4}, 0}, {{4, 1, 4, 3}, 0}, {{0, 1, 0, 0}, Queen}};
    EXPECT_EQ(InfoLine(2, "cp 5", 1000, 0, line),
              "info depth 2 score cp 5 nodes 1000 time 0 pv e2e4 e7e5 a7a8q");
    EXPECT_EQ(InfoLine(3, "mate 1", 1000, 4, {line[0]}),
              "info depth 3 score mate 1 nodes 1000 nps 250000 time 4 pv e2e4");
}

} // namespace
