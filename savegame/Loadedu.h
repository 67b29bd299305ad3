// Turning a position read from a file into one the rules can play on.
#pragma once

#include "engine/Boardu.h"

// Makes harmless the values a damaged file could carry: a side to move outside 1..4 becomes
// White to move, a pending promotion choice with no pawn waiting becomes a plain turn of that
// side, an en passant file outside -1..7 becomes -1; castling rights and draw counters are
// settled as SettlePosition does.
void SanitiseLoadedPosition(Board& board);

// Counts Material from the squares and decides CheckStatus and Outcome as a game move does;
// `index` is the position's place in the history, whose last free place ends the game.
void JudgeLoadedPosition(Board& board, int index);
