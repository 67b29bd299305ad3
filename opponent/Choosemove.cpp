#include "opponent/Choosemove.h"

#include <string>

#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "notation/Letteru.h"
#include "openings/Openingu.h"
#include "opponent/Search.h"

namespace {

constexpr Move NoMoveChosen{NoMove, NoMove, NoMove, NoMove};

// The moves sharing the best score so far.
struct Ties {
    int32_t best = -SearchInfinity;
    std::vector<Move> moves;

    void Add(const Move& move, int32_t s) {
        if (s == best) {
            moves.push_back(move);
        } else if (s > best) {
            best = s;
            moves.assign(1, move);
        }
    }
};

bool Moves(int toPlay) {
    return toPlay == White || toPlay == Black;
}

// Grows the capture step for the next root move, in double precision, up to 0.25.
float NextCaptureStep(float step) {
    double grown = static_cast<double>(step) + 0.005;
    if (grown > 0.25) grown = 0.25;
    return static_cast<float>(grown);
}

void ShowConsidered(OpponentHooks& hooks, const Board& root, const std::vector<Move>& ordered,
                    const std::vector<int32_t>& scores) {
    ShowConsideredHeader(hooks, root.ToPlay);
    for (size_t k = 0; k < ordered.size(); ++k) {
        const Move& m = ordered[k];
        const bool capture = root.Squares[m.X2][m.Y2] != Empty;
        hooks.AddConsideredLine(
            MoveToText(root.Squares[m.X1][m.Y1], capture, m.X1, m.Y1, m.X2, m.Y2) + " " +
            std::to_string(scores[k]));
    }
    hooks.RepaintConsidered();
}

// Keeps a score in the progress when its search ended before Stop rose.
void Whole(const Opponent& opponent, ChoiceProgress* progress, const Move& move, int32_t s) {
    if (!progress || opponent.Stop) return;
    if (progress->Ties.empty() || s > progress->Best) {
        progress->Best = s;
        progress->Ties.assign(1, move);
    } else if (s == progress->Best) {
        progress->Ties.push_back(move);
    }
}

// Scores the four pieces of a pending promotion choice and picks one of the best.
Move ChoosePromotionPiece(Opponent& opponent, OpponentHooks& hooks, ChoiceTrace* trace,
                          ChoiceProgress* progress) {
    const Board& root = opponent.Root;
    const bool white = root.ToPlay == WhiteChooses;
    const int row = white ? 0 : 7;
    const int x = WaitingPawnFile(root);
    if (x < 0) return NoMoveChosen; // no waiting pawn: only a damaged record gets here

    if (progress)
        progress->Begin(ChoiceProgress::PieceChoice, 4,
                        {PromotionChoice, white ? Queen : -Queen, x, row});
    Ties ties;
    int current = 0;
    for (int piece : {Queen, Rook, Bishop, Knight}) {
        const Move move{PromotionChoice, white ? piece : -piece, x, row};
        if (progress) progress->Current = current++;
        Board copy = root;
        MakeMove(copy, move.X1, move.Y1, move.X2, move.Y2);
        const auto depth = static_cast<float>(hooks.DepthBarPosition() - 1);
        if (progress) progress->Depth = static_cast<int>(depth);
        const int32_t s =
            -Search(opponent, true, -SearchInfinity, SearchInfinity, copy, depth, hooks);
        hooks.AddConsideredLine(PieceName(move.Y1) + ": " + std::to_string(s));
        ties.Add(move, s);
        Whole(opponent, progress, move, s);
        if (trace) {
            trace->Ordered.push_back(move);
            trace->Scores.push_back(s);
        }
    }
    if (trace) {
        trace->Ties = ties.moves;
        trace->Best = ties.best;
    }
    return ties.moves[static_cast<size_t>(hooks.Random()) % ties.moves.size()];
}

} // namespace

Move BestSoFar(const ChoiceProgress& progress, OpponentHooks& hooks) {
    if (progress.Ties.empty()) return progress.QuickBest;
    // Drawn as the whole choice draws: seeded before a move, not before a piece.
    if (progress.Phase != ChoiceProgress::PieceChoice) hooks.SeedRandom();
    return progress.Ties[static_cast<size_t>(hooks.Random()) % progress.Ties.size()];
}

int NextBestQuick(const std::vector<int32_t>& quick) {
    int32_t best = -999999;
    int index = 0;
    for (int i = 0; i < static_cast<int>(quick.size()); ++i)
        if (quick[i] > best) {
            best = quick[i];
            index = i;
        }
    return index;
}

void ShowConsideredHeader(OpponentHooks& hooks, int state) {
    hooks.ClearConsidered();
    hooks.AddConsideredLine(state == White ? "White" : "Black");
    hooks.AddConsideredLine("Considered Moves:");
    hooks.AddConsideredLine("***********************");
}

Move ChooseMove(Opponent& opponent, const Board& position, OpponentHooks& hooks, ChoiceTrace* trace,
                ChoiceProgress* progress) {
    opponent.Root = position;
    Board& root = opponent.Root;
    const int state = root.ToPlay;
    FindLegalMoves(root);
    const int n = root.LegalCount;

    ShowConsideredHeader(hooks, state);
    hooks.AddConsideredLine("Quick Scan First...");

    // Sized like the legal-move list; the children are reused by the main search.
    std::vector<Move> moves(root.LegalMoves, root.LegalMoves + n);
    std::vector<Board> children(n, root);
    std::vector<int32_t> quick(n);
    if (progress) progress->Begin(ChoiceProgress::QuickScan, n, n > 0 ? moves[0] : NoMoveChosen);
    for (int i = 0; i < n; ++i) {
        if (progress) progress->Current = i;
        MakeMove(children[i], moves[i].X1, moves[i].Y1, moves[i].X2, moves[i].Y2);
        opponent.CaptureStep = opponent.CaptureStepStart;
        if (Moves(children[i].ToPlay)) {
            quick[i] = -Search(opponent, false, -SearchInfinity, SearchInfinity, children[i],
                               QuickScanDepth, hooks);
            if (FindOpening(opponent.Book, children[i])) quick[i] += QuickBookBonus;
        } else { // the pawn's move left the mover to choose its piece
            quick[i] = Search(opponent, false, -SearchInfinity, SearchInfinity, children[i],
                              QuickScanDepth, hooks);
        }
        // The main search takes the first of the highest quick scores first.
        if (progress && !opponent.Stop && quick[i] > progress->QuickBestScore) {
            progress->QuickBestScore = quick[i];
            progress->QuickBest = moves[i];
        }
    }

    // Read after the quick scan, which may have lowered the depth bar.
    const int depth = hooks.DepthBarPosition() - 1;
    opponent.CaptureStep = opponent.CaptureStepStart;

    if (state == WhiteChooses || state == BlackChooses)
        return ChoosePromotionPiece(opponent, hooks, trace, progress);
    if (!Moves(state)) return NoMoveChosen;

    hooks.SetProgressRange(0, n);
    if (progress) {
        progress->Phase = ChoiceProgress::MainSearch;
        progress->Depth = depth;
        progress->Current = 0;
    }
    std::vector<Move> ordered;
    std::vector<int32_t> scores;
    Ties ties;
    for (int b = 0; b < n; ++b) {
        if (progress) progress->Current = b;
        hooks.SetProgressPosition(b);
        const int i = NextBestQuick(quick);
        ordered.push_back(moves[i]);
        quick[i] = -9999999;
        int32_t s;
        if (Moves(children[i].ToPlay)) {
            s = -Search(opponent, true, -SearchInfinity, SearchInfinity, children[i],
                        static_cast<float>(depth), hooks);
            if (FindOpening(opponent.Book, children[i])) s += MainBookBonus;
        } else {
            s = Search(opponent, true, -SearchInfinity, SearchInfinity, children[i],
                       static_cast<float>(depth), hooks);
        }
        scores.push_back(s);
        ShowConsidered(hooks, root, ordered, scores);
        ties.Add(moves[i], s);
        Whole(opponent, progress, moves[i], s);
        opponent.CaptureStep = NextCaptureStep(opponent.CaptureStep);
    }
    if (trace) {
        trace->Ordered = ordered;
        trace->Scores = scores;
        trace->Ties = ties.moves;
        trace->Best = ties.best;
    }
    // No legal move (a finished game read from a file): nothing to pick from.
    if (ties.moves.empty()) return NoMoveChosen;

    hooks.SeedRandom();
    const Move chosen = ties.moves[static_cast<size_t>(hooks.Random()) % ties.moves.size()];
    if (!IsLegal(root, chosen.X1, chosen.Y1, chosen.X2, chosen.Y2))
        hooks.ShowMessage("I made an illegal move!!");
    return chosen;
}
