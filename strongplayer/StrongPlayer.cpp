#include "strongplayer/StrongPlayer.h"

#include <algorithm>

#include "strongplayer/Convert.h"
#include "strongplayer/Movegen.h"

namespace strong {
namespace {

void ScoreParts(int score, int& cp, int& mateIn) {
    cp = score;
    mateIn = 0;
    if (score >= MateBound) mateIn = (MateScore - score + 1) / 2;
    if (score <= -MateBound) mateIn = -std::max(1, (MateScore + score) / 2);
}

// The principal variation as game moves, as far as it stays legal.
std::vector<ChessMove> GamePv(const Position& root, const std::vector<Move16>& pv,
                              std::string* text) {
    std::vector<ChessMove> moves;
    Position p = root;
    for (Move16 m : pv) {
        if (!IsPseudoLegal(p, m) || !IsLegal(p, m)) break;
        moves.push_back(ToChessMove(p, m));
        if (text) *text += (text->empty() ? "" : " ") + MoveText(m);
        Undo u;
        Make(p, m, u);
    }
    return moves;
}

} // namespace

uint64_t PositionKey(const Board& board) {
    Position p;
    return FromBoard(board, p) ? p.Key : 0;
}

std::vector<uint64_t> PositionKeys(std::span<const Board> boards) {
    std::vector<uint64_t> keys;
    keys.reserve(boards.size());
    for (const Board& b : boards)
        if (b.ToPlay == White || b.ToPlay == Black) keys.push_back(PositionKey(b));
    return keys;
}

StrongPlayer::StrongPlayer(size_t hashMegabytes) : searcher(hashMegabytes) {}

uint64_t StrongPlayer::NextRandom() {
    uint64_t z = (random += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

ThinkResult StrongPlayer::Think(const Board& position, std::span<const Board> earlier,
                                const ThinkLimits& limits, const ThinkHooks& hooks) {
    return Think(position, PositionKeys(earlier), limits, hooks);
}

ThinkResult StrongPlayer::Think(const Board& position, const std::vector<uint64_t>& earlierKeys,
                                const ThinkLimits& limits, const ThinkHooks& hooks) {
    ThinkResult result;
    Position root;
    if (!FromBoard(position, root)) return result;

    std::vector<Move16> allowed;
    for (const ChessMove& m : limits.Allowed) {
        const Move16 converted = FromChessMove(root, m);
        if (converted != NoMove16) allowed.push_back(converted);
    }
    // Only moves of this game's own rules allowed (a castling across an attacked square).
    if (!limits.Allowed.empty() && allowed.empty()) {
        result.Move = limits.Allowed.front();
        return result;
    }

    SearchLimits search;
    search.SoftMs = limits.SoftMs;
    search.HardMs = limits.HardMs;
    search.Nodes = limits.Nodes && level.Nodes ? std::min(limits.Nodes, level.Nodes)
                                               : std::max(limits.Nodes, level.Nodes);
    search.Depth = limits.Depth && level.Depth ? std::min(limits.Depth, level.Depth)
                                               : std::max(limits.Depth, level.Depth);
    SearchHooks searchHooks;
    searchHooks.Stop = hooks.Stop;
    searchHooks.ProcessEvents = hooks.ProcessEvents;
    searchHooks.EventsEveryNodes = std::max<uint64_t>(1, hooks.EventsEveryNodes);
    if (hooks.OnIteration)
        searchHooks.OnIteration = [&](const IterationReport& r) {
            ThinkInfo info;
            info.Depth = r.Depth;
            info.SelDepth = r.SelDepth;
            ScoreParts(r.Score, info.ScoreCp, info.MateIn);
            info.Nodes = r.Nodes;
            info.Nps = r.Nps;
            info.TimeMs = r.TimeMs;
            info.Hashfull = r.Hashfull;
            info.Pv = GamePv(root, r.Pv, &info.PvText);
            hooks.OnIteration(info);
        };
    SearchOptions options;
    options.ScoreEveryRootMove = level.WorseMovePercent > 0;
    const SearchResult found =
        searcher.Run(root, earlierKeys, allowed, search, searchHooks, options);
    if (found.Best == NoMove16) return result;

    Move16 chosen = found.Best;
    int score = found.Score;
    // Now and then a weaker level answers a move that loses a little, never a lost position.
    if (level.WorseMovePercent > 0 && found.RootScores.size() > 1 &&
        static_cast<int>(NextRandom() % 100) < level.WorseMovePercent) {
        std::vector<RootMoveScore> near;
        for (const RootMoveScore& r : found.RootScores)
            if (r.Move != found.Best && r.Score >= found.Score - level.MaxLossCp &&
                r.Score > -MateBound)
                near.push_back(r);
        if (!near.empty()) {
            const RootMoveScore& pick = near[NextRandom() % near.size()];
            chosen = pick.Move;
            score = pick.Score;
            result.Worse = true;
        }
    }
    result.Move = ToChessMove(root, chosen);
    ScoreParts(score, result.ScoreCp, result.MateIn);
    result.Depth = found.Depth;
    result.Nodes = found.Nodes;
    result.Pv =
        chosen == found.Best ? GamePv(root, found.Pv, nullptr) : GamePv(root, {chosen}, nullptr);
    return result;
}

std::string UciScore(const ThinkInfo& info) {
    return info.MateIn != 0 ? "mate " + std::to_string(info.MateIn)
                            : "cp " + std::to_string(info.ScoreCp);
}

std::string UciInfoLine(const ThinkInfo& info) {
    // No rate from no time: a GUI would show a made-up figure.
    const std::string nps = info.TimeMs > 0 ? " nps " + std::to_string(info.Nps) : "";
    return "info depth " + std::to_string(info.Depth) + " seldepth " +
           std::to_string(info.SelDepth) + " score " + UciScore(info) + " nodes " +
           std::to_string(info.Nodes) + nps + " hashfull " + std::to_string(info.Hashfull) +
           " time " + std::to_string(info.TimeMs) + " pv " + info.PvText;
}

} // namespace strong
