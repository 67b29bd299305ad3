// A move as four squares' coordinates, and its comparison.
#pragma once

#include <cstdint>

// From-square (X1, Y1) and to-square (X2, Y2), files and rows 0..7.
// A promotion choice is (PromotionChoice, piece code, file, row of the waiting pawn);
// a recorded move whose X1 is NoMove stands for "no move yet".
struct Move {
    int32_t X1;
    int32_t Y1;
    int32_t X2;
    int32_t Y2;

    bool operator==(const Move&) const = default;
};

inline constexpr int32_t PromotionChoice = 999;
inline constexpr int32_t NoMove = -1;

// Tests whether a recorded move equals the four given coordinates.
bool SameMove(const Move& move, int x1, int y1, int x2, int y2);
