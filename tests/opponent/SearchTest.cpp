#include <gtest/gtest.h>

#include "engine/Makemoveu.h"
#include "opponent/Evaluate.h"
#include "opponent/Search.h"
#include "tests/opponent/OpponentTestUtil.h"

namespace {

// White's queen can take a pawn that a pawn defends.
const char* const Exchange = "7k/6pp/4p3/3p4/3Q4/8/6PP/7K w - - 0 1";

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

int32_t Root(const Opponent& opponent, bool full, const Board& board, float depth) {
    OpponentHooks hooks;
    return Search(opponent, full, -SearchInfinity, SearchInfinity, board, depth, hooks);
}

TEST(Search, HorizonAndMateFollowTheFloatDepth) {
    const auto opponent = MakeOpponent();
    const Board mated = FromFen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");
    // 10 x 0.9f is 8.99999976 in double, so the cut gives -65544 (float arithmetic: -65545).
    // Below 0.1 the depth is 0: the static score, which knows mate without the depth.
    for (const auto& [depth, score] :
         {std::pair{2.0f, -65556}, {0.75f, -65543}, {0.9f, -65544}, {0.05f, -65536}})
        EXPECT_EQ(Root(*opponent, true, mated, depth), score) << depth;

    const Board board = FromFen(Exchange);
    const int32_t e = Evaluate(board, 0);
    PumpHooks hooks(*opponent, 0);
    EXPECT_EQ(Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 0.05f, hooks), e);
    EXPECT_EQ(Search(*opponent, true, -SearchInfinity, e - 7, board, 0.05f, hooks), e - 7);
    // The float nearest 0.1 lies above 0.1: it still searches the moves.
    Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 0.1f, hooks);
    EXPECT_GT(hooks.SearchCalls, 3u);

    // In check from h4: only the pawn's two-square advance blocks it, and it is not searched.
    const Board blocked = FromFen("7k/8/8/7r/K6r/7r/4P3/8 w - - 0 1");
    EXPECT_EQ(Root(*opponent, false, blocked, 1.5f), Evaluate(blocked, 1));
    EXPECT_NE(Evaluate(blocked, 1), Evaluate(blocked, 0));
}

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
