// One opponent's line of the league table, and the table of sixteen.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int LeagueSize = 16;

struct LeaguePosition {
    int32_t Points; // 3 per win, 1 per draw, 0 per loss
    int32_t Number; // the opponent's number, always equal to its index
    int32_t Games;  // games won, drawn and lost
};

using League = std::array<LeaguePosition, LeagueSize>;
