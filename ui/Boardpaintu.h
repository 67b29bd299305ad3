// Drawing the board picture: 64 squares with their highlights, then the pieces and the marks
// the board options ask for. At 416 pixels the squares are 52 pixels wide and the pieces are
// drawn at their own size; other sizes scale both.
#pragma once

#include <QImage>
#include <cstdint>

#include "engine/Boardu.h"
#include "ui/Picturesu.h"

inline constexpr int BoardPictureSize = 416;
inline constexpr int SquareSize = 52;
inline constexpr QRgb SelectedColour = qRgb(0, 255, 0);
inline constexpr QRgb LastMoveColour = qRgb(255, 0, 0);
inline constexpr QRgb CheckColour = qRgb(255, 140, 0);
inline constexpr QRgb HintColour = qRgb(64, 160, 255);

// What the picture shows besides the pieces. Squares are board squares (file, row); a mask has
// the bit 1 << (8 * file + row) for each of its squares.
struct BoardMarks {
    int SelectedX = -1;
    int SelectedY = -1;
    Move LastMove{NoMove, NoMove, NoMove, NoMove};
    Move Hint{NoMove, NoMove, NoMove, NoMove};
    uint64_t Check = 0;   // kings in check, filled with CheckColour
    uint64_t Targets = 0; // a dot on each, a ring where a piece stands
    bool Flipped = false; // Black's side at the bottom
    bool Coordinates = false;
    // The square whose piece is left out, being dragged; -1 for none.
    int HiddenX = -1;
    int HiddenY = -1;
};

// Draws the whole position into the square `picture`: light and dark squares, the selected
// square green, both squares of the last move red, then the king in check and the hint, every
// piece from `pieces` (which PiecesForBoard has sized) from 2/52 of a square inside its square,
// then the legal targets and the coordinates. Missing pictures are left out.
void DrawBoard(QImage& picture, const Board& board, const BoardMarks& marks,
               const PieceImages& pieces);

// The piece pictures at the size DrawBoard draws them on a board picture of `size` pixels: the
// pictures themselves at 416, smoothly scaled copies otherwise.
PieceImages PiecesForBoard(const PieceImages& pictures, int size);

// Fills one square with `colour` and outlines it in black on its outermost pixels.
void DrawSquare(QPainter& painter, int left, int top, QRgb colour);

// Draws the board picture stretched over `target`, smoothed unless it is within a pixel of its
// own size (a smoothed copy would only blur it).
void DrawStretched(QPainter& painter, const QImage& picture, const QRect& target);
