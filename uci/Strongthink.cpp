#include "uci/Strongthink.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/Findu.h"
#include "engine/Rulesu.h"
#include "notation/San.h"

std::vector<ChessMove> StrongRootMoves(const Board& position,
                                       const std::vector<std::string>& searchMoves) {
    Board board = position;
    FindLegalMoves(board);
    std::vector<ChessMove> moves;
    const auto add = [&](const ChessMove& move) {
        const std::string text = LongText(move);
        if (searchMoves.empty() ||
            std::find(searchMoves.begin(), searchMoves.end(), text) != searchMoves.end())
            moves.push_back(move);
    };
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move& m = board.LegalMoves[i];
        if (m.X1 == PromotionChoice || CastlesAcrossAttack(board, m)) continue;
        if (ReachesLastRow(board, m)) {
            for (const int piece : {Queen, Rook, Bishop, Knight}) add({m, piece});
        } else {
            add({m, 0});
        }
    }
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
    const TimePlan plan = PlanTime(limits, position.ToPlay == White ? White : Black);
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
