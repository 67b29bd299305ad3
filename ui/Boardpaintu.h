// Drawing the board picture: 64 squares of 52 pixels with their highlights, then the pieces.
#pragma once

#include <QImage>

#include "engine/Boardu.h"
#include "ui/Picturesu.h"

inline constexpr int BoardPictureSize = 416;
inline constexpr int SquareSize = 52;
inline constexpr QRgb SelectedColour = qRgb(0, 255, 0);
inline constexpr QRgb LastMoveColour = qRgb(255, 0, 0);

// Draws the whole position into `picture` (416 x 416): light and dark squares, the selected
// square green, both squares of the last move red, every piece at its picture's own size from
// 2 pixels inside its square. Missing pictures are left out.
void DrawBoard(QImage& picture, const Board& board, int selectedX, int selectedY,
               const Move& lastMove, const PieceImages& pieces);

// Fills one square with `colour` and outlines it in black on its outermost pixels.
void DrawSquare(QPainter& painter, int left, int top, QRgb colour);

// Draws the board picture stretched over `area` less its bottom line, smoothed unless it is
// within a pixel of its own size (a smoothed copy would only blur it).
void DrawStretched(QPainter& painter, const QImage& picture, const QRect& area);
