// The legal-move list, built by trying every from/to pair.
#pragma once

#include "engine/Boardu.h"

// Fills LegalMoves/LegalCount for the current position unless they are already current.
// Ordered by from-file, from-row, to-file, to-row; at most MaxLegalMoves entries.
void FindLegalMoves(Board& board);

// Returns the file of the pawn waiting on its last row for the pending promotion choice (the
// first from file 0), or -1 when no choice is pending or no pawn waits.
int WaitingPawnFile(const Board& board);
