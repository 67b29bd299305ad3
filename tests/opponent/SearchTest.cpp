#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Evaluate.h"
#include "Findu.h"
#include "Legalu.h"
#include "Makemoveu.h"
#include "OpponentTestUtil.h"
#include "Search.h"

namespace {

const char* const Mated = "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3";
// White's queen can take a pawn that a pawn defends.
const char* const Exchange = "7k/6pp/4p3/3p4/3Q4/8/6PP/7K w - - 0 1";
// White's rook can take a loose pawn.
const char* const LoosePawn = "6k1/5ppp/8/3p4/8/8/3R1PPP/6K1 w - - 0 1";
const char* const PawnOnB7 = "7k/1P6/8/8/8/8/8/K7 w - - 0 1";
// In check from h4: only the pawn's two-square advance blocks it.
const char* const OnlyDoubleStep = "7k/8/8/7r/K6r/7r/4P3/8 w - - 0 1";

// The score a node must get, built from its legal moves: each child searched with the full
// window at `childDepth`, taken negated unless the mover must still choose a promotion piece.
template <typename ChildDepth>
int32_t Composed(const Opponent& opponent, bool full, Board board, ChildDepth childDepth) {
    OpponentHooks hooks;
    FindLegalMoves(board);
    int32_t best = -SearchInfinity;
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move m = board.LegalMoves[i];
        if (m.X1 != PromotionChoice && std::abs(m.Y2 - m.Y1) == 2 &&
            PieceType(board.Squares[m.X1][m.Y1]) == Pawn)
            continue; // not a candidate of the search
        Board child = board;
        MakeMove(child, m.X1, m.Y1, m.X2, m.Y2);
        const bool capture = std::abs(child.Material - board.Material) > 2;
        const float depth = childDepth(capture);
        const int32_t s =
            child.ToPlay == White || child.ToPlay == Black
                ? -Search(opponent, full, -SearchInfinity, SearchInfinity, child, depth, hooks)
                : Search(opponent, full, -SearchInfinity, SearchInfinity, child, depth, hooks);
        best = std::max(best, s);
    }
    return best;
}

int32_t Root(const Opponent& opponent, bool full, const Board& board, float depth) {
    OpponentHooks hooks;
    return Search(opponent, full, -SearchInfinity, SearchInfinity, board, depth, hooks);
}

TEST(Search, MateScoresFollowTheFloatDepthInDoublePrecision) {
    const auto opponent = MakeOpponent();
    const Board mated = FromFen(Mated);
    EXPECT_EQ(Root(*opponent, true, mated, 2.0f), -65556);
    EXPECT_EQ(Root(*opponent, true, mated, 0.75f), -65543);
    // 10 x 0.9f is 8.99999976 in double, so the cut gives -65544 (float arithmetic: -65545).
    EXPECT_EQ(Root(*opponent, true, mated, 0.9f), -65544);
    EXPECT_EQ(MateScore(0.9f), -65544);
    // Below 0.1 the depth is 0: the static score, which knows mate without the depth.
    EXPECT_EQ(Root(*opponent, true, mated, 0.05f), -65536);
}

TEST(Search, DepthBelowATenthIsTheStaticScoreCappedAtBeta) {
    const auto opponent = MakeOpponent();
    const Board board = FromFen(Exchange);
    const int32_t e = Evaluate(board, 0);
    OpponentHooks hooks;
    EXPECT_EQ(Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 0.05f, hooks), e);
    EXPECT_EQ(Search(*opponent, true, -SearchInfinity, e - 7, board, 0.05f, hooks), e - 7);
    // The float nearest 0.1 lies above 0.1: it still searches the moves.
    hooks.SearchCalls = 0;
    Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 0.1f, hooks);
    EXPECT_GT(hooks.SearchCalls, 1u);
}

TEST(Search, CapturesCostTheStepOnlyBelowDepthTwo) {
    const auto opponent = MakeOpponent(0.25f);
    const Board board = FromFen(Exchange);
    auto rule = [](float depth) {
        return [depth](bool capture) {
            return depth < 2.0f && capture ? depth - 0.25f : depth - 1.0f;
        };
    };
    EXPECT_EQ(Root(*opponent, true, board, 1.0f), Composed(*opponent, true, board, rule(1.0f)));
    EXPECT_EQ(Root(*opponent, true, board, 2.0f), Composed(*opponent, true, board, rule(2.0f)));
    EXPECT_EQ(Root(*opponent, true, board, 1.5f), Composed(*opponent, true, board, rule(1.5f)));
    // The queen's capture is refuted only when the reply is searched.
    EXPECT_GT(Root(*opponent, false, board, 1.0f), Root(*opponent, true, board, 1.0f));

    // At 2.0 a capture costing the step would leave White one more move and another score.
    const Board loose = FromFen(LoosePawn);
    EXPECT_EQ(Root(*opponent, true, loose, 2.0f), Composed(*opponent, true, loose, rule(2.0f)));
    EXPECT_NE(
        Root(*opponent, true, loose, 2.0f),
        Composed(*opponent, true, loose, [](bool capture) { return capture ? 1.75f : 1.0f; }));
}

TEST(Search, QuickModeCostsOneForEveryMove) {
    const auto opponent = MakeOpponent(0.25f);
    const Board board = FromFen(Exchange);
    auto one = [](float depth) { return [depth](bool) { return depth - 1.0f; }; };
    EXPECT_EQ(Root(*opponent, false, board, 1.0f), Composed(*opponent, false, board, one(1.0f)));
    EXPECT_EQ(Root(*opponent, false, board, 2.0f), Composed(*opponent, false, board, one(2.0f)));
}

TEST(Search, PromotionIsSearchedWithoutNegation) {
    const auto opponent = MakeOpponent();
    const Board board = FromFen(PawnOnB7);
    // Taken negated, the new queen would count against White and a king move would win.
    EXPECT_GT(Root(*opponent, false, board, 2.0f), 800);
    auto one = [](bool) { return 1.0f; };
    EXPECT_EQ(Root(*opponent, false, board, 2.0f), Composed(*opponent, false, board, one));

    // The choice node is the best of the four pieces for the side choosing.
    Board choosing = board;
    ASSERT_TRUE(MakeMove(choosing, 1, 1, 1, 0));
    EXPECT_EQ(Root(*opponent, false, choosing, 1.0f),
              Composed(*opponent, false, choosing, [](bool) { return 0.0f; }));
    EXPECT_GT(Root(*opponent, false, choosing, 1.0f), 800);
}

TEST(Search, TwoSquareAdvanceIsNotACandidate) {
    const auto opponent = MakeOpponent();
    const Board board = FromFen(OnlyDoubleStep);
    EXPECT_EQ(Root(*opponent, false, board, 1.5f), Evaluate(board, 1));
    EXPECT_EQ(Root(*opponent, true, board, 2.7f), Evaluate(board, 2));
    EXPECT_NE(Evaluate(board, 1), Evaluate(board, 0));
}

TEST(Search, CallersBoardIsUnchanged) {
    const auto opponent = MakeOpponent(0.25f);
    const Board board = FromFen(Exchange);
    const Board before = board;
    Root(*opponent, true, board, 2.0f);
    EXPECT_EQ(std::memcmp(&before, &board, sizeof(Board)), 0);
}

// Sets Stop at the n-th event pump and counts the calls made after it.
class StoppingHooks : public OpponentHooks {
  public:
    StoppingHooks(Opponent& opponent, int n) : opponent(opponent), left(n) {}
    void ProcessEvents() override {
        if (--left == 0) {
            opponent.Stop = true;
            callsAtStop = SearchCalls;
        }
    }
    Opponent& opponent;
    int left;
    uint64_t callsAtStop = 0;
};

TEST(Search, StopUnwindsAtOnce) {
    auto opponent = MakeOpponent(0.25f);
    const Board board =
        FromFen("r2qkb1r/ppp2ppp/2n1bn2/3pp3/4P3/2N2N2/PPPPBPPP/R1BQK2R w KQkq - 0 5");
    StoppingHooks hooks(*opponent, 50);
    Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 2.0f, hooks);
    ASSERT_TRUE(opponent->Stop);
    EXPECT_EQ(hooks.SearchCalls, hooks.callsAtStop);

    hooks.SearchCalls = 0;
    EXPECT_EQ(Search(*opponent, true, -SearchInfinity, SearchInfinity, board, 2.0f, hooks),
              StoppedScore);
    EXPECT_EQ(hooks.SearchCalls, 1u);
}

TEST(Search, PromotionChoiceUnderStopTriesEachPieceOnce) {
    auto opponent = MakeOpponent();
    Board choosing = FromFen(PawnOnB7);
    ASSERT_TRUE(MakeMove(choosing, 1, 1, 1, 0));
    StoppingHooks hooks(*opponent, 1);
    Search(*opponent, true, -SearchInfinity, SearchInfinity, choosing, 1.0f, hooks);
    // The choice node has no stop test of its own; its remaining children return at once.
    EXPECT_LE(hooks.SearchCalls - hooks.callsAtStop, 3u);
}

TEST(Search, EventsArePumpedOnlyBelowDepthTwo) {
    struct CountingHooks : OpponentHooks {
        int pumps = 0;
        void ProcessEvents() override { ++pumps; }
    } hooks;
    const auto opponent = MakeOpponent();
    const Board board = FromFen(PawnOnB7);
    Search(*opponent, false, -SearchInfinity, SearchInfinity, board, 2.0f, hooks);
    // The root at 2.0 does not pump; each of its children (depth 1.0) and grandchildren does.
    EXPECT_EQ(static_cast<uint64_t>(hooks.pumps), hooks.SearchCalls - 1);
}

} // namespace
