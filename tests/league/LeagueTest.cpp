// Results entered from the winner and loser boxes, and the ranked standings of the league.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "league/Leagueentryu.h"
#include "league/Leagueu.h"

namespace {

TEST(League, StandingsRankByPointsThenByNumber) {
    const struct {
        const char* games; // "W>L" won, "A=B" drawn
        const char* top;   // "number points games", best first
    } rows[] = {
        {"", "0 0 0, 1 0 0, 2 0 0"},
        {"5>3", "5 3 1, 0 0 0, 1 0 0, 2 0 0, 3 0 1, 4 0 0"},
        {"2=9 9>2", "9 4 2, 2 1 2, 0 0 0"},
        {"12>13 3>13 8>13 15=1 14>13 14>13", "14 6 2, 3 3 1, 8 3 1, 12 3 1, 1 1 1, 15 1 1, 0 0 0"},
        {"7>7 4=4", "7 3 2, 4 2 2, 0 0 0"}, // one opponent on both sides counts twice
    };
    for (const auto& row : rows) {
        League league;
        ResetLeague(league);
        std::istringstream games(row.games);
        for (std::string g; games >> g;) {
            const size_t at = g.find_first_of(">=");
            ASSERT_EQ(EnterLeagueResult(league, g.substr(0, at), g.substr(at + 1), g[at] == '='),
                      LeagueEntry::Recorded);
        }
        const LeagueLines lines = LeagueStandings(league);
        std::string top;
        for (size_t k = 0; k < LeagueSize && top.size() < std::string(row.top).size(); ++k)
            top += (k ? ", " : "") + lines.Names[k].substr(10) + " " + lines.Points[k] + " " +
                   lines.Games[k];
        EXPECT_EQ(top, row.top);
        EXPECT_EQ(lines.Names[0].substr(0, 10), "Opponent: ");
    }
    League league;
    league.fill({7, 7, 7});
    ResetLeague(league);
    for (int i = 0; i < LeagueSize; ++i)
        EXPECT_TRUE(league[i].Points == 0 && league[i].Number == i && league[i].Games == 0) << i;
}

TEST(League, BoxesReadOnlyPlainIntegers) {
    const std::pair<const char*, int> rows[] = {
        {"0", 0},   {" 15 ", 15}, {"+4", 4},   {"007", 7}, {"-3", -3},  {"2147483647", 2147483647},
        {"", -1},   {"3x", -1},   {"1 2", -1}, {"+", -1},  {"+-2", -1}, {"2147483648", -1},
        {"1.0", -1}};
    for (const auto& [text, value] : rows) EXPECT_EQ(ReadLeagueNumber(text), value) << text;
}

TEST(League, BadBoxesRecordNothingAndNameTheBox) {
    League league;
    ResetLeague(league);
    for (const char* bad : {"16", "-1", "", "seven"}) {
        EXPECT_EQ(EnterLeagueResult(league, bad, "2", false), LeagueEntry::BadWinner) << bad;
        EXPECT_EQ(EnterLeagueResult(league, "2", bad, true), LeagueEntry::BadLoser) << bad;
    }
    EXPECT_EQ(EnterLeagueResult(league, "16", "16", false), LeagueEntry::BadWinner);
    for (const LeaguePosition& p : league) EXPECT_TRUE(p.Points == 0 && p.Games == 0);
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::BadWinner), "Invalid entry in Winner box!");
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::BadLoser), "Invalid entry in Loser box!");
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::Recorded), "");
}

} // namespace
