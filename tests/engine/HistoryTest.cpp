#include "EngineTestUtil.h"

#include <cstring>
#include <memory>

#include "Findu.h"
#include "Historyu.h"
#include "Legalu.h"
#include "Makemoveu.h"

namespace {

// History is large; tests keep it off the stack.
struct Game {
    Board board{};
    std::unique_ptr<History> history = std::make_unique<History>();

    Game() { Start(Initial()); }
    explicit Game(const Board& start) { Start(start); }

    void Start(const Board& start) {
        board = start;
        FindLegalMoves(board);
        ResetHistory(*history);
        PushHistory(*history, board);
    }

    void Play(Sq from, Sq to) {
        ASSERT_TRUE(IsLegal(board, from.x, from.y, to.x, to.y));
        ASSERT_TRUE(GameMove(board, *history, from.x, from.y, to.x, to.y));
        ExpectConsistent(board);
    }

    bool ShowsSnapshot(int index) const {
        return std::memcmp(&board.Squares, &history->Snapshots[index].Squares,
                           sizeof(board.Squares)) == 0 &&
               board.ToPlay == history->Snapshots[index].ToPlay;
    }
};

} // namespace

TEST(GameMove, NewGameAndStepping) {
    Game game;
    EXPECT_EQ(game.history->Count, 1);
    EXPECT_EQ(game.history->Stored, 1);
    StepBack(*game.history, game.board);
    StepForward(*game.history, game.board);
    EXPECT_EQ(game.history->Count, 1);
    EXPECT_TRUE(game.ShowsSnapshot(0));

    game.Play("e2", "e4");
    game.Play("e7", "e5");
    EXPECT_EQ(game.history->Count, 3);
    EXPECT_EQ(game.board.PlyCount, 2);
    StepBack(*game.history, game.board);
    EXPECT_EQ(game.history->Count, 2);
    EXPECT_TRUE(game.ShowsSnapshot(1));
    StepForward(*game.history, game.board);
    EXPECT_EQ(game.history->Count, 3);
    EXPECT_TRUE(game.ShowsSnapshot(2));

    // A move after stepping back replaces the rest of the game.
    StepBack(*game.history, game.board);
    game.Play("c7", "c5");
    EXPECT_EQ(game.history->Count, 3);
    EXPECT_EQ(game.history->Stored, 3);
    EXPECT_EQ(game.history->Snapshots[2].Squares[2][3], -Pawn);
    StepForward(*game.history, game.board);
    EXPECT_EQ(game.history->Count, 3);
}

TEST(GameMove, SteppingSkipsThePendingPromotion) {
    Game game(FromFen("4k3/1P6/8/8/8/8/8/4K3 w - -"));
    game.Play("b7", "b8");
    EXPECT_EQ(game.board.ToPlay, WhiteChooses);
    ASSERT_TRUE(GameMove(game.board, *game.history, PromotionChoice, Queen, 1, 0));
    EXPECT_EQ(game.board.PlyCount, 2);
    EXPECT_EQ(game.history->Count, 3);

    StepBack(*game.history, game.board);
    EXPECT_EQ(game.history->Count, 1);
    EXPECT_EQ(game.board.Squares[1][1], Pawn);
    StepForward(*game.history, game.board);
    EXPECT_EQ(game.history->Count, 3);
    EXPECT_EQ(game.board.Squares[1][0], Queen);
    EXPECT_EQ(game.board.ToPlay, Black);
}

TEST(GameMove, MateSetsTheOutcomeAndSteppingBackUndoesIt) {
    Game game;
    game.Play("f2", "f3");
    game.Play("e7", "e5");
    game.Play("g2", "g4");
    game.Play("d8", "h4");
    EXPECT_EQ(game.board.Outcome, Black);
    EXPECT_EQ(game.board.CheckStatus, White);
    StepBack(*game.history, game.board);
    EXPECT_EQ(game.board.Outcome, InProgress);
}

TEST(GameMove, DrawCountersOverrideMate) {
    Game game;
    game.Play("f2", "f3");
    game.Play("e7", "e5");
    game.Play("g2", "g4");
    game.board.Bored50 = 49;
    game.board.Quiet1 = true; // the queen's move closes a quiet pair
    game.Play("d8", "h4");
    EXPECT_EQ(game.board.Bored50, 50);
    EXPECT_EQ(game.board.Outcome, Drawn);
}

TEST(GameMove, AFullHistoryEndsTheGameAndIsNeverOverrun) {
    Game game;
    // Shuffle knights; keep the repetition rule away by resetting its counters by hand.
    int moves = 0;
    while (game.board.Outcome == InProgress) {
        const bool out = (moves / 2) % 2 == 0;
        const bool white = moves % 2 == 0;
        game.board.Repetition1 = game.board.Repetition2 = 0;
        game.board.Bored50 = 0;
        if (white)
            game.Play(out ? "g1" : "f3", out ? "f3" : "g1");
        else
            game.Play(out ? "g8" : "f6", out ? "f6" : "g8");
        ++moves;
        ASSERT_LE(game.history->Count, HistorySize);
    }
    EXPECT_EQ(game.history->Count, HistorySize);
    EXPECT_EQ(game.board.Outcome, Drawn);
    EXPECT_EQ(moves, HistorySize - 1);

    // A further game move is refused outright, leaving board and history as they were.
    const Board before = game.board;
    EXPECT_FALSE(GameMove(game.board, *game.history, 1, 7, 2, 5));
    EXPECT_EQ(game.history->Count, HistorySize);
    EXPECT_EQ(game.board.PlyCount, before.PlyCount);
    EXPECT_FALSE(PushHistory(*game.history, game.board));
    EXPECT_EQ(game.history->Stored, HistorySize);
}
