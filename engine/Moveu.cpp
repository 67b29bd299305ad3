#include "engine/Moveu.h"

bool SameMove(const Move& move, int x1, int y1, int x2, int y2) {
    return move.X1 == x1 && move.Y1 == y1 && move.X2 == x2 && move.Y2 == y2;
}
