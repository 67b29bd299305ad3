// Move notation for the list windows: piece letter, from-square, "-" or "x", to-square.
// Plain C++, so the computer opponent can write its considered moves without a window.
#pragma once

#include <string>

// Writes a move such as "e2-e4", "Ng1-f3" or "Bb5xc6"; squares off the board read "??".
std::string MoveToText(int piece, bool capture, int x1, int y1, int x2, int y2);

// Names a piece by its type: "Pawn" .. "Queen", "Empty" for anything else.
std::string PieceName(int piece);

// Letter of a piece by its type: "" for a pawn or anything that is not a piece.
std::string PieceLetter(int piece);

// The piece type of an upper-case letter, "P" included: 0 for any other character.
int PieceOfLetter(char letter);

// A square as "e4"; squares off the board read "??".
std::string SquareName(int x, int y);
