// Results and the ranked standings of the league.
#include <gtest/gtest.h>

#include <vector>

#include "Leagueu.h"

namespace {

League Fresh() {
    League league;
    ResetLeague(league);
    return league;
}

std::vector<int> Ranked(const League& league) {
    const auto order = LeagueOrder(league);
    return {order.begin(), order.end()};
}

} // namespace

TEST(League, FreshTableListsEveryoneInNumberOrder) {
    const League league = Fresh();
    EXPECT_EQ(Ranked(league),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    const LeagueLines lines = LeagueStandings(league);
    for (int k = 0; k < LeagueSize; ++k) {
        EXPECT_EQ(lines.Names[k], "Opponent: " + std::to_string(k));
        EXPECT_EQ(lines.Points[k], "0");
        EXPECT_EQ(lines.Games[k], "0");
    }
}

TEST(League, AWinnerRisesAndEqualPointsKeepNumberOrder) {
    League league = Fresh();
    RecordWin(league, 5);
    RecordLoss(league, 3);
    EXPECT_EQ(Ranked(league),
              (std::vector<int>{5, 0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    const LeagueLines lines = LeagueStandings(league);
    EXPECT_EQ(lines.Names[0], "Opponent: 5");
    EXPECT_EQ(lines.Points[0], "3");
    EXPECT_EQ(lines.Games[0], "1");
    EXPECT_EQ(lines.Names[4], "Opponent: 3");
    EXPECT_EQ(lines.Points[4], "0");
    EXPECT_EQ(lines.Games[4], "1");
    EXPECT_EQ(lines.Games[5], "0");
}

TEST(League, DrawsAndWinsAddUp) {
    League league = Fresh();
    RecordDraw(league, 2, 9);
    RecordWin(league, 9);
    RecordLoss(league, 2);
    const auto order = Ranked(league);
    EXPECT_EQ(order[0], 9);
    EXPECT_EQ(order[1], 2);
    EXPECT_EQ(order[2], 0);
    EXPECT_EQ(order[15], 15);
    EXPECT_EQ(league[9].Points, 4);
    EXPECT_EQ(league[9].Games, 2);
    EXPECT_EQ(league[2].Points, 1);
    EXPECT_EQ(league[2].Games, 2);
}

TEST(League, OneOpponentOnBothSidesCountsTwice) {
    League league = Fresh();
    RecordWin(league, 7);
    RecordLoss(league, 7);
    EXPECT_EQ(league[7].Points, 3);
    EXPECT_EQ(league[7].Games, 2);
    RecordDraw(league, 4, 4);
    EXPECT_EQ(league[4].Points, 2);
    EXPECT_EQ(league[4].Games, 2);
}

TEST(League, TiesAboveZeroStayInNumberOrder) {
    League league = Fresh();
    for (int i : {12, 3, 8}) RecordWin(league, i);
    RecordDraw(league, 15, 1);
    RecordWin(league, 14);
    RecordWin(league, 14);
    const auto order = Ranked(league);
    EXPECT_EQ((std::vector<int>(order.begin(), order.begin() + 7)),
              (std::vector<int>{14, 3, 8, 12, 1, 15, 0}));
}

TEST(League, ResetClearsEverything) {
    League league = Fresh();
    RecordWin(league, 15);
    RecordDraw(league, 0, 1);
    ResetLeague(league);
    for (int i = 0; i < LeagueSize; ++i) {
        EXPECT_EQ(league[i].Points, 0);
        EXPECT_EQ(league[i].Number, i);
        EXPECT_EQ(league[i].Games, 0);
    }
}
