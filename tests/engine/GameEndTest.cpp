#include "tests/engine/EngineTestUtil.h"

#include <initializer_list>
#include <memory>
#include <thread>
#include <tuple>

#include "engine/Checkmateu.h"
#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Makemoveu.h"
#include "engine/Rulesu.h"
#include "engine/Stalemateu.h"

namespace {

Board FoolsMate() {
    Board board = Initial();
    for (const Move& m : {Move{5, 6, 5, 5}, Move{4, 1, 4, 3}, Move{6, 6, 6, 4}, Move{3, 0, 7, 4}})
        EXPECT_TRUE(MakeMove(board, m.X1, m.Y1, m.X2, m.Y2));
    return board;
}

// Plays a legal game move and checks the record afterwards.
void Play(Board& board, History& history, Sq from, Sq to) {
    ASSERT_TRUE(IsLegal(board, from.x, from.y, to.x, to.y));
    ASSERT_TRUE(GameMove(board, history, from.x, from.y, to.x, to.y));
    ExpectConsistent(board);
}

} // namespace

TEST(LegalMoveList, NeverWritesPastItsCapacity) {
    // Play never gets near the capacity, but a board full of queens can be set up.
    Board queens = FromFen("1QQQQQQ1/1Q4Q1/Q6Q/Q6Q/Q6Q/3Q1Q1Q/QQ5Q/1KQ1Q1Qk w - -");
    ASSERT_GT(CountLegalPairs(queens), MaxLegalMoves);
    FindLegalMoves(queens);
    EXPECT_EQ(queens.LegalCount, MaxLegalMoves);
}

TEST(GameEnd, MateStalemateAndTheDrawCounters) {
    Board mate = FoolsMate();
    EXPECT_TRUE(IsMate(mate));
    EXPECT_FALSE(IsStalemate(mate));
    Board stalemate = FromFen("k7/2Q5/8/8/8/8/8/4K3 b - -");
    EXPECT_FALSE(IsMate(stalemate));
    EXPECT_TRUE(IsStalemate(stalemate));

    // The counters draw even with moves left, and even when it is mate.
    for (int32_t Board::*counter : {&Board::Bored50, &Board::Repetition1, &Board::Repetition2}) {
        const int limit = counter == &Board::Bored50 ? FiftyMoveLimit : RepetitionLimit + 1;
        Board board = Initial();
        board.*counter = limit - 1;
        EXPECT_FALSE(IsStalemate(board));
        board.*counter = limit;
        EXPECT_TRUE(IsStalemate(board));
        Board mated = FoolsMate();
        mated.*counter = limit;
        EXPECT_TRUE(IsMate(mated) && IsStalemate(mated));
    }
}

TEST(GameMove, DrawOverridesMateAndAFullHistoryEndsTheGame) {
    auto history = std::make_unique<History>();
    Board board = Initial();
    ResetHistory(*history);
    PushHistory(*history, board);
    for (const char* move : {"f2f3", "e7e5", "g2g4"}) Play(board, *history, move, move + 2);
    board.Bored50 = 49; // the mating move also closes the fiftieth quiet pair
    board.Quiet1 = true;
    Play(board, *history, "d8", "h4");
    EXPECT_EQ(board.Outcome, Drawn);
    EXPECT_EQ(board.CheckStatus, White);

    board = Initial();
    ResetHistory(*history);
    PushHistory(*history, board);
    const char* shuffle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    int moves = 0;
    for (; board.Outcome == InProgress; ++moves) {
        board.Repetition1 = board.Repetition2 = board.Bored50 = 0;
        Play(board, *history, shuffle[moves % 4], shuffle[moves % 4] + 2);
    }
    EXPECT_EQ(moves, HistorySize - 1);
    EXPECT_EQ(history->Count, HistorySize);
    EXPECT_EQ(board.Outcome, Drawn);
    const int plies = board.PlyCount;
    EXPECT_FALSE(GameMove(board, *history, 1, 7, 2, 5));
    EXPECT_FALSE(PushHistory(*history, board));
    EXPECT_EQ(history->Count, HistorySize);
    EXPECT_EQ(board.PlyCount, plies);
}

TEST(HistoryMemory, AFreedHistoryIsKeptForTheNextAndGoesWithItsThread) {
    std::thread worker([] {
        auto first = std::make_unique<History>();
        auto second = std::make_unique<History>();
        EXPECT_NE(first.get(), second.get());
        first->Snapshots[HistorySize - 1] = Initial();
        first->Count = HistorySize;
        History* kept = first.get();
        first.reset();
        second.reset(); // more than one spare goes back to the system
        auto again = std::make_unique<History>();
        EXPECT_EQ(again.get(), kept);
        // Handed out again, it is a new history: value-initialised, and writable to its end.
        EXPECT_EQ(again->Count, 0);
        EXPECT_EQ(again->Snapshots[HistorySize - 1].PlyCount, 0);
        again->Snapshots[HistorySize - 1] = Initial();
    });
    worker.join();
    // The spare the thread kept was freed with it, or the leak check at exit reports it.
}

namespace {

// Plays `moves` (such as "g1f3") from `fen` as game moves, judging each position under standard
// rules; returns the last judgement.
Ending PlayStandard(const char* fen, std::initializer_list<const char*> moves) {
    auto history = std::make_unique<History>();
    Board board = FromFen(fen);
    ResetHistory(*history);
    PushHistory(*history, board);
    Ending ending = JudgeStandard(*history, board);
    for (const char* move : moves) {
        const Sq from(move), to(move + 2);
        EXPECT_TRUE(IsRuleLegal(board, from.x, from.y, to.x, to.y, Rules::Standard)) << move;
        EXPECT_TRUE(GameMove(board, *history, from.x, from.y, to.x, to.y));
        ending = JudgeStandard(*history, board);
        // The history's position carries the same outcome as the board shown.
        EXPECT_EQ(history->Snapshots[history->Count - 1].Outcome, board.Outcome);
    }
    return ending;
}

} // namespace

TEST(StandardRules, DrawsAndTheirNearMisses) {
    const char* const knights = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    // After Black's d7-d5 White may take en passant: that first position is another one.
    const char* const passant = "rnbqkbnr/pppppppp/8/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 2";
    // ... unless the capture would leave White's king open to the queen: then it is the same.
    const char* const pinned = "4k3/3pq3/8/4P3/8/8/8/4K3 b - - 0 1";
    const struct {
        const char* why;
        const char* fen;
        std::initializer_list<const char*> moves;
        Ending ending;
    } rows[] = {
        {"the start, twice more",
         knights,
         {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"},
         Ending::Repetition},
        {"one short of it",
         knights,
         {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"},
         Ending::None},
        {"the en passant right tells the first apart",
         passant,
         {"d7d5", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"},
         Ending::None},
        {"... the third without it draws",
         passant,
         {"d7d5", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6",
          "f3g1", "f6g8"},
         Ending::Repetition},
        {"a right that cannot be used is none",
         pinned,
         {"d7d5", "e1d1", "e8d8", "d1e1", "d8e8", "e1d1", "e8d8", "d1e1", "d8e8"},
         Ending::Repetition},
        {"100 plies without progress",
         "8/8/4k3/8/8/4K3/8/R7 w - - 98 80",
         {"a1a2", "e6d6"},
         Ending::FiftyMoves},
        {"99 of them", "8/8/4k3/8/8/4K3/8/R7 w - - 98 80", {"a1a2"}, Ending::None},
        {"a pawn's move starts them afresh",
         "8/8/4k3/8/8/4K3/P7/R7 w - - 99 80",
         {"a2a3"},
         Ending::None},
        {"bare kings", "8/8/4k3/8/8/4K3/8/8 w - - 0 1", {}, Ending::Material},
        {"a knight alone", "8/8/4k3/8/8/4K3/8/6N1 w - - 0 1", {}, Ending::Material},
        {"a bishop alone", "8/8/4k3/8/8/4K3/8/6b1 w - - 0 1", {}, Ending::Material},
        {"bishops on one colour", "8/8/4k3/5b2/8/4KB2/8/8 w - - 0 1", {}, Ending::Material},
        {"bishops on both colours", "8/8/4k3/4b3/8/4KB2/8/8 w - - 0 1", {}, Ending::None},
        {"two knights", "8/8/4k3/8/8/4K3/8/5NN1 w - - 0 1", {}, Ending::None},
        {"a knight against a knight", "8/8/4k3/8/3n4/4K3/8/6N1 w - - 0 1", {}, Ending::None},
        {"a pawn", "8/8/4k3/8/8/4K3/4P3/8 w - - 0 1", {}, Ending::None},
        {"mate", "7k/5Q2/6K1/8/8/8/8/8 w - - 0 1", {"f7g7"}, Ending::Checkmate},
        {"stalemate", "7k/5Q2/6K1/8/8/8/8/8 w - - 0 1", {"f7f6"}, Ending::None},
        {"stalemate indeed", "7k/8/5QK1/8/8/8/8/8 w - - 0 1", {"f6f7"}, Ending::Stalemate},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(PlayStandard(row.fen, row.moves), row.ending);
    }
}

TEST(StandardRules, CastlingAcrossAnAttackAndWhoCanStillMate) {
    // The bishop on g2 attacks f1, which castling short crosses.
    Board board = FromFen("4k3/8/8/8/8/8/6b1/4K2R w K - 0 1");
    for (const Rules rules : {Rules::Brisko, Rules::Standard}) {
        Board copy = board;
        FindRuleMoves(copy, rules);
        bool castles = false;
        for (int i = 0; i < copy.LegalCount; ++i)
            castles = castles || SameMove(copy.LegalMoves[i], 4, 7, 6, 7);
        EXPECT_EQ(castles, rules == Rules::Brisko);
        EXPECT_EQ(IsRuleLegal(copy, 4, 7, 6, 7, rules), rules == Rules::Brisko);
    }
    // Who could never mate, whatever the other side does.
    const std::tuple<const char*, int, bool> sides[] = {
        {"8/8/4k3/8/8/4K3/8/R7 w - - 0 1", Black, true},     // a bare king
        {"8/8/4k3/8/8/4K3/8/R7 w - - 0 1", White, false},    // a rook mates
        {"8/8/4k3/8/8/4K3/8/6N1 w - - 0 1", White, true},    // a knight alone, bare king
        {"8/8/4k3/4p3/8/4K3/8/6N1 w - - 0 1", White, false}, // the pawn can block
        {"8/8/4k3/4p3/8/4K3/8/6B1 w - - 0 1", White, false}, // ... for a bishop too
        {"8/8/4k3/8/8/4K3/8/5BB1 w - - 0 1", White, false},  // bishops of both colours
        {"8/8/4k3/8/8/4K3/8/4B1B1 w - - 0 1", White, true},  // of one colour
        {"8/8/4k3/4b3/8/4K3/8/6B1 w - - 0 1", White, true},  // nobody can mate
    };
    for (const auto& [fen, side, never] : sides)
        EXPECT_EQ(CannotMate(FromFen(fen), side), never) << fen << " " << side;
}
