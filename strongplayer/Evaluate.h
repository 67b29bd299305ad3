// The static evaluation: tapered between middlegame and endgame, from the piece-square sums
// the position keeps, pawn structure (cached by pawn key), mobility, king safety and a few
// piece terms, scaled down where the stronger side cannot win.
#pragma once

#include <vector>

#include "strongplayer/Position.h"

namespace strong {

// Pawn-structure and pawn-shield scores by pawn key (pawns and kings): each is computed once
// and read back many times.
class PawnCache {
  public:
    // Two to a cache line, and small enough a table to stay in the processor's cache.
    struct alignas(32) Entry {
        uint64_t Key = 0; // 0: empty (a real key of 0 is not to be expected)
        Bitboard Passed[2] = {0, 0};
        int Score = 0; // White minus Black, middlegame and endgame packed (Evaluate.cpp)
    };
    PawnCache() : entries(1 << 13) {}
    Entry& Slot(uint64_t key) { return entries[key & (entries.size() - 1)]; }
    void Clear() { entries.assign(entries.size(), Entry{}); }

  private:
    std::vector<Entry> entries;
};

// The score of `p` for the side to move, in centipawns.
int Evaluate(const Position& p, PawnCache& cache);

// Material values for exchanges and move ordering, by piece type (king huge).
inline constexpr int SeeValue[7] = {100, 320, 330, 500, 950, 20000, 0};

} // namespace strong
