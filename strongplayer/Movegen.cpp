#include "strongplayer/Movegen.h"

namespace strong {
namespace {

// A capture's under-promotions are noisy with it; a plain push's are quiet.
void AddPromotions(MoveList& list, int from, int to, Generate kind, bool capture) {
    if (kind != Generate::Quiet) list.Add(MakeMove16(from, to, PromotionMove, Queens));
    if (capture ? kind != Generate::Quiet : kind != Generate::Noisy)
        for (int piece : {Knights, Rooks, Bishops})
            list.Add(MakeMove16(from, to, PromotionMove, piece));
}

void PawnMoves(const Position& p, MoveList& list, Generate kind) {
    const int us = p.Side, them = us ^ 1;
    const Bitboard pawns = p.Pieces[us][Pawns];
    const Bitboard empty = ~p.Occupied();
    const Bitboard enemies = p.ByColour[them];
    const int up = us == WhiteSide ? 8 : -8;
    const Bitboard lastRank = RankMask(us == WhiteSide ? 7 : 0);
    const Bitboard thirdRank = RankMask(us == WhiteSide ? 2 : 5);
    const auto forward = [us](Bitboard b) { return us == WhiteSide ? b << 8 : b >> 8; };

    const Bitboard single = forward(pawns) & empty;
    for (Bitboard b = single & lastRank; b;) {
        const int to = PopLowest(b);
        AddPromotions(list, to - up, to, kind, false);
    }
    if (kind != Generate::Noisy) {
        for (Bitboard b = single & ~lastRank; b;) {
            const int to = PopLowest(b);
            list.Add(MakeMove16(to - up, to));
        }
        for (Bitboard b = forward(single & thirdRank) & empty; b;) {
            const int to = PopLowest(b);
            list.Add(MakeMove16(to - 2 * up, to));
        }
    }
    for (Bitboard b = pawns; b;) {
        const int from = PopLowest(b);
        for (Bitboard t = PawnAttacks(us, from) & enemies; t;) {
            const int to = PopLowest(t);
            if (Bit(to) & lastRank)
                AddPromotions(list, from, to, kind, true);
            else if (kind != Generate::Quiet)
                list.Add(MakeMove16(from, to));
        }
    }
    if (kind != Generate::Quiet && p.EnPassant >= 0)
        for (Bitboard b = PawnAttacks(them, p.EnPassant) & pawns; b;)
            list.Add(MakeMove16(PopLowest(b), p.EnPassant, EnPassantMove));
}

Bitboard PieceTargets(int type, int square, Bitboard occupied) {
    switch (type) {
    case Knights:
        return KnightAttacks(square);
    case Bishops:
        return BishopAttacks(square, occupied);
    case Rooks:
        return RookAttacks(square, occupied);
    case Queens:
        return QueenAttacks(square, occupied);
    default:
        return KingAttacks(square);
    }
}

// Castling of ordinary chess: rights, empty squares between king and rook, and the king's
// square, the square it passes and its destination all unattacked.
void CastlingMoves(const Position& p, MoveList& list) {
    const int us = p.Side, them = us ^ 1;
    const int home = us == WhiteSide ? 4 : 60;
    const int shortRight = us == WhiteSide ? WhiteShort : BlackShort;
    const int longRight = us == WhiteSide ? WhiteLong : BlackLong;
    if (!(p.Castling & (shortRight | longRight)) || Attacked(p, home, them)) return;
    const Bitboard occupied = p.Occupied();
    if ((p.Castling & shortRight) && !(occupied & (Bit(home + 1) | Bit(home + 2))) &&
        !Attacked(p, home + 1, them) && !Attacked(p, home + 2, them))
        list.Add(MakeMove16(home, home + 2, CastlingMove));
    if ((p.Castling & longRight) && !(occupied & (Bit(home - 1) | Bit(home - 2) | Bit(home - 3))) &&
        !Attacked(p, home - 1, them) && !Attacked(p, home - 2, them))
        list.Add(MakeMove16(home, home - 2, CastlingMove));
}

// The pieces of either colour that stand alone between `king` and a slider of `colour`.
Bitboard SoleBlockers(const Position& p, int king, int colour) {
    const Bitboard occupied = p.Occupied();
    Bitboard snipers =
        (RookAttacks(king, 0) & (p.Pieces[colour][Rooks] | p.Pieces[colour][Queens])) |
        (BishopAttacks(king, 0) & (p.Pieces[colour][Bishops] | p.Pieces[colour][Queens]));
    Bitboard blockers = 0;
    while (snipers) {
        const Bitboard between = Between(king, PopLowest(snipers)) & occupied;
        if (between && !(between & (between - 1))) blockers |= between;
    }
    return blockers;
}

} // namespace

void GenerateMoves(const Position& p, MoveList& list, Generate kind) {
    if (p.Pending >= 0) {
        if (kind != Generate::Quiet)
            for (int piece : {Queens, Knights, Rooks, Bishops})
                list.Add(MakeMove16(p.Pending, p.Pending, PromotionMove, piece));
        return;
    }
    const int us = p.Side;
    const Bitboard occupied = p.Occupied();
    Bitboard targets = kind == Generate::Noisy   ? p.ByColour[us ^ 1]
                       : kind == Generate::Quiet ? ~occupied
                                                 : ~p.ByColour[us];
    PawnMoves(p, list, kind);
    const auto add = [&list](int from, Bitboard to) {
        while (to) list.Add(MakeMove16(from, PopLowest(to)));
    };
    const Bitboard* own = p.Pieces[us];
    for (Bitboard b = own[Knights]; b;) {
        const int from = PopLowest(b);
        add(from, KnightAttacks(from) & targets);
    }
    for (Bitboard b = own[Bishops] | own[Queens]; b;) {
        const int from = PopLowest(b);
        add(from, BishopAttacks(from, occupied) & targets);
    }
    for (Bitboard b = own[Rooks] | own[Queens]; b;) {
        const int from = PopLowest(b);
        add(from, RookAttacks(from, occupied) & targets);
    }
    add(p.KingSquare(us), KingAttacks(p.KingSquare(us)) & targets);
    if (kind != Generate::Noisy) CastlingMoves(p, list);
}

bool IsLegal(Position& p, Move16 m) {
    Undo u;
    Make(p, m, u);
    const bool legal = !LeftKingAttacked(p);
    Unmake(p, m, u);
    return legal;
}

Bitboard Pinned(const Position& p) {
    return SoleBlockers(p, p.KingSquare(p.Side), p.Side ^ 1) & p.ByColour[p.Side];
}

bool IsLegalGiven(Position& p, Move16 m, Bitboard pinned, bool inCheck) {
    if (inCheck || p.Pending >= 0 || KindOf(m) == EnPassantMove) return IsLegal(p, m);
    const int from = FromOf(m), king = p.KingSquare(p.Side);
    if (from == king) // castling's squares were tested when it was generated
        return KindOf(m) == CastlingMove ||
               !Attacked(p, ToOf(m), p.Side ^ 1, p.Occupied() ^ Bit(from));
    return !(pinned & Bit(from)) || (LineThrough(from, king) & Bit(ToOf(m))) != 0;
}

void GenerateLegal(Position& p, MoveList& list) {
    MoveList all;
    GenerateMoves(p, all, Generate::All);
    list.Count = 0;
    for (int i = 0; i < all.Count; ++i)
        if (IsLegal(p, all.Moves[i])) list.Add(all.Moves[i]);
}

bool HasLegalMove(Position& p) {
    MoveList all;
    GenerateMoves(p, all, Generate::All);
    for (int i = 0; i < all.Count; ++i)
        if (IsLegal(p, all.Moves[i])) return true;
    return false;
}

bool IsNoisy(const Position& p, Move16 m) {
    const int kind = KindOf(m);
    return p.Squares[ToOf(m)] != NoPiece || kind == EnPassantMove ||
           (kind == PromotionMove && (PromotionOf(m) == Queens || FromOf(m) == ToOf(m)));
}

void FindCheckSquares(const Position& p, CheckSquares& c) {
    const int us = p.Side, them = us ^ 1;
    const Bitboard occupied = p.Occupied();
    c.King = p.KingSquare(them);
    c.ByType[Pawns] = PawnAttacks(them, c.King);
    c.ByType[Knights] = KnightAttacks(c.King);
    c.ByType[Bishops] = BishopAttacks(c.King, occupied);
    c.ByType[Rooks] = RookAttacks(c.King, occupied);
    c.ByType[Queens] = c.ByType[Bishops] | c.ByType[Rooks];
    c.ByType[Kings] = 0;
    c.Uncovering = SoleBlockers(p, c.King, us) & p.ByColour[us];
}

bool MayGiveCheck(const Position& p, const CheckSquares& c, Move16 m) {
    if (KindOf(m) != PlainMove || p.Pending >= 0) return true;
    const int from = FromOf(m), to = ToOf(m);
    if (c.ByType[TypeOf(p.Squares[from])] & Bit(to)) return true;
    return (c.Uncovering & Bit(from)) && !(LineThrough(from, c.King) & Bit(to));
}

bool IsPseudoLegal(const Position& p, Move16 m) {
    if (m == NoMove16) return false;
    const int from = FromOf(m), to = ToOf(m), kind = KindOf(m);
    const int us = p.Side;
    if (kind != PromotionMove && PromotionOf(m) != Knights) return false; // not an encoding
    if (p.Pending >= 0) return kind == PromotionMove && from == p.Pending && to == p.Pending;
    const int piece = p.Squares[from];
    if (piece == NoPiece || ColourOf(piece) != us) return false;
    if (p.ByColour[us] & Bit(to)) return false;
    const int type = TypeOf(piece);
    if (kind == CastlingMove) {
        if (type != Kings) return false;
        MoveList castles;
        CastlingMoves(p, castles);
        for (int i = 0; i < castles.Count; ++i)
            if (castles.Moves[i] == m) return true;
        return false;
    }
    if (type != Pawns) {
        if (kind != PlainMove) return false;
        return (PieceTargets(type, from, p.Occupied()) & Bit(to)) != 0;
    }
    const int up = us == WhiteSide ? 8 : -8;
    const bool toLast = RankOf(to) == (us == WhiteSide ? 7 : 0);
    if (kind == EnPassantMove) return to == p.EnPassant && (PawnAttacks(us, from) & Bit(to));
    if (toLast != (kind == PromotionMove)) return false;
    if (PawnAttacks(us, from) & Bit(to)) return (p.ByColour[us ^ 1] & Bit(to)) != 0;
    if (p.Squares[to] != NoPiece) return false;
    if (to == from + up) return true;
    const int startRank = us == WhiteSide ? 1 : 6;
    return to == from + 2 * up && RankOf(from) == startRank && p.Squares[from + up] == NoPiece;
}

uint64_t Perft(Position& p, int depth) {
    if (depth <= 0) return 1;
    MoveList list;
    GenerateMoves(p, list, Generate::All);
    uint64_t total = 0;
    for (int i = 0; i < list.Count; ++i) {
        Undo u;
        Make(p, list.Moves[i], u);
        if (!LeftKingAttacked(p)) total += depth <= 1 ? 1 : Perft(p, depth - 1);
        Unmake(p, list.Moves[i], u);
    }
    return total;
}

} // namespace strong
