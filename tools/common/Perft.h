// Counting the leaf positions of the legal-move tree, the rules engine's first line of defence.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/Boardu.h"
#include "engine/Rulesu.h"

// Counts the positions `depth` plies below `board`, moving through the legal-move list of
// `rules` and MakeMove on copies. A pawn's move onto its last row and its piece choice count as
// one ply, so a promotion gives four leaves and the counts compare with standard tables.
uint64_t Perft(const Board& board, int depth, Rules rules = Rules::Brisko);

// Calls `visit` for every root move with its count (the promotion piece is 0 for other moves)
// and returns the total.
uint64_t PerftDivide(const Board& board, int depth,
                     const std::function<void(const Move&, int piece, uint64_t)>& visit,
                     Rules rules = Rules::Brisko);
