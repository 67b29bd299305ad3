#include "tests/engine/EngineTestUtil.h"

#include <memory>

#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Makemoveu.h"

namespace {

// A game as the window holds one; the history is large, so it lives on the heap.
struct Game {
    Board board{};
    std::unique_ptr<History> history = std::make_unique<History>();

    explicit Game(const Board& start = Initial()) : board(start) {
        FindLegalMoves(board);
        ResetHistory(*history);
        PushHistory(*history, board);
    }

    void Play(Sq from, Sq to) {
        ASSERT_TRUE(IsLegal(board, from.x, from.y, to.x, to.y));
        ASSERT_TRUE(GameMove(board, *history, from.x, from.y, to.x, to.y));
        ExpectConsistent(board);
    }

    void Back() { StepBack(*history, board); }
    void Forward() { StepForward(*history, board); }
    int Count() const { return history->Count; }
};

} // namespace

TEST(GameMove, SteppingAndReplacingTheRestOfTheGame) {
    Game game;
    game.Back();
    game.Forward();
    EXPECT_EQ(game.Count(), 1);

    game.Play("e2", "e4");
    game.Play("e7", "e5");
    EXPECT_EQ(game.Count(), 3);
    EXPECT_EQ(game.board.PlyCount, 2);
    game.Back();
    EXPECT_EQ(game.Count(), 2);
    EXPECT_EQ(At(game.board, "e5"), Empty);
    game.Forward();
    EXPECT_EQ(At(game.board, "e5"), -Pawn);

    game.Back();
    game.Play("c7", "c5");
    EXPECT_EQ(game.Count(), 3);
    EXPECT_EQ(game.history->Stored, 3);
    game.Forward(); // nothing ahead any more
    EXPECT_EQ(At(game.board, "c5"), -Pawn);
}

TEST(GameMove, SteppingSkipsThePendingPromotion) {
    Game game(FromFen("4k3/1P6/8/8/8/8/8/4K3 w - -"));
    game.Play("b7", "b8");
    ASSERT_TRUE(GameMove(game.board, *game.history, PromotionChoice, Queen, 1, 0));
    EXPECT_EQ(game.board.PlyCount, 2);
    EXPECT_EQ(game.Count(), 3);
    game.Back();
    EXPECT_EQ(game.Count(), 1);
    EXPECT_EQ(At(game.board, "b7"), Pawn);
    game.Forward();
    EXPECT_EQ(game.Count(), 3);
    EXPECT_EQ(At(game.board, "b8"), Queen);
}

TEST(GameMove, OutcomeOfMateAndOfTheDrawCounters) {
    for (bool quietPairs : {false, true}) {
        Game game;
        game.Play("f2", "f3");
        game.Play("e7", "e5");
        game.Play("g2", "g4");
        if (quietPairs) { // the mating move also closes the fiftieth quiet pair
            game.board.Bored50 = 49;
            game.board.Quiet1 = true;
        }
        game.Play("d8", "h4");
        EXPECT_EQ(game.board.Outcome, quietPairs ? Drawn : Black);
        EXPECT_EQ(game.board.CheckStatus, White);
        game.Back();
        EXPECT_EQ(game.board.Outcome, InProgress);
    }
}

TEST(GameMove, AFullHistoryEndsTheGameAndIsNeverOverrun) {
    Game game;
    const char* shuffle[4][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
    int moves = 0;
    while (game.board.Outcome == InProgress) {
        game.board.Repetition1 = game.board.Repetition2 = game.board.Bored50 = 0;
        game.Play(shuffle[moves % 4][0], shuffle[moves % 4][1]);
        ++moves;
    }
    EXPECT_EQ(moves, HistorySize - 1);
    EXPECT_EQ(game.Count(), HistorySize);
    EXPECT_EQ(game.board.Outcome, Drawn);

    const int plies = game.board.PlyCount;
    EXPECT_FALSE(GameMove(game.board, *game.history, 1, 7, 2, 5));
    EXPECT_FALSE(PushHistory(*game.history, game.board));
    EXPECT_EQ(game.Count(), HistorySize);
    EXPECT_EQ(game.board.PlyCount, plies);
}
