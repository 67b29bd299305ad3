// The position record: squares, turn, castling and en passant rights, the draw counters and
// two caches (check status, legal moves) guarded by change counters. It is copied whole for
// every move that is tried, so it stays flat: no pointers, no owned memory.
#pragma once

#include <cstdint>
#include <type_traits>

#include "engine/Moveu.h"

// Piece codes: 0 empty, 1 pawn, 2 rook, 3 knight, 4 bishop, 5 king, 6 queen;
// positive White, negative Black.
enum PieceCode : int32_t {
    Empty = 0,
    Pawn = 1,
    Rook = 2,
    Knight = 3,
    Bishop = 4,
    King = 5,
    Queen = 6,
};

// Side numbers; the other side of s is 3 - s.
inline constexpr int32_t White = 1;
inline constexpr int32_t Black = 2;

// ToPlay: 1 White to move, 2 Black to move, 3 White must choose a promotion piece,
// 4 Black must choose one.
inline constexpr int32_t WhiteChooses = 3;
inline constexpr int32_t BlackChooses = 4;

// Outcome: 0 in progress, 1 White won, 2 Black won, 3 drawn.
inline constexpr int32_t InProgress = 0;
inline constexpr int32_t WhiteWon = 1;
inline constexpr int32_t BlackWon = 2;
inline constexpr int32_t Drawn = 3;

// CheckStatus: 0 nobody in check, 1 White, 2 Black, 3 both.
inline constexpr int32_t BothInCheck = 3;

inline constexpr int MaxLegalMoves = 256;

// Squares are [x][y]: file x 0..7 is a..h, row y 0 is Black's back rank, row 7 White's.
struct Board {
    int32_t PlyCount;
    int32_t Squares[8][8];
    Move LegalMoves[MaxLegalMoves];
    int32_t LegalCount;
    int32_t ToPlay;
    int32_t Outcome;
    int32_t CheckStatus;
    int32_t Material; // White minus Black, pawn = 100
    bool QueenCastle1;
    bool KingCastle1;
    bool QueenCastle2;
    bool KingCastle2;
    int32_t Castled1; // PlyCount when White castled, 0 if not yet
    int32_t Castled2;
    int32_t King1X, King1Y;
    int32_t King2X, King2Y;
    int32_t ep1;     // file of White's pawn that just advanced two squares, else -1
    int32_t ep2;     // the same for Black
    int32_t Bored50; // move pairs without a pawn move or capture
    bool Quiet1;
    bool Quiet2;
    Move Recent1;
    Move PenRecent1;
    int32_t Repetition1;
    bool PleaseAdd1;
    Move Recent2;
    Move PenRecent2;
    int32_t Repetition2;
    bool PleaseAdd2;
    bool RepStale;
    int32_t CheckVersion;
    int32_t CheckVersionSeen;
    int32_t ListVersion;
    int32_t ListVersionSeen;

    // Field by field: the padding between the fields holds no position.
    bool operator==(const Board&) const = default;
};

static_assert(std::is_trivially_copyable_v<Board>, "Board is copied as plain memory");
static_assert(std::is_standard_layout_v<Board>, "Board is a flat record");

// Copies a record without the entries of its legal-move list that hold no move: the same
// record to every reader, at a tenth of the bytes, for the copies made as moves are tried.
void CopyPosition(Board& to, const Board& from);

// Empties the board: White to move, all castling rights, no en passant, counters zero,
// both caches stale. LegalMoves, the king squares and Recent*/PenRecent* (apart from X1)
// are left as they were.
void ClearBoard(Board& board);

// Clears the board and sets up the initial position.
void SetUpBoard(Board& board);

// Reads a square; squares off the board read as empty.
int GetSquare(const Board& board, int x, int y);

// Value of a piece code in hundredths of a pawn, for either colour (king 0).
int PieceValue(int code);

// Counts the material balance, White minus Black, from the squares alone.
int CountMaterial(const Board& board);

// Tests whether (x, y) lies on the board.
constexpr bool OnBoard(int x, int y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8;
}
