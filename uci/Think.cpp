#include "uci/Think.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "engine/Findu.h"
#include "engine/Makemoveu.h"
#include "opponent/Choosemove.h"
#include "opponent/Evaluate.h"
#include "opponent/Search.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The window's seams, answered for a pipe: the depth of the current round, and a stop raised
// by "stop", the clock or the node limit, polled at every search node below depth 2.
class ThinkHooks : public OpponentHooks {
  public:
    ThinkHooks(Opponent& opponent, const std::atomic<bool>& stop, Clock::time_point start,
               int64_t hardMs, uint64_t nodes, const std::function<void(const std::string&)>& say)
        : opponent(opponent), stop(stop), start(start), hardMs(hardMs), nodes(nodes), say(say) {}

    int Bar = 2;

    int DepthBarPosition() override { return Bar; }
    void ProcessEvents() override {
        if (stop.load(std::memory_order_relaxed) || (nodes > 0 && SearchCalls >= nodes) ||
            (hardMs >= 0 && MsSince(start) >= hardMs))
            opponent.Stop = true;
    }
    void ShowMessage(const std::string& text) override { say("info string " + text); }

  private:
    Opponent& opponent;
    const std::atomic<bool>& stop;
    const Clock::time_point start;
    const int64_t hardMs;
    const uint64_t nodes;
    const std::function<void(const std::string&)>& say;
};

bool Contains(const std::vector<ChessMove>& moves, const Move& m) {
    return std::any_of(moves.begin(), moves.end(), [&](const ChessMove& c) {
        return SameMove(c.Squares, m.X1, m.Y1, m.X2, m.Y2);
    });
}

// The best-scored root move the engine may answer, should the move chooser have searched more
// than the root moves it was given; no move if it searched none of them.
Move BestAllowed(ChoiceTrace& trace, const std::vector<ChessMove>& moves) {
    Move best{NoMove, NoMove, NoMove, NoMove};
    for (size_t k = 0; k < trace.Ordered.size(); ++k)
        if (Contains(moves, trace.Ordered[k]) &&
            (best.X1 == NoMove || trace.Scores[k] > trace.Best)) {
            best = trace.Ordered[k];
            trace.Best = trace.Scores[k];
        }
    return best;
}

// The root move that wins the most material at once, for an answer before the first depth is
// done: the evaluation is too slow to run over every root move when time is short.
ChessMove MaterialBest(const Board& root, const std::vector<ChessMove>& moves, int32_t& gain) {
    const int sign = root.ToPlay == White ? 1 : -1;
    ChessMove best = moves.front();
    for (size_t i = 0; i < moves.size(); ++i) {
        const Move& m = moves[i].Squares;
        Board child = root;
        MakeMove(child, m.X1, m.Y1, m.X2, m.Y2);
        if (moves[i].Promotion != 0)
            MakeMove(child, PromotionChoice, sign * moves[i].Promotion, m.X2, m.Y2);
        const int32_t won = sign * (child.Material - root.Material);
        if (i == 0 || won > gain) {
            best = moves[i];
            gain = won;
        }
    }
    return best;
}

// The root's score without the book's bonus, which says nothing of the position to a GUI.
int32_t PlainScore(const Opponent& opponent, const Board& root, const Move& m, int32_t score) {
    Board child = root;
    MakeMove(child, m.X1, m.Y1, m.X2, m.Y2);
    const bool moved = child.ToPlay == White || child.ToPlay == Black;
    return moved && FindOpening(opponent.Book, child) ? score - MainBookBonus : score;
}

int64_t Clamped(int64_t value, int64_t most) {
    return std::clamp<int64_t>(value, 0, most);
}

bool MovesOn(const Board& board) {
    return board.ToPlay == White || board.ToPlay == Black;
}

// The quick scan of the move chooser over the root moves: the answer before the first depth is
// done. Stopped midway, the best of the moves scanned, or else the most material won.
ChessMove QuickScanBest(Opponent& opponent, const Board& root, const std::vector<ChessMove>& moves,
                        OpponentHooks& hooks) {
    int32_t gain = 0;
    ChessMove best = MaterialBest(root, moves, gain);
    int32_t bestScore = 0;
    bool scanned = false;
    opponent.CaptureStep = opponent.CaptureStepStart;
    for (const ChessMove& move : moves) {
        hooks.ProcessEvents();
        if (opponent.Stop) break;
        Board child = root;
        MakeMove(child, move.Squares.X1, move.Squares.Y1, move.Squares.X2, move.Squares.Y2);
        int32_t score;
        if (MovesOn(child)) {
            score = -Search(opponent, false, -SearchInfinity, SearchInfinity, child, QuickScanDepth,
                            hooks);
            if (FindOpening(opponent.Book, child)) score += QuickBookBonus;
        } else { // the mover chooses its piece
            score = Search(opponent, false, -SearchInfinity, SearchInfinity, child, QuickScanDepth,
                           hooks);
        }
        if (opponent.Stop) break;
        if (!scanned || score > bestScore) {
            best = move;
            bestScore = score;
        }
        scanned = true;
    }
    return best;
}

// The line after `first` that the search expects at main depth `depth`: each reply the best
// at the depth left, found as the main search scores moves. Cut short when thinking stops.
std::vector<ChessMove> ExpectedLine(Opponent& opponent, const Board& root, const ChessMove& first,
                                    int depth, OpponentHooks& hooks) {
    std::vector<ChessMove> line{first};
    Board board = root;
    PlayChessMove(board, first);
    opponent.CaptureStep = opponent.CaptureStepStart;
    const std::vector<std::string> any;
    for (int left = depth; left >= 1 && board.Outcome == InProgress; --left) {
        const std::vector<ChessMove> replies = RootMoves(board, any);
        if (replies.empty()) break;
        ChessMove reply = replies.front();
        int32_t best = -SearchInfinity;
        for (const ChessMove& move : replies) {
            Board child = board;
            PlayChessMove(child, move);
            // Only a reply better than the best so far gets an exact score.
            const int32_t score = -Search(opponent, true, -SearchInfinity, -best, child,
                                          static_cast<float>(left - 1), hooks);
            if (opponent.Stop) return line;
            if (score > best) {
                best = score;
                reply = move;
            }
        }
        line.push_back(reply);
        PlayChessMove(board, reply);
    }
    return line;
}

} // namespace

TimePlan PlanTime(const GoLimits& limits, int side, int movesPlanned) {
    if (limits.Infinite) return {-1, -1};
    const int64_t overhead = Clamped(limits.OverheadMs, MaxOverheadMs);
    if (limits.MoveTimeMs >= 0) {
        const int64_t t = std::max<int64_t>(1, Clamped(limits.MoveTimeMs, MaxGoNumber) - overhead);
        return {t, t};
    }
    const int s = side == White ? 0 : 1;
    if (limits.TimeMs[s] < 0) return {-1, -1};
    const int64_t left = Clamped(limits.TimeMs[s], MaxGoNumber);
    const int64_t inc = Clamped(limits.IncMs[s], MaxGoNumber);
    // Ten increments are kept back for a busy machine; below that a move spends at most half
    // an increment, so that the clock climbs back.
    const int64_t spare = std::max<int64_t>(0, left - overhead - std::min(10 * inc, left / 2));
    const int64_t moves =
        limits.MovesToGo > 0 ? std::min(limits.MovesToGo, 40) : std::max(movesPlanned, 1);
    const int64_t ceiling = std::max<int64_t>(
        0, std::min({left / 20 + inc - overhead, spare / 2 + inc / 2, left / 2 - overhead}));
    const int64_t soft = std::min(ceiling, spare / moves + inc * 3 / 4);
    return {soft, ceiling};
}

std::vector<ChessMove> RootMoves(const Board& position,
                                 const std::vector<std::string>& searchMoves) {
    Board board = position;
    FindLegalMoves(board);
    std::vector<ChessMove> moves;
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move& m = board.LegalMoves[i];
        if (CastlesAcrossAttack(board, m)) continue;
        const ChessMove move{m, ReachesLastRow(board, m) ? Queen : 0};
        if (!searchMoves.empty()) {
            const bool wanted =
                std::any_of(searchMoves.begin(), searchMoves.end(), [&](const std::string& text) {
                    ChessMove listed{};
                    return ReadLong(board, text, listed) == MoveRead::Legal &&
                           SameMove(listed.Squares, m.X1, m.Y1, m.X2, m.Y2);
                });
            if (!wanted) continue;
        }
        moves.push_back(move);
    }
    return moves;
}

std::string InfoLine(int depth, const std::string& score, uint64_t nodes, int64_t ms,
                     const std::vector<ChessMove>& pv) {
    std::string line = "info depth " + std::to_string(depth) + " score " + score + " nodes " +
                       std::to_string(nodes);
    if (ms > 0) line += " nps " + std::to_string(nodes * 1000 / static_cast<uint64_t>(ms));
    line += " time " + std::to_string(ms) + " pv";
    for (const ChessMove& move : pv) line += " " + LongText(move);
    return line;
}

std::string ScoreText(int32_t score, int depth) {
    const int64_t mated = -static_cast<int64_t>(MatedScore);
    const int64_t magnitude = std::abs(static_cast<int64_t>(score));
    if (magnitude < mated - 5000) return "cp " + std::to_string(score);
    // A side mated with r plies of depth left scores MatedScore - 10 r.
    const double left = static_cast<double>(magnitude - mated) / 10.0;
    const int plies = 1 + std::max(0, static_cast<int>(std::lround(depth - left)));
    return score > 0 ? "mate " + std::to_string((plies + 1) / 2)
                     : "mate -" + std::to_string(std::max(1, plies / 2));
}

ChessMove Think(Opponent& opponent, const Board& position, const GoLimits& limits, int depthBar,
                const std::atomic<bool>& stop, const std::function<void(const std::string&)>& say) {
    const Clock::time_point start = Clock::now();
    const std::vector<ChessMove> moves = RootMoves(position, limits.SearchMoves);
    if (moves.empty()) {
        say("info string no legal move to play");
        while (limits.Infinite && !stop.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return ChessMove{Move{NoMove, NoMove, NoMove, NoMove}, 0};
    }

    // The legal-move list is a cache the move chooser takes as it finds it: the root moves
    // written into it are the only ones searched.
    Board root = position;
    FindLegalMoves(root);
    root.LegalCount = static_cast<int32_t>(moves.size());
    for (size_t i = 0; i < moves.size(); ++i) root.LegalMoves[i] = moves[i].Squares;

    const TimePlan plan = PlanTime(limits, root.ToPlay);
    const int lastBar = ClampDepthBar(limits.Depth > 0  ? limits.Depth + 1
                                      : limits.Infinite ? DepthBarMax
                                                        : depthBar);
    ThinkHooks hooks(opponent, stop, start, plan.HardMs, limits.Nodes, say);
    ChessMove best = QuickScanBest(opponent, root, moves, hooks);
    int64_t lastRoundMs = 0, roundBeforeMs = 0;
    double steepest = 0; // the most a depth has cost over the one before
    for (int bar = std::min(2, lastBar); bar <= lastBar; ++bar) {
        const Clock::time_point roundStart = Clock::now();
        opponent.Stop = false;
        hooks.ProcessEvents();
        if (opponent.Stop) break;
        hooks.Bar = bar;
        ChoiceTrace trace;
        Move chosen = ChooseMove(opponent, root, hooks, &trace);
        if (opponent.Stop) break;
        if (!Contains(moves, chosen)) chosen = BestAllowed(trace, moves);
        if (chosen.X1 == NoMove) break;
        ChessMove found{chosen, 0};
        if (ReachesLastRow(root, chosen)) {
            Board waiting = root;
            MakeMove(waiting, chosen.X1, chosen.Y1, chosen.X2, chosen.Y2);
            const Move choice = ChooseMove(opponent, waiting, hooks);
            if (opponent.Stop || choice.X1 != PromotionChoice) break;
            found.Promotion = std::abs(choice.Y1);
        }
        best = found;

        const int32_t score = PlainScore(opponent, root, chosen, trace.Best);
        const std::vector<ChessMove> line = ExpectedLine(opponent, root, best, bar - 1, hooks);
        opponent.Stop = false;
        say(InfoLine(bar - 1, ScoreText(score, bar - 1), hooks.SearchCalls, MsSince(start), line));

        const int64_t ms = MsSince(start);
        roundBeforeMs = lastRoundMs;
        lastRoundMs = MsSince(roundStart);
        if (plan.SoftMs < 0) continue;
        if (moves.size() == 1) break;
        // Each depth costs several times the one before, and the steps alternate between a few
        // times and a dozen: begin one only if it should end in time at the steepest step seen.
        if (roundBeforeMs > 0)
            steepest = std::max(steepest, static_cast<double>(lastRoundMs) /
                                              static_cast<double>(roundBeforeMs));
        const double growth = steepest > 0 ? std::clamp(steepest, 3.0, 40.0) : 10.0;
        const double expected = static_cast<double>(ms) + growth * static_cast<double>(lastRoundMs);
        if (ms * 2 > plan.SoftMs ||
            expected > static_cast<double>(std::min(plan.HardMs, 2 * plan.SoftMs)))
            break;
    }
    opponent.Stop = false;
    while (limits.Infinite && !stop.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return best;
}
