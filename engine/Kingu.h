// Locating the kings, searching from their home squares outwards.
#pragma once

#include "engine/Boardu.h"

// Stores the square of White's king in King1X/King1Y; keeps the old values if there is none.
void FindWhiteKing(Board& board);

// Stores the square of Black's king in King2X/King2Y; keeps the old values if there is none.
void FindBlackKing(Board& board);
