// The strong player's search: iterative deepening with aspiration windows over a
// principal-variation alpha-beta search, quiescence search, a transposition table, and the
// usual move ordering, pruning, reductions and extensions, under limits of time, nodes and
// depth, with hooks for a stop flag, the window's events and a report per finished depth.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "strongplayer/Position.h"
#include "strongplayer/Table.h"

namespace strong {

// Scores: centipawns for the side to move; a mate in n plies from the root scores
// MateScore - n (mated: -(MateScore - n)); every |score| >= MateBound is a mate.
inline constexpr int InfiniteScore = 32000;
inline constexpr int MateScore = 31000;
inline constexpr int MaxPly = 128;
inline constexpr int MateBound = MateScore - 2 * MaxPly;
inline constexpr int MaxDepth = 100;

// What ends a search; 0 or -1 for no limit. The first finished depth always completes.
struct SearchLimits {
    int64_t SoftMs = -1; // no new depth is begun after this
    int64_t HardMs = -1; // the search is cut off here
    uint64_t Nodes = 0;  // cut off once this many nodes are searched
    int Depth = 0;       // the deepest iteration
};

// One finished depth, as UCI's "info" reports it.
struct IterationReport {
    int Depth = 0;
    int SelDepth = 0;
    int Score = 0;
    uint64_t Nodes = 0;
    int64_t TimeMs = 0;
    uint64_t Nps = 0;
    int Hashfull = 0;
    std::vector<Move16> Pv;
};

// The caller's seams. Stop is read every 1024 nodes (well under a millisecond), as are the
// clock and, every EventsEveryNodes nodes, ProcessEvents runs (the window handles its events
// there, and may raise Stop).
struct SearchHooks {
    const std::atomic<bool>* Stop = nullptr;
    std::function<void()> ProcessEvents;
    uint64_t EventsEveryNodes = 4096;
    std::function<void(const IterationReport&)> OnIteration;
};

struct RootMoveScore {
    Move16 Move = NoMove16;
    int Score = 0;
};

struct SearchResult {
    Move16 Best = NoMove16; // NoMove16 only when there is no move to play
    int Score = 0;
    int Depth = 0; // deepest finished iteration
    int SelDepth = 0;
    uint64_t Nodes = 0;
    int64_t TimeMs = 0;
    std::vector<Move16> Pv;
    // With ScoreEveryRootMove: each root move's exact score at the deepest finished depth.
    std::vector<RootMoveScore> RootScores;
};

struct SearchOptions {
    // Search every root move with a full window, so that each has an exact score (slower;
    // for the levels that sometimes choose a worse move).
    bool ScoreEveryRootMove = false;
};

class SearchState;

class Searcher {
  public:
    explicit Searcher(size_t hashMegabytes = 16);
    ~Searcher();
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    void SetHashMegabytes(size_t megabytes);
    size_t HashMegabytes() const { return table.Megabytes(); }
    // Forgets everything learnt: table, history, killers. The same search then gives the same
    // result for the same input.
    void Clear();

    // Searches `root`. `earlierKeys` are the keys of the game's positions before it, oldest
    // first, for repetitions; `allowed` (when not empty) are the only root moves to choose
    // from. Deterministic for a node or depth limit on a cleared searcher.
    SearchResult Run(const Position& root, const std::vector<uint64_t>& earlierKeys,
                     const std::vector<Move16>& allowed, const SearchLimits& limits,
                     const SearchHooks& hooks, const SearchOptions& options = {});

  private:
    TranspositionTable table;
    std::unique_ptr<SearchState> state;
};

} // namespace strong
