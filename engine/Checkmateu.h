// The checkmate test.
#pragma once

#include "engine/Boardu.h"

// Tests whether the side to move has no legal move and is in check.
bool IsMate(Board& board);
