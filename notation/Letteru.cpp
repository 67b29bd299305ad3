#include "notation/Letteru.h"

#include "engine/Boardu.h"

namespace {

int TypeOf(int piece) {
    return piece < 0 ? -piece : piece;
}

} // namespace

std::string SquareName(int x, int y) {
    if (x < 0 || x > 7 || y < 0 || y > 7) return "??";
    return {static_cast<char>('a' + x), static_cast<char>('0' + 8 - y)};
}

int PieceOfLetter(char letter) {
    for (int type = Pawn; type <= Queen; ++type)
        if (letter == (type == Pawn ? 'P' : PieceLetter(type)[0])) return type;
    return 0;
}

std::string PieceLetter(int piece) {
    switch (TypeOf(piece)) {
    case 2:
        return "R";
    case 3:
        return "N";
    case 4:
        return "B";
    case 5:
        return "K";
    case 6:
        return "Q";
    default:
        return "";
    }
}

std::string PieceName(int piece) {
    switch (TypeOf(piece)) {
    case 1:
        return "Pawn";
    case 2:
        return "Rook";
    case 3:
        return "Knight";
    case 4:
        return "Bishop";
    case 5:
        return "King";
    case 6:
        return "Queen";
    default:
        return "Empty";
    }
}

std::string MoveToText(int piece, bool capture, int x1, int y1, int x2, int y2) {
    return PieceLetter(piece) + SquareName(x1, y1) + (capture ? "x" : "-") + SquareName(x2, y2);
}
