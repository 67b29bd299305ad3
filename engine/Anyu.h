// Whether the side to act has any legal move at all.
#pragma once

#include "engine/Boardu.h"

// Tests whether the side to move has a legal move, or a promotion choice is pending.
bool AnyLegalMove(Board& board);
