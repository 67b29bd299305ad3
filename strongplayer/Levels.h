// The strong player's levels: how each is held back (depth, nodes, and where needed a
// measured chance of answering a worse move among those losing little), and the settings for
// a target Elo.
#pragma once

#include <cstdint>

namespace strong {

struct StrongLevel {
    const char* Name;
    int Elo;              // measured against a reference engine (see the README)
    int Depth;            // deepest iteration, 0 for no limit
    uint64_t Nodes;       // nodes a move, 0 for no limit
    int WorseMovePercent; // chance of answering another move than the best ...
    int MaxLossCp;        // ... among those scored at most this much below it
};

inline constexpr int StrongLevelCount = 5;
// From just above the game's own strongest level ("Mean") up to no limit at all. The node counts
// come from a fit over all the matches against the reference engine (about 112 Elo a doubling
// from 500 to 60 000 nodes); "Wicked" from its own match. The top level's figure is at a blitz
// clock (10 s + 0.1 s a move) and grows with the time it is given.
inline constexpr StrongLevel StrongLevels[StrongLevelCount] = {
    {"Sly", 1500, 0, 950, 0, 0},     {"Cunning", 1650, 0, 2400, 0, 0},
    {"Fierce", 1850, 0, 8400, 0, 0}, {"Wicked", 2050, 0, 60000, 0, 0},
    {"Fiendish", 2250, 0, 0, 0, 0},
};
inline constexpr int EloPerDoubling = 112;

// The Elo range a target may take (UCI_Elo): below the lowest level the nodes halve every
// EloPerDoubling, down to this floor.
inline constexpr int LowestElo = 1350;

// The lowest and highest Elo a target may take.
int MinimumElo();
int MaximumElo();

// The settings for a target Elo: between two levels, nodes grow geometrically and the other
// limits move in proportion (towards the unlimited top level, nodes grow sixteenfold); below
// the lowest level fewer nodes by EloPerDoubling; from the highest level up, no limit.
StrongLevel LevelForElo(int elo);

} // namespace strong
