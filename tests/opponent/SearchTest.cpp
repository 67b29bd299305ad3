#include <gtest/gtest.h>

#include "engine/Makemoveu.h"
#include "opponent/Search.h"
#include "tests/opponent/OpponentTestUtil.h"

namespace {

Board Choosing() {
    Board board = FromFen(PawnOnB7);
    EXPECT_TRUE(MakeMove(board, 1, 1, 1, 0));
    return board;
}

// Sets Stop at the n-th event pump (never for 0) and counts the pumps.
struct PumpHooks : OpponentHooks {
    PumpHooks(Opponent& opponent, int n) : opponent(opponent), stopAt(n) {}
    void ProcessEvents() override {
        if (++pumps == stopAt) {
            opponent.Stop = true;
            callsAtStop = SearchCalls;
        }
    }
    Opponent& opponent;
    int stopAt, pumps = 0;
    uint64_t callsAtStop = 0;
};

TEST(Search, EventsArePumpedBelowDepthTwoAndStopUnwindsAtOnce) {
    auto opponent = MakeOpponent(0.25f);
    PumpHooks counting(*opponent, 0);
    Search(*opponent, false, -SearchInfinity, SearchInfinity, FromFen(PawnOnB7), 2.0f, counting);
    // The root at 2.0 does not pump; each of its children (depth 1.0) and grandchildren does.
    EXPECT_EQ(static_cast<uint64_t>(counting.pumps), counting.SearchCalls - 1);

    const Board board =
        FromFen("r2qkb1r/ppp2ppp/2n1bn2/3pp3/4P3/2N2N2/PPPPBPPP/R1BQK2R w KQkq - 0 5");
    PumpHooks hooks(*opponent, 50);
    Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 2.0f, hooks);
    ASSERT_TRUE(opponent->Stop);
    EXPECT_EQ(hooks.SearchCalls, hooks.callsAtStop);
    hooks.SearchCalls = 0;
    EXPECT_EQ(Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 2.0f, hooks),
              StoppedScore);
    EXPECT_EQ(hooks.SearchCalls, 1u);

    // The choice node has no stop test of its own; its remaining children return at once.
    opponent->Stop = false;
    PumpHooks choice(*opponent, 1);
    Search(*opponent, true, -SearchInfinity, SearchInfinity, Choosing(), 1.0f, choice);
    EXPECT_LE(choice.SearchCalls - choice.callsAtStop, 3u);
}

} // namespace
