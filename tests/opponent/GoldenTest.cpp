// Checks every root move's final score on the bench suite, and the suite's signature (its
// Search calls at every level), against the golden file, so that speed work can show it
// changes neither.
#include <gtest/gtest.h>

#include "tools/bench/Suite.h"

TEST(Golden, RootScoresAndSignatureMatchTheRecord) {
    Golden golden;
    ASSERT_TRUE(ReadGolden(BRISKO_GOLDEN_FILE, golden)) << "cannot read " << BRISKO_GOLDEN_FILE;
    uint64_t signature = 0;
    for (int level = 0; level < LevelCount; ++level)
        for (const SuitePosition& p : BenchSuite()) {
            Board board{};
            std::string error;
            ASSERT_TRUE(SetUpSuitePosition(p, board, error)) << p.Name << ": " << error;
            const BenchRun run = RunBench(board, level);
            signature += run.SearchCalls;
            const auto it = golden.Lines.find(GoldenKey(level, p));
            ASSERT_NE(it, golden.Lines.end()) << GoldenKey(level, p) << " is not in the file";
            EXPECT_EQ(GoldenLine(level, p, run.Trace), it->second);
        }
    EXPECT_EQ(signature, golden.Signature);
}
