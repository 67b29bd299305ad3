#include "strongplayer/Evaluate.h"

#include <algorithm>
#include <cstdlib>

#include "strongplayer/Psqt.h"

namespace strong {
namespace {

// A pair of middlegame and endgame values.
struct Score {
    int Mg = 0, Eg = 0;
    void Add(int mg, int eg, int sign) {
        Mg += sign * mg;
        Eg += sign * eg;
    }
};

// Pawn structure, by the pawn's rank counted from its own side.
constexpr int PassedMg[8] = {0, 2, 6, 12, 28, 50, 80, 0};
constexpr int PassedEg[8] = {0, 8, 14, 26, 48, 82, 125, 0};
constexpr int DoubledMg = 10, DoubledEg = 22;
constexpr int IsolatedMg = 9, IsolatedEg = 13;
// The passed pawn's own king near its path and the enemy's far, in the endgame, per square.
constexpr int PassedKingDistanceEg = 5;
constexpr int PassedFreePathEg = 12;

// Mobility: per reachable square beyond a piece's typical count (safe from enemy pawns).
constexpr int MobilityBase[6] = {0, 4, 6, 7, 13, 0};
constexpr int MobilityMg[6] = {0, 4, 4, 2, 1, 0};
constexpr int MobilityEg[6] = {0, 4, 5, 4, 2, 0};

constexpr int BishopPairMg = 28, BishopPairEg = 50;
constexpr int RookOpenMg = 26, RookOpenEg = 8;
constexpr int RookHalfOpenMg = 12, RookHalfOpenEg = 6;
constexpr int Tempo = 12;

// King safety: attack units per piece reaching the king's zone, turned into a middlegame
// penalty that grows with the square of the units; a shield of pawns in front of the king.
constexpr int AttackUnits[6] = {0, 2, 2, 3, 5, 0};

// Threats: pieces attacked by lesser pieces, and pieces attacked and not defended.
constexpr int ThreatByPawnMg = 55, ThreatByPawnEg = 35;
constexpr int ThreatByMinorMg = 35, ThreatByMinorEg = 25; // on rooks and queens
constexpr int ThreatByRookMg = 35, ThreatByRookEg = 25;   // on queens
constexpr int HangingMg = 25, HangingEg = 15;

// The squares each side attacks, by kind of attacker, gathered on the way through the pieces.
struct AttackMap {
    Bitboard All[2] = {0, 0};
    Bitboard Minor[2] = {0, 0};
    Bitboard Rook[2] = {0, 0};
};
constexpr int ShieldNear = 14, ShieldFar = 7, ShieldMissing = 12;

int RelativeRank(int colour, int square) {
    return colour == WhiteSide ? RankOf(square) : 7 - RankOf(square);
}

Bitboard AdjacentFiles(int file) {
    return (file > 0 ? FileMask(file - 1) : 0) | (file < 7 ? FileMask(file + 1) : 0);
}

// Squares in front of a square on its file and the two beside it, from `colour`'s side.
Bitboard FrontSpan(int colour, int square) {
    const int rank = RankOf(square);
    Bitboard ahead = 0;
    if (colour == WhiteSide) {
        for (int r = rank + 1; r < 8; ++r) ahead |= RankMask(r);
    } else {
        for (int r = rank - 1; r >= 0; --r) ahead |= RankMask(r);
    }
    return ahead & (FileMask(FileOf(square)) | AdjacentFiles(FileOf(square)));
}

PawnCache::Entry& PawnStructure(const Position& p, PawnCache& cache) {
    PawnCache::Entry& e = cache.Slot(p.PawnKey);
    if (e.Valid && e.Key == p.PawnKey) return e;
    Score s;
    e.Passed[0] = e.Passed[1] = 0;
    for (int c = 0; c < 2; ++c) {
        const int sign = c == WhiteSide ? 1 : -1;
        const Bitboard own = p.Pieces[c][Pawns], enemy = p.Pieces[c ^ 1][Pawns];
        for (Bitboard b = own; b;) {
            const int sq = PopLowest(b);
            const int file = FileOf(sq);
            if (!(enemy & FrontSpan(c, sq))) {
                e.Passed[c] |= Bit(sq);
                s.Add(PassedMg[RelativeRank(c, sq)], PassedEg[RelativeRank(c, sq)], sign);
            }
            if (!(own & AdjacentFiles(file))) s.Add(-IsolatedMg, -IsolatedEg, sign);
            // A pawn with another of its side ahead on its file is the doubled one.
            if (own & FrontSpan(c, sq) & FileMask(file)) s.Add(-DoubledMg, -DoubledEg, sign);
        }
    }
    e.Key = p.PawnKey;
    e.Mg = s.Mg;
    e.Eg = s.Eg;
    e.Valid = true;
    return e;
}

int Distance(int a, int b) {
    return std::max(std::abs(FileOf(a) - FileOf(b)), std::abs(RankOf(a) - RankOf(b)));
}

// Endgame terms of passed pawns that depend on the pieces: kings near the path, a free path.
void PassedPawnExtras(const Position& p, Bitboard passed, int c, Score& s) {
    const int sign = c == WhiteSide ? 1 : -1;
    const int ownKing = p.KingSquare(c), enemyKing = p.KingSquare(c ^ 1);
    for (Bitboard b = passed; b;) {
        const int sq = PopLowest(b);
        const int rank = RelativeRank(c, sq);
        if (rank < 3) continue;
        const int front = c == WhiteSide ? sq + 8 : sq - 8;
        const int weight = rank - 2;
        s.Add(0,
              weight * PassedKingDistanceEg *
                  (std::min(Distance(enemyKing, front), 5) - std::min(Distance(ownKing, front), 5)),
              sign);
        if (p.Squares[front] == NoPiece) s.Add(0, weight * PassedFreePathEg / 2, sign);
    }
}

void Pieces(const Position& p, int c, Score& s, AttackMap& map) {
    const int sign = c == WhiteSide ? 1 : -1;
    const int them = c ^ 1;
    const Bitboard occupied = p.Occupied();
    const Bitboard enemyPawnAttacks = PawnAttacksOf(p.Pieces[them][Pawns], them);
    const Bitboard safe = ~(p.ByColour[c] | enemyPawnAttacks);
    const int enemyKing = p.KingSquare(them);
    const Bitboard kingZone = KingAttacks(enemyKing) | Bit(enemyKing);
    int units = 0, attackers = 0;
    for (int type = Knights; type <= Queens; ++type)
        for (Bitboard b = p.Pieces[c][type]; b;) {
            const int sq = PopLowest(b);
            Bitboard reach;
            switch (type) {
            case Knights:
                reach = KnightAttacks(sq);
                break;
            case Bishops:
                reach = BishopAttacks(sq, occupied ^ p.Pieces[c][Queens]);
                break;
            case Rooks:
                reach = RookAttacks(sq, occupied ^ p.Pieces[c][Queens] ^ p.Pieces[c][Rooks]);
                break;
            default:
                reach = QueenAttacks(sq, occupied);
                break;
            }
            map.All[c] |= reach;
            if (type == Knights || type == Bishops) map.Minor[c] |= reach;
            if (type == Rooks) map.Rook[c] |= reach;
            const int moves = Count(reach & safe) - MobilityBase[type];
            s.Add(moves * MobilityMg[type], moves * MobilityEg[type], sign);
            if (reach & kingZone) {
                ++attackers;
                units += AttackUnits[type] * (1 + Count(reach & kingZone) / 3);
            }
            if (type == Rooks) {
                const Bitboard file = FileMask(FileOf(sq));
                if (!(file & p.Pieces[c][Pawns]))
                    s.Add(file & p.Pieces[them][Pawns] ? RookHalfOpenMg : RookOpenMg,
                          file & p.Pieces[them][Pawns] ? RookHalfOpenEg : RookOpenEg, sign);
            }
        }
    if (Count(p.Pieces[c][Bishops]) >= 2) s.Add(BishopPairMg, BishopPairEg, sign);
    if (attackers >= 2 && p.Pieces[c][Queens]) s.Add(std::min(units * units, 500), 0, sign);
}

void Threats(const Position& p, int c, const AttackMap& map, Score& s) {
    const int sign = c == WhiteSide ? 1 : -1;
    const int them = c ^ 1;
    const Bitboard* enemy = p.Pieces[them];
    const Bitboard pieces = enemy[Knights] | enemy[Bishops] | enemy[Rooks] | enemy[Queens];
    const int byPawn = Count(PawnAttacksOf(p.Pieces[c][Pawns], c) & pieces);
    s.Add(byPawn * ThreatByPawnMg, byPawn * ThreatByPawnEg, sign);
    const int byMinor = Count(map.Minor[c] & (enemy[Rooks] | enemy[Queens]));
    s.Add(byMinor * ThreatByMinorMg, byMinor * ThreatByMinorEg, sign);
    const int byRook = Count(map.Rook[c] & enemy[Queens]);
    s.Add(byRook * ThreatByRookMg, byRook * ThreatByRookEg, sign);
    const Bitboard defended =
        map.All[them] | PawnAttacksOf(enemy[Pawns], them) | KingAttacks(p.KingSquare(them));
    const Bitboard ours = map.All[c] | KingAttacks(p.KingSquare(c));
    const int hanging = Count(ours & pieces & ~defended);
    s.Add(hanging * HangingMg, hanging * HangingEg, sign);
}

// Pawns in front of a king still on its first two ranks.
void KingShield(const Position& p, int c, Score& s) {
    const int sign = c == WhiteSide ? 1 : -1;
    const int king = p.KingSquare(c);
    if (RelativeRank(c, king) > 1) return;
    const int file = std::clamp(FileOf(king), 1, 6);
    const int up = c == WhiteSide ? 8 : -8;
    int shield = 0;
    for (int f = file - 1; f <= file + 1; ++f) {
        const int near = SquareAt(f, RankOf(king)) + up;
        const int far = near + up;
        const Bitboard own = p.Pieces[c][Pawns];
        if (own & Bit(near))
            shield += ShieldNear;
        else if (far >= 0 && far < 64 && (own & Bit(far)))
            shield += ShieldFar;
        else
            shield -= ShieldMissing;
    }
    s.Add(shield, 0, sign);
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
    Score s{p.Mg, p.Eg};
    const PawnCache::Entry& pawns = PawnStructure(p, cache);
    s.Mg += pawns.Mg;
    s.Eg += pawns.Eg;
    AttackMap map;
    for (int c = 0; c < 2; ++c) {
        PassedPawnExtras(p, pawns.Passed[c], c, s);
        Pieces(p, c, s, map);
        KingShield(p, c, s);
    }
    Threats(p, WhiteSide, map, s);
    Threats(p, BlackSide, map, s);
    const int phase = std::min(p.Phase, FullPhase);
    const int eg = s.Eg * WinnableScale(p, s.Eg > 0 ? WhiteSide : BlackSide) / 16;
    const int score = (s.Mg * phase + eg * (FullPhase - phase)) / FullPhase;
    return (p.Side == WhiteSide ? score : -score) + Tempo;
}

} // namespace strong
