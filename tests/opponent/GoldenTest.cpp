// Checks every root move's final score on the bench suite against the recorded golden file,
// so that speed work can show it changes no score.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/bench/Suite.h"

namespace {

// The middlegames at the deepest level take seconds each; they run with the slow tests.
bool IsSlow(int level, const std::string& name) {
    return level == 2 && (name.rfind("open", 0) == 0 || name.rfind("closed", 0) == 0 ||
                          name.rfind("tactic", 0) == 0);
}

TEST(Golden, RootScoresMatchTheRecord) {
    std::map<std::string, std::string> golden;
    ASSERT_TRUE(ReadGolden(BRISKO_GOLDEN_FILE, golden)) << "cannot read " << BRISKO_GOLDEN_FILE;
    int checked = 0;
    for (int level = 0; level < LevelCount; ++level)
        for (const SuitePosition& p : BenchSuite()) {
            if (IsSlow(level, p.Name) != BRISKO_GOLDEN_SLOW) continue;
            Board board{};
            std::string error;
            ASSERT_TRUE(SetUpSuitePosition(p, board, error)) << p.Name << ": " << error;
            const BenchRun run = RunBench(board, level);
            const std::string key = std::string(Levels[level].Label) + " " + p.Name;
            const auto it = golden.find(key);
            ASSERT_NE(it, golden.end()) << key << " is not in the golden file";
            EXPECT_EQ(GoldenLine(level, p, run.Trace), it->second);
            ++checked;
        }
    EXPECT_GT(checked, 0);
}

} // namespace
