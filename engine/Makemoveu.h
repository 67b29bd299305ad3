// Playing a move on a record, and playing a game move that is counted, judged and recorded.
#pragma once

#include "engine/Boardu.h"

struct History;

// Plays a pseudo-legal move (ToPlay 1 or 2) or a promotion choice (ToPlay 3 or 4) and brings
// every dependent field up to date. Returns false, changing nothing, for a call outside that
// contract: a choice that is not one, a move while a choice is pending, squares off the board,
// or a ToPlay outside 1..4. Legality itself is the caller's duty.
bool MakeMove(Board& board, int x1, int y1, int x2, int y2);

// Refreshes the check status and decides the outcome as a game move does: mate, then the draws,
// which override it; a position in the history's last free place ends the game drawn.
void DecideOutcome(Board& board, bool lastHistoryPlace);

// Plays a legal move or promotion choice in the game: counts it, refreshes the check status,
// decides the outcome and appends the position to the history. Returns false, changing
// nothing, when MakeMove refuses the move or the history has no room left.
bool GameMove(Board& board, History& history, int x1, int y1, int x2, int y2);
