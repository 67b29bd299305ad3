#include "uci/Strongthink.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/Rulesu.h"
#include "notation/San.h"
#include "strongplayer/Convert.h"

std::vector<ChessMove> StrongRootMoves(const Board& position,
                                       const std::vector<std::string>& searchMoves) {
    Board board = position;
    FindRuleMoves(board, Rules::Standard);
    std::vector<ChessMove> moves = strong::AllowedMoves(board);
    if (!searchMoves.empty())
        std::erase_if(moves, [&](const ChessMove& move) {
            return std::find(searchMoves.begin(), searchMoves.end(), LongText(move)) ==
                   searchMoves.end();
        });
    return moves;
}

ChessMove ThinkStrong(strong::StrongPlayer& player, const Board& position,
                      const std::vector<uint64_t>& earlier, const GoLimits& limits,
                      const std::atomic<bool>& stop,
                      const std::function<void(const std::string&)>& say) {
    strong::ThinkLimits think;
    think.Allowed = StrongRootMoves(position, limits.SearchMoves);
    // An empty list would mean every move to the player.
    if (think.Allowed.empty()) return {{NoMove, NoMove, NoMove, NoMove}, 0};
    // The strong player keeps what it found when cut off inside a depth, so it may plan on
    // fewer moves than the game's own player, which wastes a depth it cannot finish.
    const TimePlan plan = PlanTime(limits, position.ToPlay == White ? White : Black, 20);
    think.SoftMs = plan.SoftMs;
    think.HardMs = plan.HardMs;
    think.Depth = limits.Depth;
    think.Nodes = limits.Nodes;
    strong::ThinkHooks hooks;
    hooks.Stop = &stop;
    hooks.OnIteration = [&say](const strong::ThinkInfo& info) { say(strong::UciInfoLine(info)); };
    const strong::ThinkResult result = player.Think(position, earlier, think, hooks);
    // "infinite" and "ponder" answer only when told to stop.
    while (limits.Infinite && !stop) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return result.Move;
}
