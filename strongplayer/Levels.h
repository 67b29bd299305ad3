// The strong player's levels: how each is held back (depth, nodes, and a measured chance of
// answering a worse move among those losing little), and the settings for a target Elo.
#pragma once

#include <cstdint>

namespace strong {

struct StrongLevel {
    const char* Name;
    int Elo;            // measured against a reference engine (see the README)
    int Depth;          // deepest iteration, 0 for no limit
    uint64_t Nodes;     // nodes a move, 0 for no limit
    int WorseMovePercent; // chance of answering another move than the best ...
    int MaxLossCp;        // ... among those scored at most this much below it
};

inline constexpr int StrongLevelCount = 6;
// From just above the specified player's strongest level up to no limit at all.
inline constexpr StrongLevel StrongLevels[StrongLevelCount] = {
    {"Sly", 1500, 0, 2000, 10, 60},
    {"Cunning", 1700, 0, 6000, 5, 40},
    {"Fierce", 1900, 0, 20000, 0, 0},
    {"Wicked", 2100, 0, 60000, 0, 0},
    {"Ruthless", 2300, 0, 200000, 0, 0},
    {"Fiendish", 2500, 0, 0, 0, 0},
};

// The lowest and highest Elo the levels reach.
int MinimumElo();
int MaximumElo();

// The settings for a target Elo: between two levels, nodes grow geometrically and the other
// limits move in proportion; below the lowest level its own settings, above the highest none.
StrongLevel LevelForElo(int elo);

} // namespace strong
