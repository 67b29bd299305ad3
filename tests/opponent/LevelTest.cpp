#include <gtest/gtest.h>

#include "OpponentTestUtil.h"

namespace {

struct LevelFixture : ::testing::Test {
    std::unique_ptr<Opponent> opponent = std::make_unique<Opponent>();
    int bar = 3;
    OpponentHooks hooks;

    void Apply(int item) { ASSERT_TRUE(ApplyLevel(*opponent, item, bar)); }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) MoveTimerTick(*opponent, bar);
    }
};

TEST_F(LevelFixture, LevelsSetDepthAndParameters) {
    Apply(2);
    EXPECT_EQ(bar, 3);
    EXPECT_EQ(opponent->FirstSlowdownMs, 2000);
    EXPECT_EQ(opponent->SecondSlowdownMs, 6000);
    EXPECT_EQ(opponent->QuickMoveMs, 500);
    EXPECT_EQ(opponent->CaptureStepStart, 0.1f);
    Apply(0);
    EXPECT_EQ(bar, 2);
    EXPECT_EQ(opponent->QuickMoveMs, -1);
    EXPECT_EQ(opponent->CaptureStepStart, 1.0f);
    Apply(1);
    EXPECT_EQ(bar, 2);
    EXPECT_EQ(opponent->FirstSlowdownMs, 500);
    EXPECT_EQ(opponent->CaptureStepStart, 0.25f);
}

TEST_F(LevelFixture, NoSelectedItemChangesNothing) {
    Apply(1);
    bar = 7;
    EXPECT_FALSE(ApplyLevel(*opponent, -1, bar));
    EXPECT_FALSE(ApplyLevel(*opponent, 3, bar));
    EXPECT_EQ(bar, 7);
    EXPECT_EQ(opponent->FirstSlowdownMs, 500);
}

TEST_F(LevelFixture, BriskoNeverLowersBelowTwoNorRaises) {
    Apply(0);
    BeginThinking(*opponent, hooks);
    Ticks(200);
    EXPECT_EQ(bar, 2);
    EXPECT_EQ(opponent->ElapsedMs, 20000);
    RaiseAfterMove(*opponent, bar);
    EXPECT_EQ(bar, 2);
}

TEST_F(LevelFixture, CleverLowersPastThresholdAndStaysLowered) {
    Apply(1);
    bar = 3;
    BeginThinking(*opponent, hooks);
    Ticks(5); // 500 ms is not past 500
    EXPECT_EQ(bar, 3);
    Ticks(1);
    EXPECT_EQ(bar, 2);
    EXPECT_TRUE(opponent->FirstSlowdownDone);
    RaiseAfterMove(*opponent, bar);
    EXPECT_EQ(bar, 2);
}

TEST_F(LevelFixture, QuickMoveRaisesAndSecondSlowdownIsUndone) {
    Apply(1);
    BeginThinking(*opponent, hooks);
    Ticks(1); // 100 ms < 200
    RaiseAfterMove(*opponent, bar);
    EXPECT_EQ(bar, 3);

    Apply(2);
    bar = 5;
    BeginThinking(*opponent, hooks);
    Ticks(61);
    EXPECT_EQ(bar, 3);
    EXPECT_TRUE(opponent->SecondSlowdownDone);
    RaiseAfterMove(*opponent, bar);
    EXPECT_EQ(bar, 4);
}

TEST_F(LevelFixture, BothSlowdownsCanFireInOneTick) {
    Apply(0);
    bar = 5;
    BeginThinking(*opponent, hooks);
    Ticks(1);
    EXPECT_EQ(bar, 3);
    // The second step reads the position the first one left: from 3 only one step remains.
    bar = 3;
    BeginThinking(*opponent, hooks);
    Ticks(1);
    EXPECT_EQ(bar, 2);
    EXPECT_FALSE(opponent->SecondSlowdownDone);
}

TEST_F(LevelFixture, StoppedMoveGetsNoRaiseAndTopStaysAtTen) {
    Apply(2);
    BeginThinking(*opponent, hooks);
    opponent->Stop = true;
    RaiseAfterMove(*opponent, bar);
    EXPECT_EQ(bar, 3);
    opponent->Stop = false;
    opponent->SecondSlowdownDone = true;
    bar = 10;
    RaiseAfterMove(*opponent, bar);
    EXPECT_EQ(bar, 10);
}

TEST_F(LevelFixture, ThinkingStartsAndStopsTheMoveTimerAndResetsTheMove) {
    struct TimerHooks : OpponentHooks {
        std::vector<bool> calls;
        void SetMoveTimer(bool running) override { calls.push_back(running); }
    } timer;
    opponent->ElapsedMs = 900;
    opponent->FirstSlowdownDone = opponent->SecondSlowdownDone = true;
    BeginThinking(*opponent, timer);
    EndThinking(timer);
    EXPECT_EQ(opponent->ElapsedMs, 0);
    EXPECT_FALSE(opponent->FirstSlowdownDone || opponent->SecondSlowdownDone);
    EXPECT_EQ(timer.calls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(AdaptsDepth(1) && AdaptsDepth(3));
    EXPECT_FALSE(AdaptsDepth(2) || AdaptsDepth(4));
}

TEST(DepthBar, KeepsInsideItsRange) {
    EXPECT_EQ(ClampDepthBar(0), 1);
    EXPECT_EQ(ClampDepthBar(11), 10);
    EXPECT_EQ(ClampDepthBar(4), 4);
}

} // namespace
