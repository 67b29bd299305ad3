#include "strongplayer/Evaluate.h"

#include <algorithm>
#include <cstdlib>

#include "strongplayer/Psqt.h"

namespace strong {
namespace {

// A middlegame and an endgame value in one int (the endgame's in the upper half), so that one
// addition moves both.
constexpr int S(int mg, int eg) {
    return static_cast<int>(static_cast<unsigned>(eg) << 16) + mg;
}
int MgOf(int s) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned>(s)));
}
int EgOf(int s) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned>(s + 0x8000) >> 16));
}

// Pawn structure, by the pawn's rank counted from its own side.
constexpr int Passed[8] = {S(0, 0),   S(2, 8),   S(6, 14),   S(12, 26),
                           S(28, 48), S(50, 82), S(80, 125), S(0, 0)};
constexpr int Doubled = S(-10, -22);
constexpr int Isolated = S(-9, -13);
// The passed pawn's own king near its path and the enemy's far, in the endgame, per square
// and rank; a free square in front.
constexpr int PassedKingDistance = S(0, 5);
constexpr int PassedFreePath = S(0, 6);

// Mobility: per reachable square (not own, not attacked by enemy pawns) beyond a piece's
// typical count.
constexpr int MobilityBase[6] = {0, 4, 6, 7, 13, 0};
constexpr int Mobility[6] = {S(0, 0), S(4, 4), S(4, 5), S(2, 4), S(1, 2), S(0, 0)};

constexpr int BishopPair = S(28, 50);
constexpr int RookOpen = S(26, 8);
constexpr int RookHalfOpen = S(12, 6);
constexpr int Tempo = 12;

// King safety: attack units per piece reaching the king's zone, turned into a middlegame
// penalty that grows with the square of the units; a shield of pawns in front of the king.
constexpr int AttackUnits[6] = {0, 2, 2, 3, 5, 0};
constexpr int KingAttackLimit = 500;
constexpr int ShieldNear = S(14, 0), ShieldFar = S(7, 0), ShieldMissing = S(-12, 0);

// Threats: pieces attacked by lesser pieces, and pieces attacked and not defended.
constexpr int ThreatByPawn = S(55, 35);
constexpr int ThreatByMinor = S(35, 25); // on rooks and queens
constexpr int ThreatByRook = S(35, 25);  // on queens
constexpr int Hanging = S(25, 15);

// The squares each side attacks, by kind of attacker, gathered on the way through the pieces.
struct AttackMap {
    Bitboard All[2] = {0, 0};
    Bitboard Minor[2] = {0, 0};
    Bitboard Rook[2] = {0, 0};
};

// Squares in front of each square on its file and the two beside it, by colour; and the
// files beside each file.
struct Spans {
    Bitboard Front[2][64];
    Bitboard Adjacent[8];
    constexpr Spans() : Front{}, Adjacent{} {
        for (int file = 0; file < 8; ++file)
            Adjacent[file] =
                (file > 0 ? FileMask(file - 1) : 0) | (file < 7 ? FileMask(file + 1) : 0);
        for (int s = 0; s < 64; ++s) {
            Bitboard up = 0, down = 0;
            for (int r = RankOf(s) + 1; r < 8; ++r) up |= RankMask(r);
            for (int r = RankOf(s) - 1; r >= 0; --r) down |= RankMask(r);
            const Bitboard files = FileMask(FileOf(s)) | Adjacent[FileOf(s)];
            Front[WhiteSide][s] = up & files;
            Front[BlackSide][s] = down & files;
        }
    }
};
constexpr Spans Span;

int RelativeRank(int colour, int square) {
    return colour == WhiteSide ? RankOf(square) : 7 - RankOf(square);
}

// Pawns in front of a king still on its first two ranks.
int KingShield(const Position& p, int c) {
    const int king = p.KingSquare(c);
    if (RelativeRank(c, king) > 1) return 0;
    const int file = std::clamp(FileOf(king), 1, 6);
    const int up = c == WhiteSide ? 8 : -8;
    const Bitboard own = p.Pieces[c][Pawns];
    int shield = 0;
    for (int f = file - 1; f <= file + 1; ++f) {
        const int near = SquareAt(f, RankOf(king)) + up;
        const int far = near + up;
        if (own & Bit(near))
            shield += ShieldNear;
        else if (far >= 0 && far < 64 && (own & Bit(far)))
            shield += ShieldFar;
        else
            shield += ShieldMissing;
    }
    return shield;
}

// Pawn structure and the kings' pawn shields: they depend on pawns and kings alone.
const PawnCache::Entry& PawnStructure(const Position& p, PawnCache& cache) {
    PawnCache::Entry& e = cache.Slot(p.PawnKey);
    if (e.Key == p.PawnKey && e.Key != 0) return e;
    int score = 0;
    e.Passed[0] = e.Passed[1] = 0;
    for (int c = 0; c < 2; ++c) {
        const int sign = c == WhiteSide ? 1 : -1;
        const Bitboard own = p.Pieces[c][Pawns], enemy = p.Pieces[c ^ 1][Pawns];
        int side = KingShield(p, c);
        for (Bitboard b = own; b;) {
            const int sq = PopLowest(b);
            const Bitboard front = Span.Front[c][sq];
            if (!(enemy & front)) {
                e.Passed[c] |= Bit(sq);
                side += Passed[RelativeRank(c, sq)];
            }
            if (!(own & Span.Adjacent[FileOf(sq)])) side += Isolated;
            // A pawn with another of its side ahead on its file is the doubled one.
            if (own & front & FileMask(FileOf(sq))) side += Doubled;
        }
        score += sign * side;
    }
    e.Key = p.PawnKey;
    e.Score = score;
    return e;
}

int Distance(int a, int b) {
    return std::max(std::abs(FileOf(a) - FileOf(b)), std::abs(RankOf(a) - RankOf(b)));
}

// Terms of passed pawns that depend on the pieces: kings near the path, a free path.
int PassedPawnExtras(const Position& p, Bitboard passed, int c) {
    const int ownKing = p.KingSquare(c), enemyKing = p.KingSquare(c ^ 1);
    int s = 0;
    for (Bitboard b = passed; b;) {
        const int sq = PopLowest(b);
        const int rank = RelativeRank(c, sq);
        if (rank < 3) continue;
        const int front = c == WhiteSide ? sq + 8 : sq - 8;
        const int weight = rank - 2;
        s += weight * PassedKingDistance *
             (std::min(Distance(enemyKing, front), 5) - std::min(Distance(ownKing, front), 5));
        if (p.Squares[front] == NoPiece) s += weight * PassedFreePath;
    }
    return s;
}

// One kind of piece of one side: mobility, reach into the enemy king's zone, rooks on files.
template <int Type>
int PieceTerms(const Position& p, int c, Bitboard safe, Bitboard kingZone, AttackMap& map,
               int& units, int& attackers) {
    const int them = c ^ 1;
    const Bitboard occupied = p.Occupied();
    int s = 0;
    for (Bitboard b = p.Pieces[c][Type]; b;) {
        const int sq = PopLowest(b);
        Bitboard reach;
        if constexpr (Type == Knights)
            reach = KnightAttacks(sq);
        else if constexpr (Type == Bishops)
            reach = BishopAttacks(sq, occupied ^ p.Pieces[c][Queens]);
        else if constexpr (Type == Rooks)
            reach = RookAttacks(sq, occupied ^ p.Pieces[c][Queens] ^ p.Pieces[c][Rooks]);
        else
            reach = QueenAttacks(sq, occupied);
        map.All[c] |= reach;
        if constexpr (Type == Knights || Type == Bishops) map.Minor[c] |= reach;
        if constexpr (Type == Rooks) map.Rook[c] |= reach;
        s += (Count(reach & safe) - MobilityBase[Type]) * Mobility[Type];
        if (reach & kingZone) {
            ++attackers;
            units += AttackUnits[Type] * (1 + Count(reach & kingZone) / 3);
        }
        if constexpr (Type == Rooks) {
            const Bitboard file = FileMask(FileOf(sq));
            if (!(file & p.Pieces[c][Pawns]))
                s += file & p.Pieces[them][Pawns] ? RookHalfOpen : RookOpen;
        }
    }
    return s;
}

int Pieces(const Position& p, int c, AttackMap& map) {
    const int them = c ^ 1;
    const Bitboard safe = ~(p.ByColour[c] | PawnAttacksOf(p.Pieces[them][Pawns], them));
    const int enemyKing = p.KingSquare(them);
    const Bitboard kingZone = KingAttacks(enemyKing) | Bit(enemyKing);
    int units = 0, attackers = 0;
    int s = PieceTerms<Knights>(p, c, safe, kingZone, map, units, attackers) +
            PieceTerms<Bishops>(p, c, safe, kingZone, map, units, attackers) +
            PieceTerms<Rooks>(p, c, safe, kingZone, map, units, attackers) +
            PieceTerms<Queens>(p, c, safe, kingZone, map, units, attackers);
    if (Count(p.Pieces[c][Bishops]) >= 2) s += BishopPair;
    if (attackers >= 2 && p.Pieces[c][Queens]) s += std::min(units * units, KingAttackLimit);
    return s;
}

int Threats(const Position& p, int c, const AttackMap& map) {
    const int them = c ^ 1;
    const Bitboard* enemy = p.Pieces[them];
    const Bitboard pieces = enemy[Knights] | enemy[Bishops] | enemy[Rooks] | enemy[Queens];
    int s = Count(PawnAttacksOf(p.Pieces[c][Pawns], c) & pieces) * ThreatByPawn;
    s += Count(map.Minor[c] & (enemy[Rooks] | enemy[Queens])) * ThreatByMinor;
    s += Count(map.Rook[c] & enemy[Queens]) * ThreatByRook;
    const Bitboard defended =
        map.All[them] | PawnAttacksOf(enemy[Pawns], them) | KingAttacks(p.KingSquare(them));
    const Bitboard ours = map.All[c] | KingAttacks(p.KingSquare(c));
    return s + Count(ours & pieces & ~defended) * Hanging;
}

// Non-pawn material in simple units (minor 3, rook 5, queen 9).
int PieceUnits(const Position& p, int c) {
    return 3 * Count(p.Pieces[c][Knights] | p.Pieces[c][Bishops]) + 5 * Count(p.Pieces[c][Rooks]) +
           9 * Count(p.Pieces[c][Queens]);
}

// Out of 16: how much of an endgame advantage can be won.
int WinnableScale(const Position& p, int strong) {
    if (p.Pieces[strong][Pawns]) {
        // Bishops of opposite colours with nothing else but pawns draw often.
        const Bitboard light = 0x55AA55AA55AA55AAULL;
        const Bitboard wb = p.Pieces[0][Bishops], bb = p.Pieces[1][Bishops];
        if (PieceUnits(p, 0) == 3 && PieceUnits(p, 1) == 3 && Count(wb) == 1 && Count(bb) == 1 &&
            ((wb & light) != 0) != ((bb & light) != 0))
            return 8;
        return 16;
    }
    const int diff = PieceUnits(p, strong) - PieceUnits(p, strong ^ 1);
    if (PieceUnits(p, strong) <= 3) return 0; // a lone minor cannot mate
    if (diff <= 3) return 3;                  // a minor or less up, no pawns: hard to win
    return 16;
}

} // namespace

int Evaluate(const Position& p, PawnCache& cache) {
    const PawnCache::Entry& pawns = PawnStructure(p, cache);
    AttackMap map;
    const int white =
        PassedPawnExtras(p, pawns.Passed[WhiteSide], WhiteSide) + Pieces(p, WhiteSide, map);
    const int black =
        PassedPawnExtras(p, pawns.Passed[BlackSide], BlackSide) + Pieces(p, BlackSide, map);
    const int s =
        pawns.Score + white - black + Threats(p, WhiteSide, map) - Threats(p, BlackSide, map);
    const int mg = p.Mg + MgOf(s), egRaw = p.Eg + EgOf(s);
    const int phase = std::min(p.Phase, FullPhase);
    const int eg = egRaw * WinnableScale(p, egRaw > 0 ? WhiteSide : BlackSide) / 16;
    const int score = (mg * phase + eg * (FullPhase - phase)) / FullPhase;
    return (p.Side == WhiteSide ? score : -score) + Tempo;
}

} // namespace strong
