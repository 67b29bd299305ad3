// brisko-uci's thinking with the strong player: the GUI's limits and the level's, reported as
// full "info" lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "strongplayer/StrongPlayer.h"
#include "uci/Think.h"

// The moves the strong player may answer in `position`: the legal moves of ordinary chess (no
// castling across an attacked square), a pawn reaching its last row with each of the four
// pieces, and only those named in `searchMoves` when it names any.
std::vector<ChessMove> StrongRootMoves(const Board& position,
                                       const std::vector<std::string>& searchMoves);

// Chooses the move to answer in `position` with `player` at its level within `limits` and the
// clock plan; `earlier` are the keys of the game's positions before it, for repetitions. Each
// finished depth is told through `say` as an "info depth ... pv ..." line. `stop` ends the
// thinking within a millisecond or so with the best move so far; an infinite search waits for
// `stop` before it answers. Returns no move (X1 = NoMove) when there is none to play.
ChessMove ThinkStrong(strong::StrongPlayer& player, const Board& position,
                      const std::vector<uint64_t>& earlier, const GoLimits& limits,
                      const std::atomic<bool>& stop,
                      const std::function<void(const std::string&)>& say);
