// The computer player: how the depth follows thinking time, the evaluation terms the golden
// root scores never reach, the search's event pumping and Stop, and what the move choice shows
// the window. The root scores themselves are pinned by GoldenTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "opponent/Choosemove.h"
#include "opponent/Evaluate.h"
#include "opponent/Search.h"

namespace {

const char* const PawnOnB7 = "7k/1P6/8/8/8/8/8/K7 w - - 0 1";

Board FromFen(const std::string& fen, int plyCount = 10) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ParseFen(fen, board, error)) << fen << ": " << error;
    board.PlyCount = plyCount;
    return board;
}

Board Choosing() {
    Board board = FromFen(PawnOnB7);
    EXPECT_TRUE(MakeMove(board, 1, 1, 1, 0));
    return board;
}

std::unique_ptr<Opponent> MakeOpponent(float captureStep = 1.0f) {
    auto opponent = std::make_unique<Opponent>();
    opponent->CaptureStep = opponent->CaptureStepStart = captureStep;
    return opponent;
}

bool Same(const Move& a, const Move& b) {
    return SameMove(a, b.X1, b.Y1, b.X2, b.Y2);
}

// Records what the window is told, and answers a fixed depth and random draw.
struct RecordingHooks : OpponentHooks {
    int depthBar = 2, random = 0, seeds = 0, draws = 0, lastProgress = -1, progressMax = -1;
    std::vector<std::string> lines;
    std::vector<bool> timer;
    int messages = 0;

    int DepthBarPosition() override { return depthBar; }
    void SeedRandom() override { ++seeds; }
    int Random() override { return ++draws, random; }
    void SetProgressRange(int, int maximum) override { progressMax = maximum; }
    void SetProgressPosition(int position) override { lastProgress = position; }
    void ClearConsidered() override { lines.clear(); }
    void AddConsideredLine(const std::string& line) override { lines.push_back(line); }
    void ShowMessage(const std::string&) override { ++messages; }
    void SetMoveTimer(bool running) override { timer.push_back(running); }
};

// One computer move as White under a level: the depth bar after the move timer's ticks and
// after the move is played.
TEST(Level, DepthBarFollowsThinkingTime) {
    // The level, the bar set before the move (0: the level's own), the 100 ms ticks, whether
    // Stop ended the move, and the bar after the ticks and after the move.
    const std::tuple<int, int, int, bool, int, int, const char*> rows[] = {
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
    for (const auto& [level, start, ticks, stop, afterTicks, afterMove, why] : rows) {
        RecordingHooks hooks;
        const auto opponent = MakeOpponent();
        int bar = 0;
        ASSERT_TRUE(ApplyLevel(*opponent, level, bar));
        if (start) bar = start;
        // Left over from the previous move; BeginThinking must clear them.
        opponent->ElapsedMs = 9000;
        opponent->FirstSlowdownDone = opponent->SecondSlowdownDone = true;
        BeginThinking(*opponent, hooks);
        for (int i = 0; i < ticks; ++i) MoveTimerTick(*opponent, bar);
        EXPECT_EQ(bar, afterTicks) << why;
        EndThinking(hooks);
        opponent->Stop = stop;
        RaiseAfterMove(*opponent, bar);
        EXPECT_EQ(bar, afterMove) << why;
        EXPECT_EQ(hooks.timer, (std::vector<bool>{true, false}));
    }
    int bar = 7;
    EXPECT_FALSE(ApplyLevel(*MakeOpponent(), -1, bar) || ApplyLevel(*MakeOpponent(), 3, bar));
    EXPECT_EQ(bar, 7);
    EXPECT_TRUE(AdaptsDepth(White) && AdaptsDepth(WhiteChooses));
    EXPECT_FALSE(AdaptsDepth(Black) || AdaptsDepth(BlackChooses));
}

// Material, advancement, attacks and both colours move some golden score when they change.
TEST(Evaluate, HandMadePositions) {
    // The position, its ply count, the search depth, and the score for the side to act.
    const std::tuple<const char*, int, int, int> rows[] = {
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", 10, 7, MatedScore},
        {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 10, 0, 32768}, // stalemate: half a mate
        {"3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1", 4, 0, -10},  // a queen moved before ply 5
        {"3qk3/8/8/8/8/8/8/2Q1K3 w - - 0 1", 5, 0, 0},
        // Check costs the checked side to act 80 - 10d; the checking side gains 80 + 10d.
        {"4k3/8/8/4R3/8/8/8/4K3 b - - 0 1", 10, 3, -550},
        {"4k3/8/8/4R3/8/8/8/4K3 w - - 0 1", 10, 2, 600},
    };
    for (const auto& [fen, ply, depth, expected] : rows)
        EXPECT_EQ(Evaluate(FromFen(fen, ply), depth), expected) << fen << " " << ply;
}

TEST(Evaluate, RecordFieldsBeyondThePieces) {
    Board board = FromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 10);
    EXPECT_EQ(Evaluate(board, 0), 500);
    board.Castled1 = 9; // castling counts only at the current ply
    EXPECT_EQ(Evaluate(board, 0), 500);
    board.Castled1 = 10;
    EXPECT_EQ(Evaluate(board, 0), 502);
    board.Castled2 = 10;
    board.Repetition1 = board.Repetition2 = 2;
    EXPECT_EQ(Evaluate(board, 0), 300);
    board.Repetition2 = 1;
    EXPECT_EQ(Evaluate(board, 0), 500);
    // A draw is a small loss for the side ahead and half a mate otherwise.
    board.Repetition1 = board.Repetition2 = 0;
    board.Bored50 = 50;
    EXPECT_EQ(Evaluate(board, 0), -100);
    board.ToPlay = Black;
    EXPECT_EQ(Evaluate(board, 0), 32768);

    Board moving = Choosing();
    moving.ToPlay = White;
    EXPECT_EQ(Evaluate(Choosing(), 0), Evaluate(moving, 0) + 100) << "pending promotion choice";
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

TEST(ChooseMove, PicksAmongTiesWithTheRandomDrawAndShowsEachScore) {
    const auto opponent = MakeOpponent();
    RecordingHooks hooks;
    hooks.random = 4;
    ChoiceTrace trace; // five root moves
    const Move chosen =
        ChooseMove(*opponent, FromFen("8/8/4k3/8/3PK3/8/8/8 w - - 0 45"), hooks, &trace);
    ASSERT_GE(trace.Ties.size(), 2u);
    EXPECT_EQ(trace.Best, *std::max_element(trace.Scores.begin(), trace.Scores.end()));
    EXPECT_EQ(std::count(trace.Scores.begin(), trace.Scores.end(), trace.Best),
              static_cast<long>(trace.Ties.size()));
    EXPECT_TRUE(Same(chosen, trace.Ties[4 % trace.Ties.size()]));
    EXPECT_EQ(std::tuple(hooks.seeds, hooks.draws, hooks.messages), std::tuple(1, 1, 0));
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
    AddOpening(booked->Book, Choosing());
    RecordingHooks hooks;
    EXPECT_TRUE(Same(ChooseMove(*booked, FromFen(PawnOnB7), hooks), Move{1, 1, 1, 0}));
    RecordingHooks choice;
    ChoiceTrace pieces;
    const Move chosen = ChooseMove(*booked, Choosing(), choice, &pieces);
    EXPECT_TRUE(Same(chosen, Move{PromotionChoice, Queen, 1, 0}));
    ASSERT_EQ(choice.lines.size(), 8u);
    EXPECT_EQ(choice.lines[0], "Black"); // only ToPlay 1 is headed "White"
    EXPECT_EQ(choice.lines[3], "Quick Scan First...");
    EXPECT_EQ(choice.lines[4], "Queen: " + std::to_string(pieces.Scores[0]));
    EXPECT_EQ(std::tuple(choice.seeds, choice.draws, choice.progressMax), std::tuple(0, 1, -1));
}

} // namespace
