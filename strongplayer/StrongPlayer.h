// The strong computer player as the game session and brisko-uci call it: it owns its
// transposition table and level, and thinks about a game record (the game's own Board) with
// the earlier positions of the game, under limits, with a stop flag, an event pump and a
// report per finished depth.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "engine/Boardu.h"
#include "notation/San.h"
#include "strongplayer/Levels.h"
#include "strongplayer/Search.h"

namespace strong {

// What one move may cost; 0 or -1 for no limit. The level's own node and depth limits apply
// as well, the tighter one winning.
struct ThinkLimits {
    int64_t SoftMs = -1; // no new depth is begun after this
    int64_t HardMs = -1; // the thinking is cut off here
    uint64_t Nodes = 0;
    int Depth = 0;
    // The moves that may be answered (the game's legal moves under the rules in force); empty
    // for every legal move of ordinary chess. A castling across an attacked square, legal in
    // this game only, is never chosen.
    std::vector<ChessMove> Allowed;
};

// A finished depth, for the progress text and UCI's "info" line.
struct ThinkInfo {
    int Depth = 0;
    int SelDepth = 0;
    int ScoreCp = 0; // from the mover's side; meaningless when MateIn is not 0
    int MateIn = 0;  // moves to mate: n > 0 the mover mates, n < 0 it is mated
    uint64_t Nodes = 0;
    uint64_t Nps = 0;
    int64_t TimeMs = 0;
    int Hashfull = 0; // permille
    std::vector<ChessMove> Pv;
    std::string PvText; // long algebraic, "e2e4 e7e5 g1f3"
};

struct ThinkHooks {
    // Read every 1024 nodes: raising it ends the thinking within a millisecond or so, and
    // the answer is the best move found so far ("Move Now").
    const std::atomic<bool>* Stop = nullptr;
    // Called every EventsEveryNodes nodes (the window runs its events here).
    std::function<void()> ProcessEvents;
    uint64_t EventsEveryNodes = 4096;
    std::function<void(const ThinkInfo&)> OnIteration;
};

struct ThinkResult {
    // The answer; Squares.X1 is NoMove when there is no move to play. For a record waiting
    // for a promotion choice it is the choice (PromotionChoice, signed piece code, file, row).
    ChessMove Move{::Move{NoMove, NoMove, NoMove, NoMove}, 0};
    int ScoreCp = 0;
    int MateIn = 0;
    int Depth = 0;
    uint64_t Nodes = 0;
    std::vector<ChessMove> Pv;
    bool Worse = false; // the level chose another move than the search's best
};

// The key of a game record as the strong player sees it, for the repetition list.
uint64_t PositionKey(const Board& board);

// The keys of a game's positions in order, less those waiting for a promotion choice.
std::vector<uint64_t> PositionKeys(std::span<const Board> boards);

class StrongPlayer {
  public:
    explicit StrongPlayer(size_t hashMegabytes = 16);

    void SetHashMegabytes(size_t megabytes) { searcher.SetHashMegabytes(megabytes); }
    size_t HashMegabytes() const { return searcher.HashMegabytes(); }
    // Forgets the table and what the search learnt, as at a new game.
    void NewGame() { searcher.Clear(); }
    void SetLevel(const StrongLevel& level) { this->level = level; }
    const StrongLevel& Level() const { return level; }
    // Seeds the draw behind a level's worse moves; the same seed gives the same choices.
    void SetSeed(uint64_t seed) { random = seed; }

    // Chooses a move in `position` (ToPlay 1 to 4). `earlier` are the game's positions before
    // it, oldest first (the History's snapshots; pending choices are skipped).
    ThinkResult Think(const Board& position, std::span<const Board> earlier,
                      const ThinkLimits& limits, const ThinkHooks& hooks);
    // The same with the earlier positions as keys (PositionKeys).
    ThinkResult Think(const Board& position, const std::vector<uint64_t>& earlierKeys,
                      const ThinkLimits& limits, const ThinkHooks& hooks);

  private:
    Searcher searcher;
    StrongLevel level = StrongLevels[StrongLevelCount - 1];
    uint64_t random = 1;
    uint64_t NextRandom();
};

// UCI texts: "cp 35" or "mate -3"; a whole "info depth ..." line.
std::string UciScore(const ThinkInfo& info);
std::string UciInfoLine(const ThinkInfo& info);

} // namespace strong
