// Entering a result from the text of the winner and loser boxes.
#include <gtest/gtest.h>

#include "Leagueentryu.h"
#include "Leagueu.h"

namespace {

League Fresh() {
    League league;
    ResetLeague(league);
    return league;
}

bool Untouched(const League& league) {
    for (const LeaguePosition& p : league)
        if (p.Points != 0 || p.Games != 0) return false;
    return true;
}

} // namespace

TEST(LeagueEntry, ReadsPlainIntegers) {
    EXPECT_EQ(ReadLeagueNumber("0"), 0);
    EXPECT_EQ(ReadLeagueNumber("15"), 15);
    EXPECT_EQ(ReadLeagueNumber(" 7 "), 7);
    EXPECT_EQ(ReadLeagueNumber("+4"), 4);
    EXPECT_EQ(ReadLeagueNumber("007"), 7);
    EXPECT_EQ(ReadLeagueNumber("-3"), -3);
    EXPECT_EQ(ReadLeagueNumber("2147483647"), 2147483647);
}

TEST(LeagueEntry, AnythingElseReadsAsMinusOne) {
    for (const char* text : {"", " ", "abc", "3x", "x3", "1 2", "1.0", "+", "-", "+-2",
                             "2147483648", "99999999999999999999", "0x1"})
        EXPECT_EQ(ReadLeagueNumber(text), -1) << '"' << text << '"';
}

TEST(LeagueEntry, PlayedAndDrewRecordTheResult) {
    League league = Fresh();
    EXPECT_EQ(EnterLeagueResult(league, "15", "0", false), LeagueEntry::Recorded);
    EXPECT_EQ(league[15].Points, 3);
    EXPECT_EQ(league[15].Games, 1);
    EXPECT_EQ(league[0].Points, 0);
    EXPECT_EQ(league[0].Games, 1);
    EXPECT_EQ(EnterLeagueResult(league, "3", "3", true), LeagueEntry::Recorded);
    EXPECT_EQ(league[3].Points, 2);
    EXPECT_EQ(league[3].Games, 2);
}

TEST(LeagueEntry, BadNumbersRecordNothing) {
    League league = Fresh();
    for (const char* bad : {"16", "-1", "", "seven"}) {
        EXPECT_EQ(EnterLeagueResult(league, bad, "2", false), LeagueEntry::BadWinner) << bad;
        EXPECT_EQ(EnterLeagueResult(league, "2", bad, true), LeagueEntry::BadLoser) << bad;
    }
    // With both boxes wrong only the winner is reported.
    EXPECT_EQ(EnterLeagueResult(league, "16", "16", false), LeagueEntry::BadWinner);
    EXPECT_TRUE(Untouched(league));
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::BadWinner), "Invalid entry in Winner box!");
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::BadLoser), "Invalid entry in Loser box!");
}
