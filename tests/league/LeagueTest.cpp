// Results entered from the winner and loser boxes, and the ranked standings of the league.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "league/Leagueentryu.h"
#include "league/Leagueu.h"

namespace {

TEST(League, StandingsRankByPointsThenByNumber) {
    // The games ("W>L" won, "A=B" drawn), and the top of the standings ("number points games").
    const std::pair<const char*, const char*> rows[] = {
        {"", "0 0 0, 1 0 0, 2 0 0"},
        {"5>3", "5 3 1, 0 0 0, 1 0 0, 2 0 0, 3 0 1, 4 0 0"},
        {"2=9 9>2", "9 4 2, 2 1 2, 0 0 0"},
        {"12>13 3>13 8>13 15=1 14>13 14>13", "14 6 2, 3 3 1, 8 3 1, 12 3 1, 1 1 1, 15 1 1, 0 0 0"},
        {"7>7 4=4", "7 3 2, 4 2 2, 0 0 0"}, // one opponent on both sides counts twice
    };
    for (const auto& [played, expected] : rows) {
        League league;
        league.fill({7, 7, 7});
        ResetLeague(league);
        std::istringstream games(played);
        for (std::string g; games >> g;) {
            const size_t at = g.find_first_of(">=");
            ASSERT_EQ(EnterLeagueResult(league, g.substr(0, at), g.substr(at + 1), g[at] == '='),
                      LeagueEntry::Recorded);
        }
        const LeagueLines lines = LeagueStandings(league);
        std::string top;
        for (size_t k = 0; k < LeagueSize && top.size() < std::string(expected).size(); ++k)
            top += (k ? ", " : "") + lines.Names[k].substr(10) + " " + lines.Points[k] + " " +
                   lines.Games[k];
        EXPECT_EQ(top, expected);
        EXPECT_EQ(lines.Names[0].substr(0, 10), "Opponent: ");
    }
}

// A box holds a league number only as a plain integer from 0 to 15; otherwise nothing is
// recorded and the message names the box, the winner's first.
TEST(League, BoxesTakeOnlyPlainIntegersOfTheLeague) {
    const std::pair<const char*, int> rows[] = {
        {"0", 0},    {" 15 ", 15}, {"+4", 4},   {"007", 7}, {"-3", -3},  {"2147483647", 2147483647},
        {"", -1},    {"3x", -1},   {"1 2", -1}, {"+", -1},  {"+-2", -1}, {"2147483648", -1},
        {"1.0", -1}, {"16", 16}};
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(ReadLeagueNumber(text), value) << text;
        League league;
        ResetLeague(league);
        const bool ok = value >= 0 && value < LeagueSize;
        EXPECT_EQ(EnterLeagueResult(league, text, "1", false),
                  ok ? LeagueEntry::Recorded : LeagueEntry::BadWinner);
        EXPECT_EQ(EnterLeagueResult(league, "1", text, true),
                  ok ? LeagueEntry::Recorded : LeagueEntry::BadLoser);
        EXPECT_EQ(EnterLeagueResult(league, text, text, true),
                  ok ? LeagueEntry::Recorded : LeagueEntry::BadWinner);
        EXPECT_EQ(league[1].Games, ok ? 2 : 0) << text;
    }
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::BadWinner), "Invalid entry in Winner box!");
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::BadLoser), "Invalid entry in Loser box!");
    EXPECT_STREQ(LeagueEntryMessage(LeagueEntry::Recorded), "");
}

} // namespace
