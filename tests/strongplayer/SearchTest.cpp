// The strong player's search and its interface: mates found at their distance, draws by
// repetition (the game's history too) and by the fifty-move count, the root's allowed moves,
// a pending promotion choice, the stop flag and event pump, determinism under a node limit,
// the static exchange test, the evaluation's colour symmetry, the table, levels and clock plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "strongplayer/Convert.h"
#include "strongplayer/Evaluate.h"
#include "strongplayer/Movegen.h"
#include "strongplayer/See.h"
#include "strongplayer/StrongPlayer.h"

using namespace strong;

namespace {

Board BoardOf(const char* fen) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ReadFen(fen, board, error)) << fen << ": " << error;
    return board;
}

std::string Text(const ChessMove& m) {
    return m.Squares.X1 == NoMove ? "none" : LongText(m);
}

struct MateRow {
    const char* Fen;
    const char* Move;
    int MateIn;
};

// Mates from the "Win at Chess" suite and a back-rank mate, for both sides.
const MateRow MateRows[] = {
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "d1d8", 1},
    {"2rr3k/pp3pp1/1nnqbN1p/3pN3/2pP4/2P3Q1/PPB4P/R4RK1 w - - 0 1", "g3g6", 2},
    {"r1bq2rk/pp3pbp/2p1p1pQ/7P/3P4/2PB1N2/PP3PPR/2KR4 w - - 0 1", "h6h7", 2},
    {"5k2/6pp/p1qN4/1p1p4/3P4/2PKP2Q/PP3r2/3R4 b - - 0 1", "c6c4", 2},
    {"k4r2/1R4pb/1pQp1n1p/3P4/5p1P/3P2P1/r1q1R2K/8 w - - 0 1", "b7b6", 3},
    {"r3q1kr/ppp5/3p2pQ/8/3PP1b1/5R2/PPP3P1/5RK1 w - - 0 1", "f3f8", 3},
    {"r3r2k/2R3pp/pp1q1p2/8/3P3R/7P/PP3PP1/3Q2K1 w - - 0 1", "h4h7", 4},
};

TEST(StrongSearch, FindsMatesAtTheirDistance) {
    StrongPlayer player(8);
    for (const MateRow& row : MateRows) {
        player.NewGame();
        ThinkLimits limits;
        limits.Depth = 2 * row.MateIn + 10;
        const ThinkResult r = player.Think(BoardOf(row.Fen), std::vector<uint64_t>{}, limits, {});
        EXPECT_EQ(Text(r.Move), row.Move) << row.Fen;
        EXPECT_EQ(r.MateIn, row.MateIn) << row.Fen;
    }
}

TEST(StrongSearch, NoMoveInMateOrStalemate) {
    StrongPlayer player(1);
    for (const char* fen :
         {"k7/8/8/8/8/6q1/8/7K w - - 0 1", "R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1"}) {
        const ThinkResult r =
            player.Think(BoardOf(fen), std::vector<uint64_t>{}, ThinkLimits{}, {});
        EXPECT_EQ(r.Move.Squares.X1, NoMove) << fen;
    }
}

TEST(StrongSearch, RepeatingAPositionOfTheGameScoresADraw) {
    // 1. Nf3 Nf6 2. Ng1: Black's Ng8 brings back the initial position.
    Board board{};
    SetUpBoard(board);
    std::vector<Board> earlier;
    for (const Move& m : {Move{6, 7, 5, 5}, Move{6, 0, 5, 2}, Move{5, 5, 6, 7}}) {
        earlier.push_back(board);
        ASSERT_TRUE(MakeMove(board, m.X1, m.Y1, m.X2, m.Y2));
    }
    Position root;
    ASSERT_TRUE(FromBoard(board, root));
    Searcher searcher(4);
    SearchLimits limits;
    limits.Depth = 4;
    SearchOptions every;
    every.ScoreEveryRootMove = true;
    const Move16 back = MakeMove16(SquareAt(5, 5), SquareAt(6, 7));
    const SearchResult withHistory =
        searcher.Run(root, PositionKeys(earlier), {}, limits, {}, every);
    searcher.Clear();
    const SearchResult without = searcher.Run(root, {}, {}, limits, {}, every);
    const auto scoreOf = [&](const SearchResult& r) {
        for (const RootMoveScore& s : r.RootScores)
            if (s.Move == back) return s.Score;
        return -1;
    };
    EXPECT_EQ(scoreOf(withHistory), 0);
    EXPECT_NE(scoreOf(without), 0);
}

TEST(StrongSearch, TheFiftyMoveCountDrawsInsideTheSearch) {
    StrongPlayer player(4);
    ThinkLimits limits;
    limits.Depth = 4;
    const ThinkResult fresh =
        player.Think(BoardOf("7k/8/8/8/8/8/8/KQ6 w - - 0 80"), std::vector<uint64_t>{}, limits, {});
    EXPECT_GT(fresh.ScoreCp, 500);
    player.NewGame();
    const ThinkResult late = player.Think(BoardOf("7k/8/8/8/8/8/8/KQ6 w - - 99 80"),
                                          std::vector<uint64_t>{}, limits, {});
    EXPECT_EQ(late.ScoreCp, 0);
    EXPECT_EQ(late.MateIn, 0);
}

TEST(StrongSearch, AnswersOnlyAllowedMoves) {
    StrongPlayer player(4);
    ThinkLimits limits;
    limits.Depth = 5;
    // Only a poor move allowed: it is the answer.
    limits.Allowed = {ChessMove{Move{0, 6, 0, 5}, 0}};
    ThinkResult r = player.Think(BoardOf(StartFen.data()), std::vector<uint64_t>{}, limits, {});
    EXPECT_EQ(Text(r.Move), "a2a3");
    // Castling across an attacked square is this game's own: with other moves it is never
    // chosen, alone it is the answer.
    const Board across = BoardOf("r3k3/8/8/8/8/8/5r2/4K2R w K - 0 1");
    limits.Allowed.clear();
    limits.Depth = 3;
    r = player.Think(across, std::vector<uint64_t>{}, limits, {});
    EXPECT_NE(Text(r.Move), "e1g1");
    limits.Allowed = {ChessMove{Move{4, 7, 6, 7}, 0}};
    r = player.Think(across, std::vector<uint64_t>{}, limits, {});
    EXPECT_EQ(Text(r.Move), "e1g1");
}

TEST(StrongSearch, TheAllowedMovesAreTheGamesWithEachPromotionPiece) {
    struct Row {
        const char* Fen;
        size_t Count;
        const char* Has;    // a move in the list
        const char* HasNot; // and one that is not
    };
    const Row rows[] = {
        // Five king moves, and the pawn's step once with each piece.
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", 9, "a7a8n", "a7a8"},
        // Castling across an attacked square is in the game's own list, so it is allowed.
        {"r3k3/8/8/8/8/8/5r2/4K2R w K - 0 1", 0, "e1g1", nullptr},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 20, "g1f3", nullptr},
    };
    for (const Row& row : rows) {
        Board board = BoardOf(row.Fen);
        FindLegalMoves(board);
        const std::vector<ChessMove> moves = AllowedMoves(board);
        if (row.Count) {
            EXPECT_EQ(moves.size(), row.Count) << row.Fen;
        }
        std::vector<std::string> texts;
        for (const ChessMove& m : moves) texts.push_back(Text(m));
        EXPECT_NE(std::find(texts.begin(), texts.end(), row.Has), texts.end()) << row.Fen;
        if (row.HasNot) {
            EXPECT_EQ(std::find(texts.begin(), texts.end(), row.HasNot), texts.end()) << row.Fen;
        }
    }
    // A pending choice: its four choice moves as they are.
    Board board = BoardOf("8/1P6/8/8/8/8/5k2/K7 w - - 0 60");
    ASSERT_TRUE(MakeMove(board, 1, 1, 1, 0));
    FindLegalMoves(board);
    const std::vector<ChessMove> choices = AllowedMoves(board);
    ASSERT_EQ(choices.size(), 4u);
    for (const ChessMove& m : choices) {
        EXPECT_EQ(m.Squares.X1, PromotionChoice);
        EXPECT_EQ(m.Promotion, 0);
    }
}

TEST(StrongSearch, APendingChoiceIsAnsweredWithAPiece) {
    Board board = BoardOf("8/1P6/8/8/8/8/5k2/K7 w - - 0 60");
    ASSERT_TRUE(MakeMove(board, 1, 1, 1, 0));
    StrongPlayer player(4);
    ThinkLimits limits;
    limits.Depth = 6;
    const ThinkResult r = player.Think(board, std::vector<uint64_t>{}, limits, {});
    EXPECT_EQ(r.Move.Squares, (Move{PromotionChoice, ::Queen, 1, 0}));
    EXPECT_EQ(r.Move.Promotion, ::Queen);
}

TEST(StrongSearch, StopsWhenTheEventsRaiseTheFlagAndStillAnswers) {
    StrongPlayer player(4);
    std::atomic<bool> stop{false};
    int pumps = 0;
    ThinkHooks hooks;
    hooks.Stop = &stop;
    hooks.EventsEveryNodes = 2048;
    hooks.ProcessEvents = [&] {
        if (++pumps == 3) stop = true;
    };
    const Board board =
        BoardOf("r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 w - - 0 7");
    const ThinkResult r = player.Think(board, std::vector<uint64_t>{}, ThinkLimits{}, hooks);
    EXPECT_EQ(pumps, 3); // nothing more once the flag is up
    EXPECT_LT(r.Nodes, 4 * 2048u);
    Position p;
    ASSERT_TRUE(FromBoard(board, p));
    EXPECT_NE(FromChessMove(p, r.Move), NoMove16);
    // Raised before the start: the first depth still gives a move.
    const ThinkResult early = player.Think(board, std::vector<uint64_t>{}, ThinkLimits{}, hooks);
    EXPECT_NE(FromChessMove(p, early.Move), NoMove16);
    EXPECT_EQ(early.Depth, 1);
}

// The clock is read every 1024 nodes: a hard limit of 0 ends the thinking there, a soft one
// after the first depth.
TEST(StrongSearch, TimeLimitsOfZeroEndTheThinkingAtOnce) {
    const Board board =
        BoardOf("r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 w - - 0 7");
    for (const bool hard : {true, false}) {
        StrongPlayer player(4);
        ThinkLimits limits;
        (hard ? limits.HardMs : limits.SoftMs) = 0;
        const ThinkResult r = player.Think(board, std::vector<uint64_t>{}, limits, {});
        if (hard) {
            EXPECT_LE(r.Nodes, 1024u);
        } else {
            EXPECT_EQ(r.Depth, 1);
        }
        EXPECT_NE(r.Move.Squares.X1, NoMove);
    }
}

// Under a generous clock the search runs to its depth limit, but a lone legal move is not
// worth more than a few plies.
TEST(StrongSearch, AGenerousClockStopsAtTheDepthOrEarlyForALoneMove) {
    struct Row {
        const char* Fen;
        int DepthLimit;
        int Depth;
    };
    const Row rows[] = {
        {"8/8/4k3/8/2K5/8/3P4/8 w - - 0 1", 10, 10},
        {"k5rr/8/8/8/8/8/6P1/6QK w - - 0 1", 0, 8},
    };
    for (const Row& row : rows) {
        StrongPlayer player(4);
        ThinkLimits limits;
        limits.SoftMs = limits.HardMs = 600000;
        limits.Depth = row.DepthLimit;
        const ThinkResult r = player.Think(BoardOf(row.Fen), std::vector<uint64_t>{}, limits, {});
        EXPECT_EQ(r.Depth, row.Depth) << row.Fen;
    }
}

TEST(StrongSearch, ANodeLimitGivesTheSameSearchEveryTime) {
    const Board board =
        BoardOf("r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
    ThinkLimits limits;
    limits.Nodes = 30000;
    std::vector<std::string> infos[2];
    ThinkResult results[2];
    for (int run = 0; run < 2; ++run) {
        StrongPlayer player(4);
        ThinkHooks hooks;
        hooks.OnIteration = [&infos, run](const ThinkInfo& i) {
            infos[run].push_back(std::to_string(i.Depth) + " " + UciScore(i) + " " +
                                 std::to_string(i.Nodes) + " " + i.PvText);
        };
        results[run] = player.Think(board, std::vector<uint64_t>{}, limits, hooks);
    }
    EXPECT_EQ(results[0].Nodes, 30000u);
    EXPECT_EQ(results[0].Nodes, results[1].Nodes);
    EXPECT_EQ(Text(results[0].Move), Text(results[1].Move));
    EXPECT_EQ(infos[0], infos[1]);
    EXPECT_GE(infos[0].size(), 4u);
}

struct SeeRow {
    const char* Fen;
    const char* Move;
    int Exact; // the exchange's value: at least this, not one more
};

const SeeRow SeeRows[] = {
    {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 100},
    {"4k3/8/2p5/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 0},
    {"4k3/8/2p5/3p4/8/8/3Q4/4K3 w - - 0 1", "d2d5", -850},
    {"4k3/3r4/8/3p4/8/8/3R4/3RK3 w - - 0 1", "d2d5", 100},
    {"4k3/3r4/3r4/3p4/8/8/3R4/3RK3 w - - 0 1", "d2d5", -400},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", 100},
    {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", 0},
    {"3rk3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8q", -100},
};

TEST(StrongSearch, StaticExchangeValues) {
    // A promotion choice exchanges nothing, even for the pawn waiting on a1.
    Board waiting = BoardOf("8/8/8/8/8/2k5/p7/4K3 b - - 0 60");
    ASSERT_TRUE(MakeMove(waiting, 0, 6, 0, 7));
    Position pending;
    ASSERT_TRUE(FromBoard(waiting, pending));
    const Move16 choice = MakeMove16(0, 0, PromotionMove, Queens);
    EXPECT_TRUE(SeeAtLeast(pending, choice, 0));
    EXPECT_FALSE(SeeAtLeast(pending, choice, 1));

    for (const SeeRow& row : SeeRows) {
        Position p;
        ASSERT_TRUE(FromFen(row.Fen, p));
        MoveList list;
        GenerateLegal(p, list);
        Move16 m = NoMove16;
        for (int i = 0; i < list.Count; ++i)
            if (MoveText(list.Moves[i]) == row.Move) m = list.Moves[i];
        ASSERT_NE(m, NoMove16) << row.Fen;
        EXPECT_TRUE(SeeAtLeast(p, m, row.Exact)) << row.Fen;
        EXPECT_FALSE(SeeAtLeast(p, m, row.Exact + 1)) << row.Fen;
    }
}

// The same position with colours and ranks swapped.
Position Mirrored(const Position& p) {
    Position m;
    Clear(m);
    for (int s = 0; s < 64; ++s)
        if (p.Squares[s] != NoPiece)
            PutPiece(m, MakePiece(ColourOf(p.Squares[s]) ^ 1, TypeOf(p.Squares[s])), s ^ 56);
    m.Side = p.Side ^ 1;
    m.Castling = ((p.Castling & 3) << 2) | (p.Castling >> 2);
    m.EnPassant = p.EnPassant < 0 ? -1 : p.EnPassant ^ 56;
    Refresh(m);
    return m;
}

const char* const EvaluationFens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "6k1/5p2/6p1/8/8/2B5/5PPP/2b3K1 w - - 0 40",
    "8/8/4k3/8/8/3NK3/8/8 w - - 0 60",
    // doubled and isolated pawns, passers with kings near, rooks on open files, threats
    "2r3k1/1P3pp1/4p3/p2P4/P1n3P1/2P5/2K1R3/7R b - - 3 40",
    // queens and pieces around a king: the attack term
    "r1b2rk1/ppq2ppp/2n5/3pN1B1/3P2Q1/2PB4/P4PPP/R4RK1 w - - 0 15",
};

TEST(StrongSearch, EvaluationIsTheSameForEitherColour) {
    PawnCache cache;
    for (const char* fen : EvaluationFens) {
        Position p;
        ASSERT_TRUE(FromFen(fen, p));
        EXPECT_EQ(Evaluate(p, cache), Evaluate(Mirrored(p), cache)) << fen;
    }
    // A lone knight cannot win; a queen up can.
    Position knight, queen;
    ASSERT_TRUE(FromFen("8/8/4k3/8/8/3NK3/8/8 w - - 0 60", knight));
    ASSERT_TRUE(FromFen("8/8/4k3/8/8/3QK3/8/8 w - - 0 60", queen));
    EXPECT_LT(std::abs(Evaluate(knight, cache)), 50);
    EXPECT_GT(Evaluate(queen, cache), 800);
}

// The counted terms times the weights must give the evaluation back exactly, or the weights
// fitted to them would not be the evaluation's.
TEST(StrongSearch, CountedTermsGiveTheEvaluationBack) {
    PawnCache cache;
    const EvalWeights w = CurrentWeights();
    for (const char* fen : EvaluationFens) {
        Position p;
        ASSERT_TRUE(FromFen(fen, p));
        EvalTerms t;
        const int traced = Evaluate(p, t);
        EXPECT_EQ(traced, Evaluate(p, cache)) << fen;
        int mg = t.KingAttackMg, eg = 0;
        for (int i = 0; i < EvalTerms::Count; ++i) {
            mg += t.Coefficient[i] * w.Mg[i];
            eg += t.Coefficient[i] * w.Eg[i];
        }
        const int white = (mg * t.Phase + eg * t.Scale / 16 * (24 - t.Phase)) / 24;
        EXPECT_EQ((p.Side == WhiteSide ? white : -white) + w.Tempo, traced) << fen;
    }
    Position lone;
    ASSERT_TRUE(FromFen("8/8/4k3/8/8/3NK3/8/8 w - - 0 60", lone));
    EvalTerms t;
    Evaluate(lone, t);
    EXPECT_EQ(t.Scale, 0);
    EXPECT_EQ(t.Phase, 1);
    EXPECT_EQ(t.Coefficient[EvalTerms::Psqt + Knights * 64 + SquareAt(3, 2)], 1);
}

TEST(StrongSearch, TableKeepsDeepEntriesAndCountsItsUse) {
    TranspositionTable table(1);
    EXPECT_EQ(table.Megabytes(), 1u);
    EXPECT_EQ(table.Probe(42), nullptr);
    table.Store(42, MakeMove16(12, 28), 35, 20, 9, ExactBound);
    table.Store(42, NoMove16, -5, 20, 2, LowerBound); // shallower: the deep result stays
    const TableEntry* e = table.Probe(42);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Depth, 9);
    EXPECT_EQ(e->Score, 35);
    EXPECT_EQ(e->Move, MakeMove16(12, 28));
    EXPECT_EQ(e->BoundOf(), ExactBound);
    table.Store(42, NoMove16, 50, 20, 12, UpperBound); // deeper: replaces, keeps the move
    e = table.Probe(42);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Depth, 12);
    EXPECT_EQ(e->Move, MakeMove16(12, 28));
    for (uint64_t k = 0; k < 4000; ++k) table.Store(k * 7919 + 1, NoMove16, 0, 0, 1, ExactBound);
    EXPECT_GT(table.Hashfull(), 0);
    table.NewSearch();
    EXPECT_EQ(table.Hashfull(), 0);
    table.Clear();
    EXPECT_EQ(table.Probe(42), nullptr);
}

TEST(StrongSearch, LevelsRiseWithElo) {
    EXPECT_EQ(LevelForElo(0).Elo, MinimumElo());
    EXPECT_EQ(LevelForElo(MinimumElo()).Nodes, LevelForElo(0).Nodes);
    // Below the lowest level, EloPerDoubling less is half its nodes.
    const double ratio =
        static_cast<double>(LevelForElo(StrongLevels[0].Elo - EloPerDoubling).Nodes) /
        static_cast<double>(StrongLevels[0].Nodes);
    EXPECT_NEAR(ratio, 0.5, 0.01);
    EXPECT_EQ(LevelForElo(5000).Nodes, 0u);
    uint64_t nodes = 0;
    for (int elo = MinimumElo(); elo < MaximumElo(); elo += 25) {
        const StrongLevel level = LevelForElo(elo);
        EXPECT_GT(level.Nodes, nodes) << elo;
        EXPECT_EQ(level.Elo, elo);
        nodes = level.Nodes;
    }
    // Just below the unlimited top, nearly sixteen times the nodes of the level under it.
    EXPECT_GT(LevelForElo(MaximumElo() - 1).Nodes, 15 * StrongLevels[StrongLevelCount - 2].Nodes);
    for (int k = 1; k < StrongLevelCount; ++k) {
        EXPECT_GE(StrongLevels[k].Elo - StrongLevels[k - 1].Elo, 150);
        EXPECT_LE(StrongLevels[k].Elo - StrongLevels[k - 1].Elo, 250);
        EXPECT_EQ(LevelForElo(StrongLevels[k].Elo).Nodes, StrongLevels[k].Nodes);
    }
}

TEST(StrongSearch, ALevelsWorseMoveLosesLittle) {
    // After 1. e4 e5 2. Nf3 Nc6 3. Bb5 a6: every answer but the best is taken, none losing more
    // than the level allows, and the same seed draws the same move.
    const Board board =
        BoardOf("r1bqkbnr/1ppp1ppp/p1n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 4");
    StrongPlayer player(4);
    ThinkLimits limits;
    limits.Depth = 5;
    // Scored the same way (every root move with a full window), but no loss allowed.
    player.SetLevel(StrongLevel{"test", 0, 0, 0, 100, 0});
    const ThinkResult best = player.Think(board, std::vector<uint64_t>{}, limits, {});
    EXPECT_FALSE(best.Worse);
    player.SetLevel(StrongLevel{"test", 0, 0, 0, 100, 40});
    std::string first;
    for (uint64_t seed : {1u, 1u, 2u}) {
        player.NewGame();
        player.SetSeed(seed);
        const ThinkResult r = player.Think(board, std::vector<uint64_t>{}, limits, {});
        EXPECT_TRUE(r.Worse);
        EXPECT_NE(Text(r.Move), Text(best.Move));
        EXPECT_GE(r.ScoreCp, best.ScoreCp - 40);
        if (seed != 1) continue;
        if (first.empty()) {
            first = Text(r.Move);
        } else {
            EXPECT_EQ(Text(r.Move), first);
        }
    }
}

TEST(StrongSearch, UciTextsOfScores) {
    ThinkInfo info;
    info.Depth = 3;
    info.ScoreCp = 35;
    info.PvText = "e2e4 e7e5";
    EXPECT_EQ(UciScore(info), "cp 35");
    info.MateIn = -2;
    EXPECT_EQ(UciScore(info), "mate -2");
    EXPECT_EQ(UciInfoLine(info).substr(0, 33), "info depth 3 seldepth 0 score mat");
    EXPECT_NE(UciInfoLine(info).find(" pv e2e4 e7e5"), std::string::npos);
    // A rate only from some time.
    info.Nps = 5000;
    EXPECT_EQ(UciInfoLine(info).find(" nps "), std::string::npos);
    info.TimeMs = 2;
    EXPECT_NE(UciInfoLine(info).find(" nps 5000 "), std::string::npos);
}

} // namespace
