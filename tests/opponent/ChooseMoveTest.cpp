#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "engine/Makemoveu.h"
#include "opponent/Choosemove.h"
#include "tests/opponent/OpponentTestUtil.h"

namespace {

const char* const KingAndPawn = "8/8/4k3/8/3PK3/8/8/8 w - - 0 45"; // five root moves

// Returns `board` after `move`, added to the book of `opponent`.
Board After(Board board, const Move& move, Opponent& opponent) {
    MakeMove(board, move.X1, move.Y1, move.X2, move.Y2);
    AddOpening(opponent.Book, board);
    return board;
}

TEST(ChooseMove, PicksAmongTiesWithTheRandomDrawAndShowsEachScore) {
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    hooks.random = 4;
    ChoiceTrace trace;
    const Move chosen = ChooseMove(*opponent, FromFen(KingAndPawn), hooks, &trace);
    // The scores themselves are pinned by the golden file; the pick is among the best.
    ASSERT_GE(trace.Ties.size(), 2u);
    EXPECT_EQ(trace.Best, *std::max_element(trace.Scores.begin(), trace.Scores.end()));
    EXPECT_EQ(std::count(trace.Scores.begin(), trace.Scores.end(), trace.Best),
              static_cast<long>(trace.Ties.size()));
    EXPECT_TRUE(Same(chosen, trace.Ties[4 % trace.Ties.size()]));
    EXPECT_EQ(std::tuple(hooks.seeds, hooks.draws, hooks.messages.size()), std::tuple(1, 1, 0u));
    for (size_t k = 0; k < trace.Scores.size(); ++k) // lines in search order, not by score
        EXPECT_EQ(hooks.lines[3 + k].substr(hooks.lines[3 + k].find(' ') + 1),
                  std::to_string(trace.Scores[k]));
    EXPECT_EQ(hooks.lines[0] + hooks.lines[1] + hooks.lines[2],
              "WhiteConsidered Moves:***********************");
    EXPECT_EQ(std::tuple(hooks.lines.size(), hooks.progressMax, hooks.lastProgress),
              std::tuple(8u, 5, 4));
}

TEST(ChooseMove, PromotionThenItsPieceWithoutProgressOrSeeding) {
    const auto booked = MakeOpponent();
    const Move promote{1, 1, 1, 0};
    const Board promoted = After(FromFen(PawnOnB7), promote, *booked);
    RecordingHooks hooks;
    EXPECT_TRUE(Same(ChooseMove(*booked, FromFen(PawnOnB7), hooks), promote));
    RecordingHooks choice;
    ChoiceTrace pieces;
    const Move chosen = ChooseMove(*booked, promoted, choice, &pieces);
    EXPECT_TRUE(Same(chosen, Move{PromotionChoice, Queen, 1, 0}));
    ASSERT_EQ(choice.lines.size(), 8u);
    EXPECT_EQ(choice.lines[0], "Black"); // only ToPlay 1 is headed "White"
    EXPECT_EQ(choice.lines[3], "Quick Scan First...");
    EXPECT_EQ(choice.lines[4], "Queen: " + std::to_string(pieces.Scores[0]));
    EXPECT_EQ(std::tuple(choice.seeds, choice.draws, choice.progressMax), std::tuple(0, 1, -1));
}

} // namespace
