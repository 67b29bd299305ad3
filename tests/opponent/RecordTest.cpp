// Replays the behaviour record: thousands of positions from random and real games, each with
// what the engine and the computer player answered when it was written (tools/record).
#include <gtest/gtest.h>

#include <fstream>

#include "tools/record/Record.h"

TEST(Record, EveryPositionAnswersAsRecorded) {
    std::ifstream in(BRISKO_RECORD_FILE);
    ASSERT_TRUE(in) << "cannot read " << BRISKO_RECORD_FILE;
    const RecordCheck check = CheckRecord(in);
    EXPECT_GT(check.Positions, 3000);
    EXPECT_EQ(check.Mismatches, 0) << check.Report;
}
