// The computer's move choice: a quick scan of every legal move, a full search best-first, an
// opening-book bonus, and a random pick among the best.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Boardu.h"
#include "opponent/Opponentu.h"

// Bonus for a root move into a book position, in the quick scan and in the main search.
inline constexpr int32_t QuickBookBonus = 80;
inline constexpr int32_t MainBookBonus = 100;
// The depth of the quick scan.
inline constexpr float QuickScanDepth = 2.0f;

// What one call found, for the bench and the tests: the root moves in the order searched
// with their final scores, and the moves sharing the best score.
struct ChoiceTrace {
    std::vector<Move> Ordered;
    std::vector<int32_t> Scores;
    std::vector<Move> Ties;
    int32_t Best = 0;
};

// How far a move choice has got, kept up to date while it runs, so that a front end can show it
// and, when the choice is cut short, play the best move found so far. A score counts only when
// its search ended before Stop was set.
struct ChoiceProgress {
    enum Stage { QuickScan, MainSearch, PieceChoice };
    Stage Phase = QuickScan;
    int Depth = -1;  // the main search's depth, once it is read
    int Current = 0; // the root move (or piece) being searched, from 0
    int Count = 0;   // how many there are in this stage
    // The quick scan's best so far, as the main search would take it first; the first legal
    // move (or the queen, for a piece choice) until a quick search has ended.
    Move QuickBest{NoMove, NoMove, NoMove, NoMove};
    int32_t QuickBestScore = -999999;
    // The moves wholly searched at the main depth (or pieces scored) that share the best score.
    std::vector<Move> Ties;
    int32_t Best = 0;

    // Starts a stage of `count` searches whose fallback is `first`.
    void Begin(Stage phase, int count, const Move& first) {
        *this = ChoiceProgress();
        Phase = phase;
        Count = count;
        QuickBest = first;
    }
};

// The move to play when a choice was cut short: one of the best wholly searched at the main
// depth, drawn as ChooseMove draws, else the quick scan's best; no move when there was none.
Move BestSoFar(const ChoiceProgress& progress, OpponentHooks& hooks);

// Returns the index of the highest quick score above -999999, the first of equal scores, or 0
// when none is above it. The main search takes its root moves in this order.
int NextBestQuick(const std::vector<int32_t>& quick);

// Writes the head of the considered-moves text for `state` (the root's ToPlay).
void ShowConsideredHeader(OpponentHooks& hooks, int state);

// Chooses the move to play in `position` (ToPlay 1 to 4). Writes Root and CaptureStep. Returns
// a promotion choice (999, piece, file, row) for ToPlay 3 or 4, and no move (X1 = -1) when
// there is nothing to choose from. A move chosen while Stop was set is meaningless; `progress`,
// when given, then holds what can still be played (BestSoFar).
Move ChooseMove(Opponent& opponent, const Board& position, OpponentHooks& hooks,
                ChoiceTrace* trace = nullptr, ChoiceProgress* progress = nullptr);
