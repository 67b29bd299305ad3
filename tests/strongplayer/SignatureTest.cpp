// The strong player's bench signature: the nodes of the suite at the bench's depth, which any
// change of the search's work shows, against the recorded number.
#include <gtest/gtest.h>

#include "tools/bench/StrongSuite.h"
#include "tools/bench/Suite.h"

TEST(StrongSignature, SuiteNodesMatchTheRecord) {
    uint64_t recorded = 0;
    ASSERT_TRUE(ReadStrongSignature(BRISKO_STRONG_SIGNATURE, recorded));
    uint64_t signature = 0;
    for (const SuitePosition& p : BenchSuite()) {
        Board board{};
        std::string error;
        ASSERT_TRUE(SetUpSuitePosition(p, board, error)) << p.Name << ": " << error;
        const StrongBenchRun run = RunStrongBench(board, StrongBenchDepth);
        EXPECT_FALSE(run.Move.empty()) << p.Name;
        signature += run.Nodes;
    }
    EXPECT_EQ(signature, recorded);
}

TEST(StrongSignature, TheTacticalSuiteReadsWhole) {
    std::vector<EpdPosition> positions;
    ASSERT_TRUE(ReadEpd(BRISKO_WAC_FILE, positions));
    ASSERT_EQ(positions.size(), 300u);
    EXPECT_EQ(positions[0].Id, "WAC.001");
    EXPECT_EQ(positions[0].BestMoves, std::vector<std::string>{"Qg6"});
    EXPECT_EQ(positions[293].BestMoves.size(), 3u);
    EXPECT_FALSE(ReadEpd("/nonexistent/wac.epd", positions));
}
