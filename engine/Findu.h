// The legal-move list, built by trying every from/to pair.
#pragma once

#include "Boardu.h"

// Fills LegalMoves/LegalCount for the current position unless they are already current.
// Ordered by from-file, from-row, to-file, to-row; at most MaxLegalMoves entries.
void FindLegalMoves(Board& board);
