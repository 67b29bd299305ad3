// The strong player's move generator against the published perft tables, and against the
// rules engine's own legal-move list (less castling across an attacked square) on every
// position of many random games, with make and unmake checked against a fresh conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "notation/San.h"
#include "strongplayer/Convert.h"
#include "strongplayer/Movegen.h"

using namespace strong;

namespace {

struct PerftRow {
    const char* Fen;
    std::vector<uint64_t> Counts; // depth 1, 2, ...
};

const PerftRow PerftRows[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {48, 2039, 97862}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238}},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467}},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", {6, 264, 9467}},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379}},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", {46, 2079, 89890}},
    // Promotions with and without capture, for both sides.
    {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", {24, 496, 9483}},
};

TEST(StrongMovegen, PerftMatchesThePublishedTables) {
    for (const PerftRow& row : PerftRows) {
        Position p;
        ASSERT_TRUE(FromFen(row.Fen, p)) << row.Fen;
        for (size_t d = 0; d < row.Counts.size(); ++d)
            EXPECT_EQ(Perft(p, static_cast<int>(d + 1)), row.Counts[d])
                << row.Fen << " depth " << d + 1;
        EXPECT_TRUE(Consistent(p)) << row.Fen;
        EXPECT_EQ(Perft(p, 0), 1u) << row.Fen;
    }
}

TEST(StrongMovegen, LegalMovesExistUnlessMateOrStalemate) {
    const struct {
        const char* Fen;
        bool Any;
    } rows[] = {
        {"R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1", false}, // mated on the back rank
        {"k7/8/8/8/8/6q1/8/7K w - - 0 1", false},        // stalemated, king moves all attacked
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", false},       // stalemated in the corner
        {"6k1/5ppp/8/8/8/8/5PPP/R5K1 b - - 0 1", true},
        {"k7/8/8/8/8/6q1/8/6RK w - - 0 1", true}, // only the rook can move
    };
    for (const auto& row : rows) {
        Position p;
        ASSERT_TRUE(FromFen(row.Fen, p));
        const uint64_t key = p.Key;
        EXPECT_EQ(HasLegalMove(p), row.Any) << row.Fen;
        MoveList legal;
        GenerateLegal(p, legal);
        EXPECT_EQ(legal.Count > 0, row.Any) << row.Fen;
        EXPECT_EQ(p.Key, key);
        EXPECT_TRUE(Consistent(p));
    }
}

using MoveKey = std::tuple<int, int, int, int, int>;

MoveKey KeyOf(const ChessMove& m) {
    return {m.Squares.X1, m.Squares.Y1, m.Squares.X2, m.Squares.Y2, m.Promotion};
}

// The game's legal moves under ordinary chess: a promotion as four moves, no castling
// across an attacked square.
std::vector<MoveKey> GameMoves(Board board) {
    FindLegalMoves(board);
    std::vector<MoveKey> moves;
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move& m = board.LegalMoves[i];
        if (m.X1 == PromotionChoice) {
            moves.push_back({m.X1, m.Y1, m.X2, m.Y2, m.Y1 < 0 ? -m.Y1 : m.Y1});
        } else if (ReachesLastRow(board, m)) {
            for (int piece : {::Queen, ::Rook, ::Bishop, ::Knight})
                moves.push_back(KeyOf(ChessMove{m, piece}));
        } else if (!CastlesAcrossAttack(board, m)) {
            moves.push_back(KeyOf(ChessMove{m, 0}));
        }
    }
    std::sort(moves.begin(), moves.end());
    return moves;
}

std::vector<MoveKey> StrongMoves(const Board& board) {
    Position p;
    EXPECT_TRUE(FromBoard(board, p));
    MoveList list;
    GenerateLegal(p, list);
    std::vector<MoveKey> moves;
    for (int i = 0; i < list.Count; ++i) moves.push_back(KeyOf(ToChessMove(p, list.Moves[i])));
    std::sort(moves.begin(), moves.end());
    return moves;
}

// Plays random games through the rules engine. Captures, pawn moves and castling are
// favoured so that promotions, en passant and castling come up often.
TEST(StrongMovegen, AgreesWithTheRulesEngineOnRandomGames) {
    std::mt19937 random(20);
    int positions = 0, promotions = 0, enPassant = 0, castles = 0;
    for (int game = 0; game < 120; ++game) {
        Board board{};
        SetUpBoard(board);
        Position mine;
        ASSERT_TRUE(FromBoard(board, mine));
        for (int ply = 0; ply < 160; ++ply) {
            const std::vector<MoveKey> expected = GameMoves(board);
            ASSERT_EQ(StrongMoves(board), expected) << "game " << game << " ply " << ply;
            ++positions;
            if (expected.empty()) break;
            // The incrementally made position equals a fresh conversion (but where the game
            // keeps a castling right for a rook that was taken and another rook came home).
            Position fresh;
            ASSERT_TRUE(FromBoard(board, fresh));
            ASSERT_TRUE(Consistent(mine));
            if (fresh.Castling == mine.Castling) {
                ASSERT_EQ(mine.Key, fresh.Key) << ToFen(mine) << " vs " << ToFen(fresh);
                ASSERT_EQ(mine.Pending, fresh.Pending);
            } else {
                mine = fresh;
            }
            // Choose: a noisy move half of the time when there is one.
            FindLegalMoves(board);
            std::vector<int> picks;
            for (int i = 0; i < board.LegalCount; ++i) {
                const Move& m = board.LegalMoves[i];
                const bool noisy = m.X1 == PromotionChoice || board.Squares[m.X2][m.Y2] != 0 ||
                                   board.Squares[m.X1][m.Y1] == ::Pawn ||
                                   board.Squares[m.X1][m.Y1] == -::Pawn ||
                                   ((board.Squares[m.X1][m.Y1] == ::King ||
                                     board.Squares[m.X1][m.Y1] == -::King) &&
                                    (m.X2 - m.X1 == 2 || m.X1 - m.X2 == 2));
                if (noisy) picks.push_back(i);
            }
            const bool useNoisy = !picks.empty() && random() % 2 == 0;
            const int index = useNoisy ? picks[random() % picks.size()]
                                       : static_cast<int>(random() % board.LegalCount);
            const Move m = board.LegalMoves[index];
            const bool lastRow = m.X1 != PromotionChoice && ReachesLastRow(board, m);
            const bool across = m.X1 != PromotionChoice && CastlesAcrossAttack(board, m);
            // My move for the same step, when ordinary chess has it.
            if (!across) {
                const ChessMove asked{m, lastRow ? ::Queen : 0};
                Move16 ours =
                    FromChessMove(mine, m.X1 == PromotionChoice ? ChessMove{m, 0} : asked);
                ASSERT_NE(ours, NoMove16) << ToFen(mine);
                if (KindOf(ours) == EnPassantMove) ++enPassant;
                if (KindOf(ours) == CastlingMove) ++castles;
                if (lastRow) {
                    ++promotions;
                    // The game's two steps are one move here: play the pawn's move and the
                    // choice on the board, the promotion to a queen on the position.
                    Undo u;
                    Make(mine, ours, u);
                    MakeMove(board, m.X1, m.Y1, m.X2, m.Y2);
                    MakeMove(board, PromotionChoice,
                             board.ToPlay == WhiteChooses ? ::Queen : -::Queen, m.X2, m.Y2);
                    continue;
                }
                Undo u;
                Make(mine, ours, u);
            }
            MakeMove(board, m.X1, m.Y1, m.X2, m.Y2);
            if (across) {
                ASSERT_TRUE(FromBoard(board, mine));
            }
        }
    }
    printf("%d positions, %d promotions, %d en passant, %d castlings\n", positions, promotions,
           enPassant, castles);
    EXPECT_GT(positions, 10000);
}

TEST(StrongMovegen, KindsSplitTheListAndPseudoLegalityMatchesGeneration) {
    std::mt19937 random(7);
    for (const PerftRow& row : PerftRows) {
        Position p;
        ASSERT_TRUE(FromFen(row.Fen, p));
        MoveList all, noisy, quiet;
        GenerateMoves(p, all, Generate::All);
        GenerateMoves(p, noisy, Generate::Noisy);
        GenerateMoves(p, quiet, Generate::Quiet);
        EXPECT_EQ(all.Count, noisy.Count + quiet.Count) << row.Fen;
        std::vector<Move16> generated(all.Moves, all.Moves + all.Count);
        for (int i = 0; i < noisy.Count; ++i) EXPECT_TRUE(IsNoisy(p, noisy.Moves[i]));
        for (int i = 0; i < quiet.Count; ++i) EXPECT_FALSE(IsNoisy(p, quiet.Moves[i]));
        for (Move16 m : generated) EXPECT_TRUE(IsPseudoLegal(p, m)) << MoveText(m);
        for (int k = 0; k < 20000; ++k) {
            const Move16 m = static_cast<Move16>(random());
            const bool listed = std::find(generated.begin(), generated.end(), m) != generated.end();
            EXPECT_EQ(IsPseudoLegal(p, m), listed)
                << row.Fen << " " << MoveText(m) << " kind " << KindOf(m);
        }
    }
}

} // namespace

namespace {

// Shortcuts of the search against making the move: legality from the pinned pieces, checks
// from the check squares, and the key that comes after a plain move.
TEST(StrongMovegen, ShortcutsAgreeWithMakingTheMove) {
    std::mt19937 random(11);
    int tested = 0, pinnedMoves = 0, checks = 0, uncovered = 0;
    for (const PerftRow& row : PerftRows)
        for (int game = 0; game < 4; ++game) {
            Position p;
            ASSERT_TRUE(FromFen(row.Fen, p));
            for (int ply = 0; ply < 60; ++ply) {
                const bool inCheck = InCheck(p);
                const Bitboard pinned = Pinned(p);
                CheckSquares squares{};
                FindCheckSquares(p, squares);
                MoveList all;
                GenerateMoves(p, all, Generate::All);
                for (int i = 0; i < all.Count; ++i) {
                    const Move16 m = all.Moves[i];
                    const std::string where = ToFen(p) + " " + MoveText(m);
                    ASSERT_EQ(IsLegalGiven(p, m, pinned, inCheck), IsLegal(p, m)) << where;
                    pinnedMoves += (pinned & Bit(FromOf(m))) != 0;
                    Undo u;
                    Make(p, m, u);
                    const bool gives = InCheck(p);
                    const uint64_t key = p.Key;
                    Unmake(p, m, u);
                    ++tested;
                    checks += gives;
                    if (inCheck || !IsLegal(p, m)) continue;
                    if (KindOf(m) == PlainMove) {
                        ASSERT_EQ(MayGiveCheck(p, squares, m), gives) << where;
                        ASSERT_EQ(KeyAfter(p, m), key) << where;
                        uncovered += gives && (squares.Uncovering & Bit(FromOf(m))) != 0;
                    } else if (gives) {
                        ASSERT_TRUE(MayGiveCheck(p, squares, m)) << where;
                    }
                }
                MoveList legal;
                GenerateLegal(p, legal);
                if (legal.Count == 0) break;
                Undo u;
                Make(p, legal.Moves[random() % legal.Count], u);
            }
        }
    printf("%d moves, %d of pinned pieces, %d checks, %d uncovered\n", tested, pinnedMoves, checks,
           uncovered);
    EXPECT_GT(pinnedMoves, 100);
    EXPECT_GT(uncovered, 20);
}

} // namespace
