#include <gtest/gtest.h>

#include <string>

#include "tests/engine/EngineTestUtil.h"
#include "tools/common/Perft.h"

namespace {

struct PerftCase {
    const char* name;
    const char* fen;
    int depth;
    uint64_t nodes;
    Rules rules = Rules::Brisko;
};

const char* const KiwipeteFen =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const char* const Position4Fen = "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1";

// Where this game's castling rule (the square passed over is not tested) cannot matter, the
// counts are the standard ones; Kiwipete and position 4 include castling across an attack, and
// under standard rules give the published counts.
const PerftCase Cases[] = {
    {"Start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281},
    {"Position3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
    {"Position5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 2, 1486},
    {"Position6", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 2,
     2079},
    {"Kiwipete", KiwipeteFen, 2, 2043},
    {"Position4", Position4Fen, 3, 9467},
    {"KiwipeteStandard2", KiwipeteFen, 2, 2039, Rules::Standard},
    {"KiwipeteStandard3", KiwipeteFen, 3, 97862, Rules::Standard},
    {"Position4Standard", Position4Fen, 4, 422333, Rules::Standard},
    {"Position5Standard", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379,
     Rules::Standard},
};

class PerftTest : public testing::TestWithParam<PerftCase> {};

} // namespace

TEST_P(PerftTest, MatchesTheTables) {
    const PerftCase& c = GetParam();
    EXPECT_EQ(Perft(FromFen(c.fen), c.depth, c.rules), c.nodes);
}

INSTANTIATE_TEST_SUITE_P(Positions, PerftTest, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Perft, DividePromotionsIntoFourLeaves) {
    const Board board = FromFen("4k3/1P6/8/8/8/8/8/4K3 w - -");
    int promotions = 0;
    const uint64_t total = PerftDivide(board, 1, [&](const Move& m, int piece, uint64_t count) {
        EXPECT_EQ(count, 1u);
        if (m.X1 == 1) promotions += piece != 0;
    });
    EXPECT_EQ(promotions, 4);
    EXPECT_EQ(total, Perft(board, 1));
    EXPECT_EQ(total, 4u + 5u); // four choices and five king moves
}
