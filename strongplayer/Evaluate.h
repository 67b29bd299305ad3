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

// How often each weighted term of the evaluation counted, White's minus Black's, with what the
// weights do not cover: for fitting the weights to game results (tools/evaltune). Piece-square
// terms are indexed by type and square from White's side (Black's squares mirrored).
struct EvalTerms {
    enum : int {
        Psqt = 0,
        Passed = Psqt + 6 * 64, // by relative rank
        Doubled = Passed + 8,
        Isolated,
        PassedKingDistance,
        PassedFreePath,
        Mobility, // by piece type
        BishopPair = Mobility + 6,
        RookOpen,
        RookHalfOpen,
        ShieldNear,
        ShieldFar,
        ShieldMissing,
        ThreatByPawn,
        ThreatByMinor,
        ThreatByRook,
        Hanging,
        Count
    };
    int Coefficient[Count] = {};
    int KingAttackMg = 0; // White's minus Black's, not weighted
    int Phase = 0;        // 0..24
    int Scale = 16;       // of the endgame part, out of 16

    void Add(int term, int colour, int times) { Coefficient[term] += colour == 0 ? times : -times; }
    void KingAttack(int colour, int mg) { KingAttackMg += colour == 0 ? mg : -mg; }
    void Finish(int phase, int scale) {
        Phase = phase;
        Scale = scale;
    }
};

// The evaluation's weights, middlegame and endgame, by EvalTerms index.
struct EvalWeights {
    int Mg[EvalTerms::Count];
    int Eg[EvalTerms::Count];
    int Tempo;
};

// Evaluates as above, counting the terms (slowly; no cache).
int Evaluate(const Position& p, EvalTerms& terms);
EvalWeights CurrentWeights();

// Material values for exchanges and move ordering, by piece type (king huge).
inline constexpr int SeeValue[7] = {100, 320, 330, 500, 950, 20000, 0};

} // namespace strong
