// The twelve piece pictures: loading them from "Images/0.bmp" .. "Images/11.bmp" and finding
// the picture of a piece code.
#pragma once

#include <QImage>
#include <QRgb>
#include <QStringList>
#include <array>

// Light squares, and the colour of the pictures that is not drawn.
inline constexpr QRgb LightSquare = qRgb(255, 247, 198);
inline constexpr QRgb DarkSquare = qRgb(189, 132, 107);

// Index: 0 rook, 1 knight, 2 bishop, 3 queen, 4 king, 5 pawn of White; 6..11 the same of Black.
// A picture that could not be loaded is null.
using PieceImages = std::array<QImage, 12>;

// Returns the picture index of a piece code, or -1 for an empty square or a code that is no
// piece.
int PictureIndex(int piece);

// Loads the pictures from `folder` (ending in "/"), making the light-square colour transparent.
// Returns the names of the files that could not be loaded; their pictures are null.
QStringList LoadPieceImages(PieceImages& images, const QString& folder);

// The message naming the pictures that could not be loaded.
QString MissingPicturesMessage(const QStringList& missing);

// Makes every pixel of the light-square colour transparent.
QImage WithTransparentColour(const QImage& picture);
