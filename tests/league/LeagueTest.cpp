// Results entered from the winner and loser boxes, and the ranked standings of the league.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "league/Leagueentryu.h"
#include "league/Leagueu.h"

namespace {

struct Game {
    const char* winner;
    const char* loser;
    bool drew;
};

TEST(League, StandingsRankByPointsThenByNumber) {
    struct Row {
        std::vector<Game> games;
        std::vector<std::string> top; // "name points games", best first
    };
    const Row rows[] = {
        {{}, {"Opponent: 0 0 0", "Opponent: 1 0 0", "Opponent: 2 0 0"}},
        {{{"5", "3", false}},
         {"Opponent: 5 3 1", "Opponent: 0 0 0", "Opponent: 1 0 0", "Opponent: 2 0 0",
          "Opponent: 3 0 1", "Opponent: 4 0 0"}},
        {{{"2", "9", true}, {"9", "2", false}},
         {"Opponent: 9 4 2", "Opponent: 2 1 2", "Opponent: 0 0 0"}},
        {{{"12", "13", false},
          {"3", "13", false},
          {"8", "13", false},
          {"15", "1", true},
          {"14", "13", false},
          {"14", "13", false}},
         {"Opponent: 14 6 2", "Opponent: 3 3 1", "Opponent: 8 3 1", "Opponent: 12 3 1",
          "Opponent: 1 1 1", "Opponent: 15 1 1", "Opponent: 0 0 0"}},
        // One opponent on both sides counts twice.
        {{{"7", "7", false}, {"4", "4", true}},
         {"Opponent: 7 3 2", "Opponent: 4 2 2", "Opponent: 0 0 0"}},
    };
    for (const Row& r : rows) {
        League league;
        ResetLeague(league);
        for (const Game& g : r.games)
            ASSERT_EQ(EnterLeagueResult(league, g.winner, g.loser, g.drew), LeagueEntry::Recorded);
        const LeagueLines lines = LeagueStandings(league);
        for (size_t k = 0; k < r.top.size(); ++k)
            EXPECT_EQ(lines.Names[k] + " " + lines.Points[k] + " " + lines.Games[k], r.top[k]);
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
