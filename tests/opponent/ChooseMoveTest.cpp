#include <gtest/gtest.h>

#include <algorithm>

#include "Choosemove.h"
#include "Evaluate.h"
#include "Makemoveu.h"
#include "OpponentTestUtil.h"
#include "Search.h"

namespace {

const char* const KingAndPawn = "8/8/4k3/8/3PK3/8/8/8 w - - 0 45";
const char* const PawnOnB7 = "7k/1P6/8/8/8/8/8/K7 w - - 0 1";

bool Same(const Move& a, const Move& b) {
    return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
}

void AddToBook(OpeningBook& book, const Board& board) {
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) book.Entries[book.EntryCount][x][y] = board.Squares[x][y];
    book.EntryCount += 1;
}

int32_t ScoreOf(const ChoiceTrace& trace, const Move& move) {
    for (size_t k = 0; k < trace.Ordered.size(); ++k)
        if (Same(trace.Ordered[k], move)) return trace.Scores[k];
    ADD_FAILURE() << "move not searched";
    return 0;
}

TEST(NextBestQuick, TakesTheFirstOfEqualScores) {
    std::vector<int32_t> quick = {10, 40, 40, -5};
    std::vector<int> order;
    for (int b = 0; b < 4; ++b) {
        const int i = NextBestQuick(quick);
        order.push_back(i);
        quick[i] = -9999999;
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(NextBestQuick({-1000000, -2000000}), 0);
}

TEST(ChooseMove, PicksAmongTiesWithTheRandomDraw) {
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    hooks.random = 4;
    ChoiceTrace trace;
    const Move chosen = ChooseMove(*opponent, FromFen(KingAndPawn), hooks, &trace);
    ASSERT_GE(trace.Ties.size(), 2u);
    EXPECT_TRUE(Same(chosen, trace.Ties[4 % trace.Ties.size()]));
    EXPECT_EQ(hooks.seeds, 1);
    EXPECT_EQ(hooks.draws, 1);
    for (const Move& m : trace.Ties) EXPECT_EQ(ScoreOf(trace, m), trace.Best);
    EXPECT_EQ(*std::max_element(trace.Scores.begin(), trace.Scores.end()), trace.Best);
    EXPECT_TRUE(hooks.messages.empty());
}

TEST(ChooseMove, ShowsEveryScoredMoveAndTheProgress) {
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    ChoiceTrace trace;
    ChooseMove(*opponent, FromFen(std::string(StartFen), 0), hooks, &trace);
    ASSERT_EQ(hooks.lines.size(), 23u);
    EXPECT_EQ(hooks.lines[0], "White");
    EXPECT_EQ(hooks.lines[1], "Considered Moves:");
    EXPECT_EQ(hooks.lines[2], "***********************");
    EXPECT_EQ(hooks.progressMax, 20);
    EXPECT_EQ(hooks.lastProgress, 19);
    // Lines follow the search order, not the scores.
    const Move& first = trace.Ordered[0];
    const std::string text = hooks.lines[3];
    EXPECT_EQ(text.substr(text.find(' ') + 1), std::to_string(trace.Scores[0]));
    EXPECT_EQ(text[0], static_cast<char>('a' + first.X1));
}

TEST(ChooseMove, BookMovesEarnTheirBonus) {
    const Board start = FromFen(std::string(StartFen), 0);
    Board afterE4 = start;
    MakeMove(afterE4, 4, 6, 4, 4);
    const Move e4{4, 6, 4, 4};

    // A constant capture step keeps each score independent of the search order.
    const auto plain = MakeOpponent(0.25f);
    RecordingHooks hooks;
    ChoiceTrace without;
    ChooseMove(*plain, start, hooks, &without);

    const auto booked = MakeOpponent(0.25f);
    AddToBook(booked->Book, afterE4);
    ChoiceTrace with;
    ChooseMove(*booked, start, hooks, &with);

    for (const Move& m : without.Ordered)
        EXPECT_EQ(ScoreOf(with, m), ScoreOf(without, m) + (Same(m, e4) ? MainBookBonus : 0));
    // 80 in the quick scan puts the book move first.
    EXPECT_TRUE(Same(with.Ordered[0], e4));
}

TEST(ChooseMove, MoveLeavingAPromotionChoiceGetsNoBookBonusAndNoNegation) {
    const Board board = FromFen(PawnOnB7);
    Board promoted = board;
    MakeMove(promoted, 1, 1, 1, 0);
    const auto booked = MakeOpponent();
    AddToBook(booked->Book, promoted);
    RecordingHooks hooks;
    ChoiceTrace trace;
    const Move chosen = ChooseMove(*booked, board, hooks, &trace);
    EXPECT_TRUE(Same(chosen, Move{1, 1, 1, 0}));
    OpponentHooks plain;
    EXPECT_EQ(ScoreOf(trace, Move{1, 1, 1, 0}),
              Search(*booked, true, -SearchInfinity, SearchInfinity, promoted, 1.0f, plain));
}

TEST(ChooseMove, DepthBarAtOneScoresEachMoveStatically) {
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    hooks.depthBar = 1;
    ChoiceTrace trace;
    const Board board =
        FromFen("r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
    ChooseMove(*opponent, board, hooks, &trace);
    for (size_t k = 0; k < trace.Ordered.size(); ++k) {
        Board child = board;
        const Move& m = trace.Ordered[k];
        MakeMove(child, m.X1, m.Y1, m.X2, m.Y2);
        EXPECT_EQ(trace.Scores[k], -Evaluate(child, 0));
    }
}

TEST(ChooseMove, PromotionChoiceScoresTheFourPieces) {
    Board choosing = FromFen(PawnOnB7);
    MakeMove(choosing, 1, 1, 1, 0);
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    ChoiceTrace trace;
    const Move chosen = ChooseMove(*opponent, choosing, hooks, &trace);
    EXPECT_TRUE(Same(chosen, Move{PromotionChoice, Queen, 1, 0}));
    ASSERT_EQ(hooks.lines.size(), 8u);
    EXPECT_EQ(hooks.lines[0], "Black"); // only ToPlay 1 is headed "White"
    EXPECT_EQ(hooks.lines[3], "Quick Scan First...");
    EXPECT_EQ(hooks.lines[4], "Queen: " + std::to_string(trace.Scores[0]));
    EXPECT_EQ(hooks.lines[7].rfind("Knight: ", 0), 0u);
    EXPECT_EQ(hooks.seeds, 0);
    EXPECT_EQ(hooks.draws, 1);
    EXPECT_EQ(hooks.progressMax, -1);
}

TEST(ChooseMove, NoLegalMoveGivesNoMoveWithoutADraw) {
    for (const char* fen : {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
                            "k7/2Q5/1K6/8/8/8/8/8 b - - 0 1"}) {
        const auto opponent = MakeOpponent();
        RecordingHooks hooks;
        const Move chosen = ChooseMove(*opponent, FromFen(fen), hooks);
        EXPECT_EQ(chosen.X1, NoMove) << fen;
        EXPECT_EQ(hooks.draws, 0);
    }
}

TEST(ChooseMove, SingleLegalMoveIsReturned) {
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    ChoiceTrace trace;
    const Move chosen =
        ChooseMove(*opponent, FromFen("7k/8/8/7r/K6r/7r/4P3/8 w - - 0 1"), hooks, &trace);
    EXPECT_TRUE(Same(chosen, Move{4, 6, 4, 4}));
    EXPECT_EQ(trace.Ordered.size(), 1u);
}

TEST(ChooseMove, CaptureStepGrowsPerRootMoveUpToAQuarter) {
    const auto opponent = MakeOpponent(0.1f);
    RecordingHooks hooks;
    ChooseMove(*opponent, FromFen(KingAndPawn), hooks); // five root moves
    float expected = 0.1f;
    for (int i = 0; i < 5; ++i)
        expected = static_cast<float>(static_cast<double>(expected) + 0.005);
    EXPECT_EQ(opponent->CaptureStep, expected);
    const auto brisko = MakeOpponent(1.0f);
    ChooseMove(*brisko, FromFen(KingAndPawn), hooks);
    EXPECT_EQ(brisko->CaptureStep, 0.25f);
}

// Sets Stop at the first event pump of the main search.
class StopInMainSearch : public RecordingHooks {
  public:
    explicit StopInMainSearch(Opponent& opponent) : opponent(opponent) {}
    void SetProgressRange(int minimum, int maximum) override {
        RecordingHooks::SetProgressRange(minimum, maximum);
        armed = true;
    }
    void ProcessEvents() override {
        if (armed) opponent.Stop = true;
    }
    Opponent& opponent;
    bool armed = false;
};

TEST(ChooseMove, StoppedMovesScoreAboveEverything) {
    const auto opponent = MakeOpponent();
    const Board start = FromFen(std::string(StartFen), 0);
    Board afterD4 = start;
    MakeMove(afterD4, 3, 6, 3, 4);
    AddToBook(opponent->Book, afterD4);
    StopInMainSearch hooks(*opponent);
    ChoiceTrace trace;
    ChooseMove(*opponent, start, hooks, &trace);
    ASSERT_EQ(trace.Scores.size(), 20u);
    for (size_t k = 1; k < trace.Scores.size(); ++k)
        EXPECT_EQ(trace.Scores[k],
                  Same(trace.Ordered[k], Move{3, 6, 3, 4}) ? 2000000101 : 2000000001);
}

} // namespace
