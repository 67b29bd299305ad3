#include "strongplayer/Search.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "strongplayer/Evaluate.h"
#include "strongplayer/Movegen.h"
#include "strongplayer/See.h"

namespace strong {
namespace {

using Clock = std::chrono::steady_clock;

// Pruning and reduction settings, each in one place.
constexpr int AspirationWindow = 18;
constexpr int ReverseFutilityDepth = 7;
constexpr int ReverseFutilityMargin = 75; // per ply of depth
constexpr int NullMoveMinDepth = 3;
constexpr int FutilityDepth = 8;
constexpr int FutilityBase = 90, FutilityPerDepth = 90;
constexpr int LateMovePruningDepth = 8;
constexpr int SingularDepth = 8;      // the table move is tested for being the only good one
constexpr int SeeQuietMargin = 60;    // per ply: quiet moves losing more are skipped
constexpr int SeeCaptureMargin = 100; // per ply, for captures
constexpr int DeltaMargin = 200;      // quiescence: a capture that cannot reach alpha
constexpr int HistoryMax = 16384;

// Move ordering keys.
constexpr int TableMoveKey = 1 << 30;
constexpr int GoodCaptureKey = 1 << 28;
constexpr int KillerKey = 1 << 27;
constexpr int BadCaptureKey = -(1 << 28);

struct Reductions {
    int8_t Table[64][64];
    Reductions() {
        for (int d = 0; d < 64; ++d)
            for (int m = 0; m < 64; ++m)
                Table[d][m] =
                    static_cast<int8_t>(d && m ? 0.75 + std::log(d) * std::log(m) / 2.25 : 0);
    }
};
const Reductions LmrTable;

int StoredScore(int score, int ply) {
    return score >= MateBound ? score + ply : score <= -MateBound ? score - ply : score;
}
int LoadedScore(int score, int ply) {
    return score >= MateBound ? score - ply : score <= -MateBound ? score + ply : score;
}

} // namespace

// Moves a history entry towards `delta`, less the more it holds already.
template <typename Entry> void Nudge(Entry& h, int delta) {
    h = static_cast<Entry>(h + delta - h * std::abs(delta) / HistoryMax);
}

// Everything one search keeps per node and across nodes.
class SearchState {
  public:
    struct Frame {
        Move16 Killers[2] = {NoMove16, NoMove16};
        int Eval = 0;
        int FromNull = 0;         // plies since the last null move (or the root)
        int MovedPiece = NoPiece; // the move that led to the next ply: its piece and square
        int MovedTo = 0;
        Move16 Pv[MaxPly + 1];
        int PvLength = 0;
        Move16 Excluded = NoMove16; // left out by the singular test at this ply
    };

    Position Pos;
    std::vector<uint64_t> Keys; // the game's positions, then the root and the current path
    size_t RootIndex = 0;
    Frame Stack[MaxPly + 2];
    int History[2][64][64];
    // Quiet moves' history after a move (by its piece and square), for the next ply and the
    // one after: the piece and square of the earlier move, then of the later one.
    using ContinuationRow = int16_t[13][64];
    ContinuationRow Continuation[13][64];
    int16_t CaptureHistory[12][64][7]; // by the capturing piece, its square and the piece taken
    Move16 Counter[13][64]; // the quiet move that refuted a move, by its piece and square
    PawnCache PawnTable;
    TranspositionTable* Table = nullptr;

    SearchLimits Limits;
    const SearchHooks* Hooks = nullptr;
    Clock::time_point Start;
    uint64_t Nodes = 0, NextEvents = 0;
    int SelDepth = 0;
    int RootDepth = 0;
    bool Aborted = false;

    void ClearHistory() {
        std::memset(History, 0, sizeof History);
        std::memset(Continuation, 0, sizeof Continuation);
        std::memset(CaptureHistory, 0, sizeof CaptureHistory);
        std::memset(Counter, 0, sizeof Counter);
        for (Frame& f : Stack) f = Frame{};
        PawnTable.Clear();
    }

    int64_t ElapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start).count();
    }

    // Ends the search at the node limit at once, and at the stop flag or the clock within
    // 1024 nodes; runs the caller's events every so often. The first depth always finishes.
    bool ShouldAbort() {
        if (Aborted) return true;
        if (RootDepth <= 1) return false;
        if (Limits.Nodes && Nodes >= Limits.Nodes) return Aborted = true;
        if ((Nodes & 1023) == 0) {
            if (Hooks->ProcessEvents && Nodes >= NextEvents) {
                NextEvents = Nodes + Hooks->EventsEveryNodes;
                Hooks->ProcessEvents();
            }
            if (Hooks->Stop && Hooks->Stop->load(std::memory_order_relaxed)) return Aborted = true;
            if (Limits.HardMs >= 0 && ElapsedMs() >= Limits.HardMs) return Aborted = true;
        }
        return false;
    }

    bool IsRepetition(int ply) const {
        const size_t index = RootIndex + static_cast<size_t>(ply);
        const int reach = std::min(Pos.Rule50, Stack[ply].FromNull);
        const uint64_t key = Keys[index];
        for (int back = 4; back <= reach && static_cast<size_t>(back) <= index; back += 2)
            if (Keys[index - static_cast<size_t>(back)] == key) return true;
        return false;
    }

    // No pawns, rooks or queens, and at most one minor piece on the board.
    bool InsufficientMaterial() const {
        const Position& p = Pos;
        if (p.Pieces[0][Pawns] | p.Pieces[1][Pawns] | p.Pieces[0][Rooks] | p.Pieces[1][Rooks] |
            p.Pieces[0][Queens] | p.Pieces[1][Queens])
            return false;
        return Count(p.Pieces[0][Knights] | p.Pieces[1][Knights] | p.Pieces[0][Bishops] |
                     p.Pieces[1][Bishops]) <= 1;
    }

    bool HasPieces(int colour) const {
        return (Pos.Pieces[colour][Knights] | Pos.Pieces[colour][Bishops] |
                Pos.Pieces[colour][Rooks] | Pos.Pieces[colour][Queens]) != 0;
    }

    void PushKey() { Keys.push_back(Pos.Key); }
    void PopKey() { Keys.pop_back(); }

    void UpdatePv(int ply, Move16 m) {
        Frame& f = Stack[ply];
        const Frame& child = Stack[ply + 1];
        f.Pv[0] = m;
        const int length = std::min(child.PvLength, MaxPly - 1);
        for (int i = 0; i < length; ++i) f.Pv[i + 1] = child.Pv[i];
        f.PvLength = length + 1;
    }

    void RewardQuiet(Move16 best, int depth, int ply, const Move16* tried, int triedCount) {
        Frame& f = Stack[ply];
        if (f.Killers[0] != best) {
            f.Killers[1] = f.Killers[0];
            f.Killers[0] = best;
        }
        const int bonus = std::min(depth * depth, 400);
        const int side = Pos.Side;
        auto adjust = [&](Move16 m, int delta) {
            Nudge(History[side][FromOf(m)][ToOf(m)], delta);
            const int piece = Pos.Squares[FromOf(m)];
            for (int back = 1; back <= 2 && back <= ply; ++back)
                Nudge(ContinuationAfter(ply - back)[piece][ToOf(m)], delta);
        };
        adjust(best, bonus);
        if (ply > 0) Counter[Stack[ply - 1].MovedPiece][Stack[ply - 1].MovedTo] = best;
        for (int i = 0; i < triedCount; ++i)
            if (tried[i] != best) adjust(tried[i], -bonus);
    }

    int16_t& CaptureStat(Move16 m) {
        const int victim = KindOf(m) == EnPassantMove ? Pawns : TypeAt(Pos, ToOf(m));
        return CaptureHistory[Pos.Squares[FromOf(m)]][ToOf(m)][victim];
    }

    // After a cut: the move that made it gains if it is noisy, the noisy moves tried before lose.
    void RewardNoisy(Move16 best, bool bestNoisy, int depth, const Move16* tried, int triedCount) {
        const int bonus = std::min(depth * depth, 400);
        if (bestNoisy) Nudge(CaptureStat(best), bonus);
        for (int i = 0; i < triedCount; ++i)
            if (tried[i] != best) Nudge(CaptureStat(tried[i]), -bonus);
    }

    // How well a quiet move of `piece` did before: anywhere, and after the last two moves.
    int QuietStat(int side, int piece, Move16 m, int ply) const {
        int stat = History[side][FromOf(m)][ToOf(m)];
        for (int back = 1; back <= 2 && back <= ply; ++back)
            stat += ContinuationAfter(ply - back)[piece][ToOf(m)];
        return stat;
    }

    // The continuation history after the move made at `ply`.
    ContinuationRow& ContinuationAfter(int ply) {
        return Continuation[Stack[ply].MovedPiece][Stack[ply].MovedTo];
    }
    const ContinuationRow& ContinuationAfter(int ply) const {
        return Continuation[Stack[ply].MovedPiece][Stack[ply].MovedTo];
    }

    Move16 CounterMove(int ply) const {
        return ply > 0 ? Counter[Stack[ply - 1].MovedPiece][Stack[ply - 1].MovedTo] : NoMove16;
    }

    // Orders a whole list at once (the root, evasions): the table's move, captures and
    // promotions that do not lose material, killers, the countermove, quiet moves by history,
    // and last the captures that lose material.
    void ScoreMoves(const MoveList& list, int* keys, Move16 tableMove, int ply) {
        const Frame& f = Stack[ply];
        const Move16 counter = CounterMove(ply);
        for (int i = 0; i < list.Count; ++i) {
            const Move16 m = list.Moves[i];
            if (m == tableMove) {
                keys[i] = TableMoveKey;
            } else if (IsNoisy(Pos, m)) {
                keys[i] = CaptureKey(m) + (SeeAtLeast(Pos, m, 0) ? GoodCaptureKey : BadCaptureKey);
            } else if (m == f.Killers[0] || m == f.Killers[1]) {
                keys[i] = KillerKey - (m == f.Killers[1]);
            } else if (m == counter) {
                keys[i] = KillerKey - 2;
            } else {
                keys[i] = QuietStat(Pos.Side, Pos.Squares[FromOf(m)], m, ply);
            }
        }
    }

    // The move of the highest key from `from` on. The first few are picked one at a time (a
    // node is often done after them); then the rest is sorted once.
    static Move16 PickNext(MoveList& list, int* keys, int from, int oneByOne = 3) {
        if (from < oneByOne) {
            int best = from;
            for (int i = from + 1; i < list.Count; ++i)
                if (keys[i] > keys[best]) best = i;
            std::swap(list.Moves[from], list.Moves[best]);
            std::swap(keys[from], keys[best]);
        } else if (from == oneByOne) {
            for (int i = from + 1; i < list.Count; ++i) {
                const int key = keys[i];
                const Move16 m = list.Moves[i];
                int j = i - 1;
                for (; j >= from && keys[j] < key; --j) {
                    keys[j + 1] = keys[j];
                    list.Moves[j + 1] = list.Moves[j];
                }
                keys[j + 1] = key;
                list.Moves[j + 1] = m;
            }
        }
        return list.Moves[from];
    }

    // Most valuable victim, then least valuable attacker; a promotion adds its piece.
    int CaptureKey(Move16 m) {
        const int victim = KindOf(m) == EnPassantMove ? Pawns : TypeAt(Pos, ToOf(m));
        int key = SeeValue[victim] * 8 - TypeOf(Pos.Squares[FromOf(m)]) + CaptureStat(m) / 16;
        if (KindOf(m) == PromotionMove) key += SeeValue[PromotionOf(m)];
        return key;
    }

    int Quiesce(int alpha, int beta, int ply, bool inCheck);
    int Negamax(int alpha, int beta, int depth, int ply, bool pvNode, bool allowNull, bool inCheck);
};

namespace {

// Hands out a node's moves in stages, generating only as far as the node gets (it often ends
// early): the table's move, captures and queen promotions that do not lose material (by victim,
// then attacker), the killers and the countermove, quiet moves by history, and last the
// captures that lose material. The exchange test runs only on captures that come up.
class MovePicker {
  public:
    enum Stage { TableStage, GoodNoisy, KillerStage, QuietStage, BadNoisy };

    MovePicker(SearchState& s, Move16 tableMove, int ply, int depth)
        : s(s), tableMove(tableMove), ply(ply), depth(depth) {}

    // The next move and its stage, NoMove16 at the end.
    Move16 Next(Stage& stage) {
        switch (step) {
        case TableStep:
            step = MakeNoisyStep;
            if (tableMove != NoMove16) {
                stage = TableStage;
                return tableMove;
            }
            [[fallthrough]];
        case MakeNoisyStep:
            GenerateMoves(s.Pos, list, Generate::Noisy);
            for (int i = 0; i < list.Count; ++i) keys[i] = s.CaptureKey(list.Moves[i]);
            step = GoodNoisyStep;
            [[fallthrough]];
        case GoodNoisyStep:
            while (next < list.Count) {
                const Move16 m = SearchState::PickNext(list, keys, next++);
                if (m == tableMove) continue;
                if (!SeeAtLeast(s.Pos, m, 0)) {
                    bad.Add(m);
                    continue;
                }
                stage = GoodNoisy;
                return m;
            }
            step = KillerStep;
            [[fallthrough]];
        case KillerStep:
            while (special < 3) {
                const Move16 m = special < 2 ? s.Stack[ply].Killers[special] : s.CounterMove(ply);
                ++special;
                if (m == NoMove16 || m == tableMove || IsNoisy(s.Pos, m) ||
                    (special == 3 && (m == specials[0] || m == specials[1])) ||
                    !IsPseudoLegal(s.Pos, m))
                    continue;
                specials[special - 1] = m;
                stage = KillerStage;
                return m;
            }
            step = MakeQuietStep;
            [[fallthrough]];
        case MakeQuietStep:
            list.Count = 0;
            GenerateMoves(s.Pos, list, Generate::Quiet);
            if (!checks) // checks alone are taken in the order generated
                for (int i = 0; i < list.Count; ++i) {
                    const Move16 m = list.Moves[i];
                    keys[i] = s.QuietStat(s.Pos.Side, s.Pos.Squares[FromOf(m)], m, ply);
                }
            next = 0;
            step = QuietStep;
            [[fallthrough]];
        case QuietStep:
            while (next < list.Count) {
                // Shallow nodes try few quiet moves before the rest are pruned: no sorting.
                const Move16 m =
                    checks ? list.Moves[next++]
                           : SearchState::PickNext(list, keys, next++, depth <= 3 ? 256 : 3);
                if (m == tableMove || m == specials[0] || m == specials[1] || m == specials[2] ||
                    (checks && !MayGiveCheck(s.Pos, *checks, m)))
                    continue;
                stage = QuietStage;
                return m;
            }
            step = BadStep;
            next = 0;
            [[fallthrough]];
        case BadStep:
            while (next < bad.Count) {
                const Move16 m = bad.Moves[next++];
                if (checks && !MayGiveCheck(s.Pos, *checks, m)) continue;
                stage = BadNoisy;
                return m;
            }
        }
        return NoMove16;
    }

    // Of the quiet moves and losing captures still to come, only checks are wanted.
    void OnlyChecksFromNowOn(const CheckSquares& c) { checks = &c; }

  private:
    enum Step {
        TableStep,
        MakeNoisyStep,
        GoodNoisyStep,
        KillerStep,
        MakeQuietStep,
        QuietStep,
        BadStep
    };
    SearchState& s;
    Move16 tableMove;
    int ply, depth;
    Step step = TableStep;
    MoveList list, bad;
    int keys[256];
    int next = 0;
    int special = 0;
    const CheckSquares* checks = nullptr;
    Move16 specials[3] = {NoMove16, NoMove16, NoMove16};
};

} // namespace

int SearchState::Quiesce(int alpha, int beta, int ply, bool inCheck) {
    ++Nodes;
    if (ShouldAbort()) return 0;
    SelDepth = std::max(SelDepth, ply);
    Stack[ply].PvLength = 0;
    if (ply >= MaxPly) return Evaluate(Pos, PawnTable);
    if (InsufficientMaterial()) return 0;

    const bool pvNode = beta - alpha > 1;
    const TableEntry* entry = Table->Probe(Pos.Key);
    Move16 tableMove = NoMove16;
    if (entry) {
        const int score = LoadedScore(entry->Score, ply);
        const Bound bound = entry->BoundOf();
        if (!pvNode && (bound == ExactBound || (bound == LowerBound && score >= beta) ||
                        (bound == UpperBound && score <= alpha)))
            return score;
        tableMove = entry->Move;
    }

    int best = -InfiniteScore;
    int standPat = -InfiniteScore;
    if (!inCheck) {
        standPat = entry ? entry->Eval : Evaluate(Pos, PawnTable);
        if (standPat >= beta) return standPat;
        alpha = std::max(alpha, standPat);
        best = standPat;
    }

    // In check every move is tried, ordered as a whole; else captures and queen promotions
    // that do not lose material, by victim and attacker, the table's move first.
    MoveList list;
    GenerateMoves(Pos, list, inCheck ? Generate::All : Generate::Noisy);
    int keys[256];
    if (inCheck) {
        ScoreMoves(list, keys, tableMove, ply);
    } else {
        // Every capture's entry is fetched at once: the first is needed soon.
        for (int i = 0; i < list.Count; ++i) {
            keys[i] = list.Moves[i] == tableMove ? TableMoveKey : CaptureKey(list.Moves[i]);
            Table->Prefetch(KeyAfter(Pos, list.Moves[i]));
        }
    }
    const int alphaAtStart = alpha;
    Move16 bestMove = NoMove16;
    int legal = 0;
    Bitboard pinned = 0;
    bool pinsKnown = false;
    for (int i = 0; i < list.Count; ++i) {
        const Move16 m = PickNext(list, keys, i);
        if (!inCheck) {
            const int victim = KindOf(m) == EnPassantMove ? Pawns : TypeAt(Pos, ToOf(m));
            if (KindOf(m) != PromotionMove && victim != NoType &&
                standPat + SeeValue[victim] + DeltaMargin <= alpha)
                continue;
            if (!SeeAtLeast(Pos, m, 0)) continue;
            if (!pinsKnown) {
                pinned = Pinned(Pos);
                pinsKnown = true;
            }
            if (!IsLegalGiven(Pos, m, pinned, false)) continue;
        }
        Undo u;
        Make(Pos, m, u);
        if (inCheck && LeftKingAttacked(Pos)) {
            Unmake(Pos, m, u);
            continue;
        }
        ++legal;
        if (inCheck) Table->Prefetch(Pos.Key);
        const int score = -Quiesce(-beta, -alpha, ply + 1, InCheck(Pos));
        Unmake(Pos, m, u);
        if (Aborted) return 0;
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                bestMove = m;
                UpdatePv(ply, m);
                if (score >= beta) break;
            }
        }
    }
    if (inCheck && legal == 0) return -(MateScore - ply);
    const Bound bound = best >= beta ? LowerBound : alpha > alphaAtStart ? ExactBound : UpperBound;
    Table->Store(Pos.Key, bestMove, StoredScore(best, ply), inCheck ? 0 : standPat, 0, bound);
    return best;
}

int SearchState::Negamax(int alpha, int beta, int depth, int ply, bool pvNode, bool allowNull,
                         bool inCheck) {
    if (depth <= 0) return Quiesce(alpha, beta, ply, inCheck);
    ++Nodes;
    if (ShouldAbort()) return 0;
    SelDepth = std::max(SelDepth, ply);
    Frame& frame = Stack[ply];
    frame.PvLength = 0;
    Stack[ply + 1].Killers[0] = Stack[ply + 1].Killers[1] = NoMove16;

    if (ply >= MaxPly) return inCheck ? 0 : Evaluate(Pos, PawnTable);
    if (InsufficientMaterial() || IsRepetition(ply)) return 0;
    if (Pos.Rule50 >= 100) return inCheck && !HasLegalMove(Pos) ? -(MateScore - ply) : 0;
    // No line from here can beat a mate already found nearer the root.
    alpha = std::max(alpha, -(MateScore - ply));
    beta = std::min(beta, MateScore - ply - 1);
    if (alpha >= beta) return alpha;

    const Move16 excluded = frame.Excluded;
    const TableEntry* entry = Table->Probe(Pos.Key);
    Move16 tableMove = NoMove16;
    int tableScore = 0, tableDepth = -1;
    Bound tableBound = UpperBound;
    if (entry) {
        tableMove = entry->Move;
        if (!IsPseudoLegal(Pos, tableMove)) tableMove = NoMove16;
        tableScore = LoadedScore(entry->Score, ply);
        tableBound = entry->BoundOf();
        tableDepth = entry->Depth;
        if (!pvNode && excluded == NoMove16 && tableDepth >= depth &&
            (tableBound == ExactBound || (tableBound == LowerBound && tableScore >= beta) ||
             (tableBound == UpperBound && tableScore <= alpha)))
            return tableScore;
    }

    int eval = -InfiniteScore;
    if (!inCheck) eval = entry ? entry->Eval : Evaluate(Pos, PawnTable);
    frame.Eval = eval;
    const bool improving = !inCheck && ply >= 2 && eval > Stack[ply - 2].Eval;

    if (!pvNode && !inCheck && excluded == NoMove16) {
        if (depth <= ReverseFutilityDepth && beta < MateBound &&
            eval - ReverseFutilityMargin * (depth - improving) >= beta)
            return eval;
        if (allowNull && depth >= NullMoveMinDepth && eval >= beta && HasPieces(Pos.Side) &&
            beta > -MateBound) {
            const int reduction = 3 + depth / 4 + std::min(3, (eval - beta) / 200);
            frame.MovedPiece = NoPiece;
            frame.MovedTo = 0;
            Undo u;
            MakeNull(Pos, u);
            PushKey();
            Stack[ply + 1].FromNull = 0;
            const int score =
                -Negamax(-beta, -beta + 1, depth - reduction, ply + 1, false, false, false);
            PopKey();
            UnmakeNull(Pos, u);
            if (Aborted) return 0;
            if (score >= beta) return score >= MateBound ? beta : score;
        }
    }
    // Without a table move, a deep node is searched one ply shallower: it was not expected.
    if (depth >= 4 && tableMove == NoMove16) --depth;

    // A table move far better than every other move is searched a ply deeper; when even
    // the others beat beta, so does this node.
    bool singular = false;
    if (ply > 0 && depth >= SingularDepth && excluded == NoMove16 && tableMove != NoMove16 &&
        tableDepth >= depth - 3 && tableBound != UpperBound && std::abs(tableScore) < MateBound) {
        const int singularBeta = tableScore - 2 * depth;
        frame.Excluded = tableMove;
        const int score =
            Negamax(singularBeta - 1, singularBeta, (depth - 1) / 2, ply, false, false, inCheck);
        frame.Excluded = NoMove16;
        if (Aborted) return 0;
        if (score < singularBeta)
            singular = true;
        else if (singularBeta >= beta)
            return singularBeta;
    }

    MovePicker picker(*this, tableMove, ply, depth);
    const Bitboard pinned = inCheck ? 0 : Pinned(Pos);
    CheckSquares checks;
    if (!inCheck) FindCheckSquares(Pos, checks);
    const int alphaAtStart = alpha;
    int best = -InfiniteScore;
    Move16 bestMove = NoMove16;
    Move16 quietsTried[64], noisyTried[32];
    int quietCount = 0, noisyCount = 0, legal = 0;
    bool pruned = false; // some move was left out unsearched
    MovePicker::Stage stage = MovePicker::TableStage;
    for (Move16 m = picker.Next(stage); m != NoMove16; m = picker.Next(stage)) {
        if (m == excluded) continue;
        const bool quiet = stage == MovePicker::TableStage ? !IsNoisy(Pos, m)
                                                           : stage == MovePicker::KillerStage ||
                                                                 stage == MovePicker::QuietStage;
        // Pruning of moves that are very unlikely to matter, once a line is safe from mate.
        const bool mayPrune = best > -MateBound && !inCheck;
        const int lmrDepth =
            std::max(0, depth - LmrTable.Table[std::min(depth, 63)][std::min(legal + 1, 63)]);
        // Enough quiet moves tried at a shallow depth: the rest (quiet moves and captures that
        // lose material, which come last) are left out.
        if (mayPrune && (quiet || stage == MovePicker::BadNoisy) && depth <= LateMovePruningDepth &&
            quietCount >= (3 + depth * depth) / (2 - improving)) {
            pruned = true;
            break;
        }
        if (mayPrune && stage == MovePicker::BadNoisy && depth <= 6 &&
            !SeeAtLeast(Pos, m, -SeeCaptureMargin * depth)) {
            pruned = true;
            continue;
        }
        // No quiet move can lift the score to alpha: only checks are looked at.
        if (mayPrune && quiet && depth <= FutilityDepth &&
            eval + FutilityBase + FutilityPerDepth * depth <= alpha) {
            picker.OnlyChecksFromNowOn(checks);
            if (!MayGiveCheck(Pos, checks, m)) {
                pruned = true;
                continue;
            }
        }
        // A quiet move that gives no check and cannot lift the score to alpha, or that loses
        // material, is left out at shallow depth.
        if (mayPrune && quiet && lmrDepth <= FutilityDepth && !MayGiveCheck(Pos, checks, m) &&
            (eval + FutilityBase + FutilityPerDepth * lmrDepth <= alpha ||
             !SeeAtLeast(Pos, m, -SeeQuietMargin * lmrDepth))) {
            if (quietCount < 64) quietsTried[quietCount++] = m;
            pruned = true;
            continue;
        }
        Table->Prefetch(KeyAfter(Pos, m));
        if (!inCheck && !IsLegalGiven(Pos, m, pinned, false)) continue;
        // A plain move's check is read from the check squares; others are tested on the board.
        const bool plain = !inCheck && KindOf(m) == PlainMove && Pos.Pending < 0;
        const bool plainChecks = plain && MayGiveCheck(Pos, checks, m);
        frame.MovedPiece = Pos.Squares[FromOf(m)];
        frame.MovedTo = ToOf(m);
        Undo u;
        Make(Pos, m, u);
        if (inCheck && LeftKingAttacked(Pos)) {
            Unmake(Pos, m, u);
            continue;
        }
        const bool givesCheck = plain ? plainChecks : InCheck(Pos);
        ++legal;
        PushKey();
        Stack[ply + 1].FromNull = frame.FromNull + 1;
        const int extension =
            (givesCheck || (singular && m == tableMove)) && ply < 2 * RootDepth ? 1 : 0;
        const int newDepth = depth - 1 + extension;
        int score;
        if (legal == 1) {
            score = -Negamax(-beta, -alpha, newDepth, ply + 1, pvNode, true, givesCheck);
        } else {
            int reduction = 0;
            if (depth >= 3 && quiet && legal > 1 + static_cast<int>(pvNode)) {
                reduction = LmrTable.Table[std::min(depth, 63)][std::min(legal, 63)];
                reduction -= pvNode;
                reduction += !improving;
                if (stage == MovePicker::KillerStage) reduction -= 1;
                reduction -= QuietStat(Pos.Side ^ 1, frame.MovedPiece, m, ply) / 12000;
                if (givesCheck) reduction -= 1;
                reduction = std::clamp(reduction, 0, newDepth - 1);
            }
            score = -Negamax(-alpha - 1, -alpha, newDepth - reduction, ply + 1, false, true,
                             givesCheck);
            if (score > alpha && reduction > 0 && !Aborted)
                score = -Negamax(-alpha - 1, -alpha, newDepth, ply + 1, false, true, givesCheck);
            if (score > alpha && score < beta && pvNode && !Aborted)
                score = -Negamax(-beta, -alpha, newDepth, ply + 1, true, true, givesCheck);
        }
        PopKey();
        Unmake(Pos, m, u);
        if (Aborted) return 0;
        if (quiet && quietCount < 64) quietsTried[quietCount++] = m;
        if (!quiet && noisyCount < 32) noisyTried[noisyCount++] = m;
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                bestMove = m;
                if (pvNode) UpdatePv(ply, m);
                if (score >= beta) {
                    if (quiet) RewardQuiet(m, depth, ply, quietsTried, quietCount);
                    RewardNoisy(m, !quiet, depth, noisyTried, noisyCount);
                    break;
                }
            }
        }
    }
    // Every move left out: none could reach alpha (and none was shown to be legal). In the
    // singular test the other moves failed low, and its result is not stored.
    if (legal == 0)
        return pruned || excluded != NoMove16 ? alpha : inCheck ? -(MateScore - ply) : 0;
    if (excluded != NoMove16) return best;
    const Bound bound = best >= beta ? LowerBound : alpha > alphaAtStart ? ExactBound : UpperBound;
    Table->Store(Pos.Key, bestMove, StoredScore(best, ply), inCheck ? 0 : eval, depth, bound);
    return best;
}

Searcher::Searcher(size_t hashMegabytes) : table(hashMegabytes), state(new SearchState) {
    state->ClearHistory();
}

Searcher::~Searcher() = default;

void Searcher::SetHashMegabytes(size_t megabytes) {
    table.Resize(megabytes);
}

void Searcher::Clear() {
    table.Clear();
    state->ClearHistory();
}

namespace {

struct RootMove {
    Move16 Move;
    int Score;
    int PreviousScore;
    std::vector<Move16> Pv;
};

} // namespace

SearchResult Searcher::Run(const Position& root, const std::vector<uint64_t>& earlierKeys,
                           const std::vector<Move16>& allowed, const SearchLimits& limits,
                           const SearchHooks& hooks, const SearchOptions& options) {
    SearchState& s = *state;
    s.Start = Clock::now();
    s.Pos = root;
    s.Table = &table;
    s.Limits = limits;
    s.Hooks = &hooks;
    s.Nodes = 0;
    s.NextEvents = hooks.EventsEveryNodes;
    s.Aborted = false;
    s.Keys = earlierKeys;
    s.RootIndex = s.Keys.size();
    s.Keys.push_back(root.Key);
    s.Stack[0].FromNull = MaxPly * 4; // repetitions of the game's own positions count too
    table.NewSearch();

    std::vector<RootMove> moves;
    MoveList legal;
    GenerateLegal(s.Pos, legal);
    for (int i = 0; i < legal.Count; ++i)
        if (allowed.empty() ||
            std::find(allowed.begin(), allowed.end(), legal.Moves[i]) != allowed.end())
            moves.push_back(RootMove{legal.Moves[i], -InfiniteScore, -InfiniteScore, {}});

    SearchResult result;
    if (moves.empty()) return result;
    // Captures first for the first depth; later depths sort by the depth before.
    {
        MoveList ordered;
        int keys[256];
        for (const RootMove& r : moves) ordered.Add(r.Move);
        s.ScoreMoves(ordered, keys, NoMove16, 0);
        for (size_t i = 0; i < moves.size(); ++i) moves[i].PreviousScore = keys[i];
        std::stable_sort(moves.begin(), moves.end(), [](const RootMove& a, const RootMove& b) {
            return a.PreviousScore > b.PreviousScore;
        });
    }
    result.Best = moves[0].Move;

    const int maxDepth = limits.Depth > 0 ? std::min(limits.Depth, MaxDepth) : MaxDepth;
    int previousScore = 0;
    Move16 previousBest = NoMove16;
    int stableIterations = 0;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        s.RootDepth = depth;
        s.SelDepth = 0;
        int delta = AspirationWindow;
        int alpha = -InfiniteScore, beta = InfiniteScore;
        const bool window = depth >= 5 && !options.ScoreEveryRootMove;
        if (window) {
            alpha = std::max(previousScore - delta, -InfiniteScore);
            beta = std::min(previousScore + delta, InfiniteScore);
        }
        for (;;) {
            // One pass over the root moves within (alpha, beta).
            int bestScore = -InfiniteScore;
            int passAlpha = alpha;
            for (size_t i = 0; i < moves.size(); ++i) {
                RootMove& r = moves[i];
                s.Stack[0].MovedPiece = s.Pos.Squares[FromOf(r.Move)];
                s.Stack[0].MovedTo = ToOf(r.Move);
                Undo u;
                Make(s.Pos, r.Move, u);
                s.PushKey();
                s.Stack[1].FromNull = MaxPly * 4;
                const bool givesCheck = InCheck(s.Pos);
                const int newDepth = depth - 1 + (givesCheck ? 1 : 0);
                int score;
                if (options.ScoreEveryRootMove) {
                    score = -s.Negamax(-InfiniteScore, InfiniteScore, newDepth, 1, true, true,
                                       givesCheck);
                } else if (i == 0) {
                    score = -s.Negamax(-beta, -passAlpha, newDepth, 1, true, true, givesCheck);
                } else {
                    const bool late = depth >= 3 && i >= 4 && !IsNoisy(root, r.Move) && !givesCheck;
                    score = -s.Negamax(-passAlpha - 1, -passAlpha, newDepth - (late ? 1 : 0), 1,
                                       false, true, givesCheck);
                    if (score > passAlpha && late && !s.Aborted)
                        score = -s.Negamax(-passAlpha - 1, -passAlpha, newDepth, 1, false, true,
                                           givesCheck);
                    if (score > passAlpha && score < beta && !s.Aborted)
                        score = -s.Negamax(-beta, -passAlpha, newDepth, 1, true, true, givesCheck);
                }
                s.PopKey();
                Unmake(s.Pos, r.Move, u);
                if (s.Aborted) break;
                r.Score = score;
                if (score > bestScore) bestScore = score;
                if (score > passAlpha || options.ScoreEveryRootMove || i == 0) {
                    r.Pv.assign(1, r.Move);
                    r.Pv.insert(r.Pv.end(), s.Stack[1].Pv, s.Stack[1].Pv + s.Stack[1].PvLength);
                }
                if (score > passAlpha && !options.ScoreEveryRootMove) {
                    passAlpha = score;
                    // A move that beats the best so far leads, even if the depth is cut short.
                    std::rotate(moves.begin(), moves.begin() + static_cast<long>(i),
                                moves.begin() + static_cast<long>(i) + 1);
                    if (depth > 1) {
                        result.Best = moves[0].Move;
                        result.Pv = moves[0].Pv;
                        result.Score = score;
                    }
                    if (score >= beta) break;
                } else if (!options.ScoreEveryRootMove && i > 0) {
                    r.Score = -InfiniteScore; // only an upper bound: keep the order below
                }
            }
            if (s.Aborted) break;
            if (options.ScoreEveryRootMove)
                std::stable_sort(
                    moves.begin(), moves.end(),
                    [](const RootMove& a, const RootMove& b) { return a.Score > b.Score; });
            if (window && bestScore <= alpha) {
                beta = (alpha + beta) / 2;
                alpha = std::max(bestScore - delta, -InfiniteScore);
            } else if (window && bestScore >= beta) {
                beta = std::min(bestScore + delta, InfiniteScore);
            } else {
                previousScore = bestScore;
                break;
            }
            delta += delta / 2 + 5;
        }
        if (s.Aborted) break;

        result.Best = moves[0].Move;
        result.Score = moves[0].Score;
        result.Pv = moves[0].Pv;
        result.Depth = depth;
        result.SelDepth = s.SelDepth;
        if (options.ScoreEveryRootMove) {
            result.RootScores.clear();
            for (const RootMove& r : moves) result.RootScores.push_back({r.Move, r.Score});
        }
        const int64_t elapsed = s.ElapsedMs();
        if (hooks.OnIteration) {
            IterationReport report;
            report.Depth = depth;
            report.SelDepth = s.SelDepth;
            report.Score = result.Score;
            report.Nodes = s.Nodes;
            report.TimeMs = elapsed;
            report.Nps =
                elapsed > 0 ? s.Nodes * 1000 / static_cast<uint64_t>(elapsed) : s.Nodes * 1000;
            report.Hashfull = table.Hashfull();
            report.Pv = result.Pv;
            hooks.OnIteration(report);
        }
        stableIterations = moves[0].Move == previousBest ? stableIterations + 1 : 0;
        previousBest = moves[0].Move;
        if (limits.SoftMs >= 0) {
            // A best move that keeps changing earns more time, a steady one less.
            const double factor = stableIterations == 0 ? 1.4 : stableIterations >= 3 ? 0.7 : 1.0;
            if (static_cast<double>(elapsed) >= static_cast<double>(limits.SoftMs) * factor) break;
        }
        if (moves.size() == 1 && limits.SoftMs >= 0 && depth >= 8) break;
        if (result.Score >= MateBound && MateScore - result.Score <= depth) break;
        if (limits.Nodes && s.Nodes >= limits.Nodes) break;
        if (hooks.Stop && hooks.Stop->load() && depth >= 1) break;
    }
    result.Nodes = s.Nodes;
    result.TimeMs = s.ElapsedMs();
    if (result.Pv.empty()) result.Pv.assign(1, result.Best);
    return result;
}

} // namespace strong
