// Conversions: FEN in and out, the game's record to the position (rights, en passant, the
// fifty-move count, a pending promotion choice), and moves both ways.
#include <gtest/gtest.h>

#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "notation/Fen.h"
#include "strongplayer/Convert.h"
#include "strongplayer/Movegen.h"

using namespace strong;

namespace {

std::string FirstFields(const std::string& fen) {
    size_t at = 0;
    for (int field = 0; field < 4 && at != std::string::npos; ++field) at = fen.find(' ', at + 1);
    return fen.substr(0, at);
}

// FEN texts that read back the same, and what the game's reader makes of them.
const char* RoundTrips[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/pp1ppppp/8/2pP4/8/8/PPP1PPPP/RNBQKBNR w KQkq c6 0 3",
    "rnbqkbnr/pppp1ppp/8/8/3Pp3/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 3",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/8/8/8/8/8/8/R3K2R b Kq - 12 40",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
};

TEST(StrongConvert, FenReadsBackAndAgreesWithTheGamesRecord) {
    for (const char* fen : RoundTrips) {
        Position p;
        ASSERT_TRUE(FromFen(fen, p)) << fen;
        EXPECT_EQ(ToFen(p), fen);
        EXPECT_TRUE(Consistent(p));
        Board board{};
        std::string error;
        ASSERT_TRUE(ReadFen(fen, board, error)) << fen << ": " << error;
        Position converted;
        ASSERT_TRUE(FromBoard(board, converted));
        EXPECT_EQ(converted.Key, p.Key) << fen;
        // Pieces, side, rights and en passant; the game counts the clock its own way.
        EXPECT_EQ(FirstFields(ToFen(converted)), FirstFields(fen)) << fen;
    }
}

TEST(StrongConvert, FenFaultsAreRefused) {
    const char* bad[] = {"",
                         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
                         "8/8/8/8/8/8/8/8 w - - 0 1",
                         "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",
                         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkx - 0 1",
                         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e5 0 1",
                         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - x 1",
                         "rnbqkbnr/ppppzppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR/8 w KQkq - 0 1"};
    for (const char* fen : bad) {
        Position p;
        EXPECT_FALSE(FromFen(fen, p)) << fen;
    }
    // Rights without their pieces, and an en passant square no pawn can use, are dropped.
    Position p;
    ASSERT_TRUE(FromFen("4k3/8/8/8/4p3/8/8/R3K3 w KQkq e3 0 1", p));
    EXPECT_EQ(p.Castling, WhiteLong);
    EXPECT_EQ(p.EnPassant, -1);
}

TEST(StrongConvert, GameRecordsKeepTheirCountersAndRights) {
    Board board{};
    SetUpBoard(board);
    // 1. Nf3 Nf6 2. Ng1 Ng8: two quiet pairs, four plies.
    for (const Move& m : {Move{6, 7, 5, 5}, Move{6, 0, 5, 2}, Move{5, 5, 6, 7}, Move{5, 2, 6, 0}})
        ASSERT_TRUE(MakeMove(board, m.X1, m.Y1, m.X2, m.Y2));
    Position p;
    ASSERT_TRUE(FromBoard(board, p));
    EXPECT_EQ(p.Rule50, 4);
    Position start;
    ASSERT_TRUE(FromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", start));
    EXPECT_EQ(p.Key, start.Key);

    // A rook taken at home: the record keeps the right, the position does not.
    Board taken{};
    std::string error;
    ASSERT_TRUE(ParseFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", taken, error));
    ASSERT_TRUE(MakeMove(taken, 0, 0, 0, 7)); // Rxa1
    ASSERT_TRUE(taken.QueenCastle1);
    ASSERT_TRUE(FromBoard(taken, p));
    EXPECT_EQ(p.Castling, WhiteShort | BlackShort);
}

TEST(StrongConvert, APendingChoiceHasTheFourPiecesAsItsMoves) {
    for (const bool white : {true, false}) {
        Board board{};
        std::string error;
        ASSERT_TRUE(
            ReadFen(white ? "8/1P6/8/8/8/8/5k2/K7 w - - 0 60" : "8/8/8/8/8/2k5/p7/4K3 b - - 0 60",
                    board, error));
        ASSERT_TRUE(white ? MakeMove(board, 1, 1, 1, 0) : MakeMove(board, 0, 6, 0, 7));
        Position p;
        ASSERT_TRUE(FromBoard(board, p));
        EXPECT_EQ(p.Pending, white ? SquareAt(1, 7) : SquareAt(0, 0));
        EXPECT_EQ(p.Side, white ? WhiteSide : BlackSide);
        MoveList list;
        GenerateLegal(p, list);
        ASSERT_EQ(list.Count, 4);
        FindLegalMoves(board);
        ASSERT_EQ(board.LegalCount, 4);
        for (int i = 0; i < list.Count; ++i) {
            const ChessMove game = ToChessMove(p, list.Moves[i]);
            bool listed = false;
            for (int k = 0; k < board.LegalCount; ++k)
                listed = listed || board.LegalMoves[k] == game.Squares;
            EXPECT_TRUE(listed) << MoveText(list.Moves[i]);
            EXPECT_EQ(FromChessMove(p, game), list.Moves[i]);
            // The choice played here and on the record gives the same position.
            Position after = p;
            Undo u;
            Make(after, list.Moves[i], u);
            Board chosen = board;
            ASSERT_TRUE(MakeMove(chosen, game.Squares.X1, game.Squares.Y1, game.Squares.X2,
                                 game.Squares.Y2));
            Position fresh;
            ASSERT_TRUE(FromBoard(chosen, fresh));
            EXPECT_EQ(after.Key, fresh.Key);
            EXPECT_TRUE(Consistent(after));
            Unmake(after, list.Moves[i], u);
            EXPECT_EQ(after.Key, p.Key);
            EXPECT_TRUE(Consistent(after));
        }
    }
    Board broken{};
    SetUpBoard(broken);
    broken.ToPlay = WhiteChooses; // no pawn waits on its last row
    Position p;
    EXPECT_FALSE(FromBoard(broken, p));
    broken.ToPlay = 7;
    EXPECT_FALSE(FromBoard(broken, p));
}

TEST(StrongConvert, EveryLegalMoveConvertsBothWays) {
    for (const char* fen : RoundTrips) {
        Position p;
        ASSERT_TRUE(FromFen(fen, p));
        MoveList list;
        GenerateLegal(p, list);
        for (int i = 0; i < list.Count; ++i) {
            const ChessMove game = ToChessMove(p, list.Moves[i]);
            EXPECT_EQ(FromChessMove(p, game), list.Moves[i])
                << fen << " " << MoveText(list.Moves[i]);
        }
        EXPECT_EQ(FromChessMove(p, ChessMove{Move{0, 0, 0, 0}, 0}), NoMove16);
    }
    // A promotion named without its piece is a queen's.
    Position p;
    ASSERT_TRUE(FromFen("8/1P6/8/8/8/8/5k2/K7 w - - 0 60", p));
    EXPECT_EQ(MoveText(FromChessMove(p, ChessMove{Move{1, 1, 1, 0}, 0})), "b7b8q");
    EXPECT_EQ(MoveText(FromChessMove(p, ChessMove{Move{1, 1, 1, 0}, ::Knight})), "b7b8n");
}

} // namespace
