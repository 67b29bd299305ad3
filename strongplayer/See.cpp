#include "strongplayer/See.h"

#include "strongplayer/Evaluate.h"

namespace strong {

bool SeeAtLeast(const Position& p, Move16 m, int threshold) {
    const int kind = KindOf(m);
    if (kind == CastlingMove || p.Pending >= 0) return threshold <= 0;
    const int from = FromOf(m), to = ToOf(m);
    const int victim = kind == EnPassantMove ? Pawns : TypeAt(p, to);
    int gain = SeeValue[victim] - threshold; // what the mover is ahead by if nothing recaptures
    if (kind == PromotionMove) gain += SeeValue[PromotionOf(m)] - SeeValue[Pawns];
    if (gain < 0) return false;
    const int mover = kind == PromotionMove ? PromotionOf(m) : TypeOf(p.Squares[from]);
    gain = SeeValue[mover] - gain; // what the other side is ahead by once it takes the mover
    if (gain <= 0) return true;

    Bitboard occupied = p.Occupied() ^ Bit(from) ^ Bit(to);
    if (kind == EnPassantMove) occupied ^= Bit(to ^ 8);
    Bitboard attackers = AttackersTo(p, to, occupied) & occupied;
    const Bitboard diagonal =
        p.Pieces[0][Bishops] | p.Pieces[1][Bishops] | p.Pieces[0][Queens] | p.Pieces[1][Queens];
    const Bitboard straight =
        p.Pieces[0][Rooks] | p.Pieces[1][Rooks] | p.Pieces[0][Queens] | p.Pieces[1][Queens];
    int side = p.Side;
    bool moverWins = true;
    for (;;) {
        side ^= 1;
        attackers &= occupied;
        const Bitboard own = attackers & p.ByColour[side];
        if (!own) break;
        moverWins = !moverWins;
        int type = Pawns;
        while (!(own & p.Pieces[side][type])) ++type;
        if (type == Kings) // the king may take only when nothing can take it back
            return (attackers & p.ByColour[side ^ 1]) ? !moverWins : moverWins;
        gain = SeeValue[type] - gain;
        if (gain < static_cast<int>(moverWins)) break;
        occupied ^= Bit(Lowest(own & p.Pieces[side][type]));
        // Sliders behind the piece that has just taken join in.
        if (type == Pawns || type == Bishops || type == Queens)
            attackers |= BishopAttacks(to, occupied) & diagonal;
        if (type == Rooks || type == Queens) attackers |= RookAttacks(to, occupied) & straight;
    }
    return moverWins;
}

} // namespace strong
