// Positions no game can reach, as a saved game or a FEN record may carry them.
#include "tests/engine/EngineTestUtil.h"

#include "engine/Validu.h"

TEST(Valid, OnlyPositionsAGameCanReachPass) {
    const struct {
        const char* Fen;
        int ToPlay; // 0: as the FEN says
        const char* Reason;
    } positions[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w", 0, ""},
        {"8/8/8/8/8/8/8/4K3 w", 0, "Black has no king."},
        {"k1k5/8/8/8/8/8/8/4K3 w", 0, "Black has more than one king."},
        {"8/8/8/3kK3/8/8/8/8 b", 0, "The kings stand next to each other."},
        {"4k3/8/8/8/8/8/8/4K2r b", 0, "White is in check after its own move."},
        {"1P6/R6k/8/8/8/8/8/4K3 w", WhiteChooses, ""}, // the pawn's move gave a discovered check
        {"P3k3/8/8/8/8/8/8/4K3 w", 0,
         "A White pawn stands on its last row with no promotion choice pending."},
        {"P3k2P/8/8/8/8/8/8/4K3 w", WhiteChooses,
         "White's promotion choice needs exactly one White pawn on its last row."},
        {"4k3/8/8/8/8/8/8/4K2P w", 0, "A White pawn stands on White's back rank."},
        {"4k3/pppppppp/p7/8/8/8/8/4K3 w", 0, "Black has more than 8 pawns."},
        {"QQQQkQQQ/QQQQQQQQ/QQQQQQQQ/8/8/8/8/4K3 w", 0, "White has more than 16 pieces."},
        {"4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w", 0, "White has more promoted pieces than missing pawns."},
        {"rnnnkbnr/pppppp2/8/8/8/8/8/4K3 w", 0, ""}, // two knights from two pawns
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", 0, ""},
        {"4k3/8/8/4P3/8/8/8/4K3 w - d6", 0,
         "En passant needs a Black pawn that has just advanced two squares to d5."},
        {"4k3/3n4/8/3pP3/8/8/8/4K3 w - d6", 0,
         "En passant needs a Black pawn that has just advanced two squares to d5."},
        {"4k3/8/8/8/8/8/8/4K3 w - d3", 0, ""}, // White's own file is renewed by its move
    };
    for (const auto& position : positions) {
        Board board = FromFen(position.Fen);
        if (position.ToPlay != 0) board.ToPlay = position.ToPlay;
        std::string reason;
        EXPECT_EQ(IsReachable(board, reason), *position.Reason == '\0') << position.Fen;
        EXPECT_EQ(reason, position.Reason) << position.Fen;
    }
}
