// The strong player's position: bitboards by colour and piece type, a square-by-square array,
// the rights and counters of ordinary chess, a Zobrist key, and the piece-square sums of the
// evaluation, all kept up to date by Make and put back by Unmake.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "strongplayer/Bitboard.h"

namespace strong {

// A move in 16 bits: from square (bits 0-5), to square (6-11), kind (12-13), promotion piece
// (14-15: 0 knight, 1 bishop, 2 rook, 3 queen). Castling is the king's move (e1g1). A
// promotion whose from and to squares are the same is the choice of a pawn already waiting on
// its last row (see Position::Pending). 0 is no move.
using Move16 = uint16_t;
enum MoveKind : int { PlainMove = 0, PromotionMove = 1, EnPassantMove = 2, CastlingMove = 3 };
inline constexpr Move16 NoMove16 = 0;

constexpr Move16 MakeMove16(int from, int to, int kind = PlainMove, int promotion = Knights) {
    return static_cast<Move16>(from | (to << 6) | (kind << 12) | ((promotion - Knights) << 14));
}
constexpr int FromOf(Move16 m) {
    return m & 63;
}
constexpr int ToOf(Move16 m) {
    return (m >> 6) & 63;
}
constexpr int KindOf(Move16 m) {
    return (m >> 12) & 3;
}
constexpr int PromotionOf(Move16 m) {
    return Knights + (m >> 14);
}

// Castling rights, one bit each.
enum CastleRight : int { WhiteShort = 1, WhiteLong = 2, BlackShort = 4, BlackLong = 8 };

struct Position {
    Bitboard Pieces[2][6];
    Bitboard ByColour[2];
    uint8_t Squares[64]; // a piece (colour * 6 + type) or NoPiece
    int Side;            // WhiteSide or BlackSide to move
    int Castling;        // CastleRight bits
    int EnPassant;       // the square a pawn taking en passant lands on, or -1
    int Rule50;          // plies since the last capture or pawn move
    int GamePly;         // plies since the game's start
    int Pending;         // square of a pawn of Side waiting for its promotion choice, or -1
    uint64_t Key;
    uint64_t PawnKey; // pawns and kings only, for the pawn-structure table
    int Mg, Eg;       // piece-square sums (material included), White minus Black
    int Phase;        // 0 (bare kings and pawns) .. 24 (all pieces), may exceed 24

    Bitboard Occupied() const { return ByColour[0] | ByColour[1]; }
    Bitboard Of(int colour, int type) const { return Pieces[colour][type]; }
    int KingSquare(int colour) const { return Lowest(Pieces[colour][Kings]); }
};

// The type of the piece on a square, NoType when it is empty.
inline int TypeAt(const Position& p, int square) {
    return p.Squares[square] == NoPiece ? NoType : TypeOf(p.Squares[square]);
}

// What Make changes that Unmake cannot recompute.
struct Undo {
    uint64_t Key, PawnKey;
    int Castling, EnPassant, Rule50, Pending;
    int Captured;
    int Mg, Eg, Phase;
};

// Empties the position: no pieces, White to move, no rights.
void Clear(Position& p);

// Puts a piece on an empty square, keeping every derived field.
void PutPiece(Position& p, int piece, int square);

// Recomputes the keys and piece-square sums from the pieces and rights.
void Refresh(Position& p);

// Plays a pseudo-legal move; legality (the mover's king left unattacked) is the caller's test.
void Make(Position& p, Move16 m, Undo& u);
// The key after a plain move (a capture included), without making it: early enough to fetch
// the table's entry while the move is still being weighed. Other kinds may come out wrong.
uint64_t KeyAfter(const Position& p, Move16 m);
void Unmake(Position& p, Move16 m, const Undo& u);

// Passes the turn (null move), for the search's null-move pruning.
void MakeNull(Position& p, Undo& u);
void UnmakeNull(Position& p, const Undo& u);

// Every piece of either colour attacking `square` with the given occupancy.
Bitboard AttackersTo(const Position& p, int square, Bitboard occupied);
// Tests whether `colour` attacks `square`, with the board's occupancy or a given one.
bool Attacked(const Position& p, int square, int colour);
bool Attacked(const Position& p, int square, int colour, Bitboard occupied);
// Tests whether the side to move is in check.
bool InCheck(const Position& p);
// Tests whether the side that has just moved left its own king attacked.
bool LeftKingAttacked(const Position& p);

// Reads FEN (pieces, side, castling, en passant, halfmove clock, move number; the last four
// may be missing). False for text that is not a position with one king a side.
bool FromFen(std::string_view fen, Position& p);
std::string ToFen(const Position& p);

// Long algebraic text of a move ("e2e4", "e7e8q"); a pending choice reads as its square and
// piece ("e8e8q").
std::string MoveText(Move16 m);
std::string SquareText(int square);

// Tests the derived fields against a recount: for the tests after every move.
bool Consistent(const Position& p);

} // namespace strong
