#include <gtest/gtest.h>

#include "tests/opponent/OpponentTestUtil.h"

namespace {

// One computer move as White under a level: the depth bar after the move timer's ticks and
// after the move is played.
TEST(Level, DepthBarFollowsThinkingTime) {
    struct Row {
        int level, bar, ticks;
        bool stop;
        int afterTicks, afterMove;
        const char* why;
    };
    const Row rows[] = {
        {0, 0, 200, false, 2, 2, "Brisko starts at 2, never lowers below it, never raises"},
        {0, 5, 1, false, 3, 4, "both slow-downs in one tick; the second is undone"},
        {0, 3, 1, false, 2, 2, "the second step sees the bar the first one lowered"},
        {1, 3, 5, false, 3, 3, "500 ms is not past 500"},
        {1, 3, 6, false, 2, 2, "the first slow-down stays"},
        {1, 0, 1, false, 2, 3, "Clever starts at 2; a quick move raises"},
        {2, 0, 0, true, 3, 3, "Mean starts at 3; no raise after Stop"},
        {2, 5, 61, false, 3, 4, "the second slow-down is undone"},
        {2, 10, 0, false, 10, 10, "the raise stops at 10"},
    };
    for (const Row& r : rows) {
        RecordingHooks hooks;
        const auto opponent = MakeOpponent();
        int bar = 0;
        ASSERT_TRUE(ApplyLevel(*opponent, r.level, bar));
        if (r.bar) bar = r.bar;
        // Left over from the previous move; BeginThinking must clear them.
        opponent->ElapsedMs = 9000;
        opponent->FirstSlowdownDone = opponent->SecondSlowdownDone = true;
        BeginThinking(*opponent, hooks);
        for (int i = 0; i < r.ticks; ++i) MoveTimerTick(*opponent, bar);
        EXPECT_EQ(bar, r.afterTicks) << r.why;
        EndThinking(hooks);
        opponent->Stop = r.stop;
        RaiseAfterMove(*opponent, bar);
        EXPECT_EQ(bar, r.afterMove) << r.why;
        EXPECT_EQ(hooks.timer, (std::vector<bool>{true, false}));
    }
    int bar = 7;
    EXPECT_FALSE(ApplyLevel(*MakeOpponent(), -1, bar) || ApplyLevel(*MakeOpponent(), 3, bar));
    EXPECT_EQ(bar, 7);
    EXPECT_TRUE(AdaptsDepth(White) && AdaptsDepth(WhiteChooses));
    EXPECT_FALSE(AdaptsDepth(Black) || AdaptsDepth(BlackChooses));
}

} // namespace
