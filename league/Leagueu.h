// Results and standings of the league: sixteen numbered opponents ranked by points.
#pragma once

#include <array>
#include <string>

#include "league/Leaguepositionu.h"

// Sets every opponent to no points and no games, opponent i at index i.
void ResetLeague(League& league);

// Record one side of a game. The index must be 0..15; the caller checks it.
void RecordWin(League& league, int winner);
void RecordLoss(League& league, int loser);

// Records a draw for both; the same opponent twice counts twice.
void RecordDraw(League& league, int a, int b);

// Returns the 16 indices best first: greatest points first, equal points by number.
std::array<int, LeagueSize> LeagueOrder(const League& league);

// The three columns of the standings, one line per opponent in ranked order.
struct LeagueLines {
    std::array<std::string, LeagueSize> Names;  // "Opponent: 5"
    std::array<std::string, LeagueSize> Points; // "3"
    std::array<std::string, LeagueSize> Games;  // "1"
};

// Returns the standings as the league window lists them.
LeagueLines LeagueStandings(const League& league);
