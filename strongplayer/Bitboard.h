// Sets of squares as 64-bit words and the attack tables of every piece. Squares run a1 = 0,
// b1 = 1 ... h8 = 63 (file + 8 * rank, rank 0 being White's back rank); bit n is square n.
#pragma once

#include <bit>
#include <cstdint>

namespace strong {

using Bitboard = uint64_t;

// Colours index arrays; the other colour of c is c ^ 1.
enum Colour : int { WhiteSide = 0, BlackSide = 1 };

// Piece types index arrays; NoType marks an empty square.
enum PieceType : int { Pawns = 0, Knights, Bishops, Rooks, Queens, Kings, NoType };

// A piece on a square: colour * 6 + type, or NoPiece.
inline constexpr int NoPiece = 12;
constexpr int MakePiece(int colour, int type) {
    return colour * 6 + type;
}
constexpr int TypeOf(int piece) {
    return piece % 6;
}
constexpr int ColourOf(int piece) {
    return piece / 6;
}

constexpr int FileOf(int square) {
    return square & 7;
}
constexpr int RankOf(int square) {
    return square >> 3;
}
constexpr int SquareAt(int file, int rank) {
    return rank * 8 + file;
}
constexpr Bitboard Bit(int square) {
    return Bitboard{1} << square;
}
// Lowest square of a non-empty set.
inline int Lowest(Bitboard b) {
    return std::countr_zero(b);
}
inline int PopLowest(Bitboard& b) {
    const int s = std::countr_zero(b);
    b &= b - 1;
    return s;
}
// Without the processor's own instruction (BRISKO_POPCNT off), a branch-free count in place
// of the library call the compiler would make.
inline int Count(Bitboard b) {
#if defined(__POPCNT__)
    return std::popcount(b);
#else
    b = b - ((b >> 1) & 0x5555555555555555ULL);
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((b * 0x0101010101010101ULL) >> 56);
#endif
}

inline constexpr Bitboard FileA = 0x0101010101010101ULL;
inline constexpr Bitboard Rank1 = 0xFFULL;
constexpr Bitboard FileMask(int file) {
    return FileA << file;
}
constexpr Bitboard RankMask(int rank) {
    return Rank1 << (8 * rank);
}

// Every square a colour's pawns on `pawns` attack.
constexpr Bitboard PawnAttacksOf(Bitboard pawns, int colour) {
    const Bitboard notA = ~FileA, notH = ~FileMask(7);
    return colour == WhiteSide ? ((pawns & notA) << 7) | ((pawns & notH) << 9)
                               : ((pawns & notA) >> 9) | ((pawns & notH) >> 7);
}

// A slider's attacks on one square: the occupied squares of `Mask` hashed by multiplication
// into its own slice of a shared table (magic bitboards).
struct Magic {
    Bitboard Mask;
    Bitboard Factor;
    const Bitboard* Attacks;
    int Shift;
};

// The attack tables, built before main starts (Bitboard.cpp).
struct AttackTables {
    Bitboard Pawn[2][64];
    Bitboard Knight[64];
    Bitboard King[64];
    Bitboard Between[64][64];
    Bitboard Line[64][64];
    Magic Bishop[64];
    Magic Rook[64];
};
extern const AttackTables& Tables;

inline Bitboard PawnAttacks(int colour, int square) {
    return Tables.Pawn[colour][square];
}
inline Bitboard KnightAttacks(int square) {
    return Tables.Knight[square];
}
inline Bitboard KingAttacks(int square) {
    return Tables.King[square];
}
inline Bitboard SliderAttacks(const Magic& m, Bitboard occupied) {
    return m.Attacks[((occupied & m.Mask) * m.Factor) >> m.Shift];
}
inline Bitboard BishopAttacks(int square, Bitboard occupied) {
    return SliderAttacks(Tables.Bishop[square], occupied);
}
inline Bitboard RookAttacks(int square, Bitboard occupied) {
    return SliderAttacks(Tables.Rook[square], occupied);
}
inline Bitboard QueenAttacks(int square, Bitboard occupied) {
    return BishopAttacks(square, occupied) | RookAttacks(square, occupied);
}
// Squares strictly between two squares on a line, else empty.
inline Bitboard Between(int a, int b) {
    return Tables.Between[a][b];
}
// The whole line through two squares on a line (edge to edge), else empty.
inline Bitboard LineThrough(int a, int b) {
    return Tables.Line[a][b];
}

} // namespace strong
