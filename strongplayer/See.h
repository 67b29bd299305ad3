// The static exchange test: whether a move wins at least a given amount of material once
// every capture on its destination square has been played out, cheapest piece first.
#pragma once

#include "strongplayer/Position.h"

namespace strong {

// Tests whether the exchange that `m` starts gains at least `threshold` centipawns for the
// mover. Castling and pending choices count as gaining nothing; pins are not looked at.
bool SeeAtLeast(const Position& p, Move16 m, int threshold);

} // namespace strong
