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

// The production evaluation counts nothing.
struct NoTrace {
    void Add(int, int, int) {}
    void KingAttack(int, int) {}
    void Finish(int, int) {}
};

// The weights below were fitted to the results of 14,000 quick games of the strong player
// against itself (tools/evaltune), as were the material values of Psqt.h.

// Pawn structure, by the pawn's rank counted from its own side.
constexpr int Passed[8] = {S(0, 0),   S(-26, 43), S(-19, 40), S(-30, 51),
                           S(-6, 72), S(-13, 87), S(61, 31),  S(0, 0)};
constexpr int Doubled = S(-11, 1);
constexpr int Isolated = S(-9, -20);
// The passed pawn's own king near its path and the enemy's far, in the endgame, per square
// and rank; a free square in front.
constexpr int PassedKingDistance = S(-5, 13);
constexpr int PassedFreePath = S(10, 9);

// Mobility: per reachable square (not own, not attacked by enemy pawns) beyond a piece's
// typical count.
constexpr int MobilityBase[6] = {0, 4, 6, 7, 13, 0};
constexpr int Mobility[6] = {S(0, 0), S(2, 5), S(5, 5), S(3, 4), S(2, 2), S(0, 0)};

constexpr int BishopPair = S(25, 68);
constexpr int RookOpen = S(45, -8);
constexpr int RookHalfOpen = S(9, 19);
constexpr int Tempo = 12;

// King safety: attack units per piece reaching the king's zone, turned into a middlegame
// penalty that grows with the square of the units; a shield of pawns in front of the king.
constexpr int AttackUnits[6] = {0, 2, 2, 3, 5, 0};
constexpr int KingAttackLimit = 500;
constexpr int ShieldNear = S(17, -1), ShieldFar = S(15, -9), ShieldMissing = S(-4, 6);

// Threats: pieces attacked by lesser pieces, and pieces attacked and not defended.
constexpr int ThreatByPawn = S(35, 43);
constexpr int ThreatByMinor = S(40, 27); // on rooks and queens
constexpr int ThreatByRook = S(43, 32);  // on queens
constexpr int Hanging = S(25, 16);

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
template <class T> int KingShield(const Position& p, int c, T& trace) {
    const int king = p.KingSquare(c);
    if (RelativeRank(c, king) > 1) return 0;
    const int file = std::clamp(FileOf(king), 1, 6);
    const int up = c == WhiteSide ? 8 : -8;
    const Bitboard own = p.Pieces[c][Pawns];
    int shield = 0;
    for (int f = file - 1; f <= file + 1; ++f) {
        const int near = SquareAt(f, RankOf(king)) + up;
        const int far = near + up;
        if (own & Bit(near)) {
            shield += ShieldNear;
            trace.Add(EvalTerms::ShieldNear, c, 1);
        } else if (far >= 0 && far < 64 && (own & Bit(far))) {
            shield += ShieldFar;
            trace.Add(EvalTerms::ShieldFar, c, 1);
        } else {
            shield += ShieldMissing;
            trace.Add(EvalTerms::ShieldMissing, c, 1);
        }
    }
    return shield;
}

// Pawn structure and the kings' pawn shields: they depend on pawns and kings alone. Traced,
// the entry is worked out afresh.
template <class T> void ComputePawns(const Position& p, PawnCache::Entry& e, T& trace) {
    int score = 0;
    e.Passed[0] = e.Passed[1] = 0;
    for (int c = 0; c < 2; ++c) {
        const int sign = c == WhiteSide ? 1 : -1;
        const Bitboard own = p.Pieces[c][Pawns], enemy = p.Pieces[c ^ 1][Pawns];
        int side = KingShield(p, c, trace);
        for (Bitboard b = own; b;) {
            const int sq = PopLowest(b);
            const Bitboard front = Span.Front[c][sq];
            if (!(enemy & front)) {
                e.Passed[c] |= Bit(sq);
                side += Passed[RelativeRank(c, sq)];
                trace.Add(EvalTerms::Passed + RelativeRank(c, sq), c, 1);
            }
            if (!(own & Span.Adjacent[FileOf(sq)])) {
                side += Isolated;
                trace.Add(EvalTerms::Isolated, c, 1);
            }
            // A pawn with another of its side ahead on its file is the doubled one.
            if (own & front & FileMask(FileOf(sq))) {
                side += Doubled;
                trace.Add(EvalTerms::Doubled, c, 1);
            }
        }
        score += sign * side;
    }
    e.Key = p.PawnKey;
    e.Score = score;
}

const PawnCache::Entry& PawnStructure(const Position& p, PawnCache& cache) {
    PawnCache::Entry& e = cache.Slot(p.PawnKey);
    if (e.Key == p.PawnKey && e.Key != 0) return e;
    NoTrace none;
    ComputePawns(p, e, none);
    return e;
}

int Distance(int a, int b) {
    return std::max(std::abs(FileOf(a) - FileOf(b)), std::abs(RankOf(a) - RankOf(b)));
}

// Terms of passed pawns that depend on the pieces: kings near the path, a free path.
template <class T> int PassedPawnExtras(const Position& p, Bitboard passed, int c, T& trace) {
    const int ownKing = p.KingSquare(c), enemyKing = p.KingSquare(c ^ 1);
    int s = 0;
    for (Bitboard b = passed; b;) {
        const int sq = PopLowest(b);
        const int rank = RelativeRank(c, sq);
        if (rank < 3) continue;
        const int front = c == WhiteSide ? sq + 8 : sq - 8;
        const int weight = rank - 2;
        const int distances =
            std::min(Distance(enemyKing, front), 5) - std::min(Distance(ownKing, front), 5);
        s += weight * PassedKingDistance * distances;
        trace.Add(EvalTerms::PassedKingDistance, c, weight * distances);
        if (p.Squares[front] == NoPiece) {
            s += weight * PassedFreePath;
            trace.Add(EvalTerms::PassedFreePath, c, weight);
        }
    }
    return s;
}

// One kind of piece of one side: mobility, reach into the enemy king's zone, rooks on files.
template <int Type, class T>
int PieceTerms(const Position& p, int c, Bitboard safe, Bitboard kingZone, AttackMap& map,
               int& units, int& attackers, T& trace) {
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
        trace.Add(EvalTerms::Mobility + Type, c, Count(reach & safe) - MobilityBase[Type]);
        if (reach & kingZone) {
            ++attackers;
            units += AttackUnits[Type] * (1 + Count(reach & kingZone) / 3);
        }
        if constexpr (Type == Rooks) {
            const Bitboard file = FileMask(FileOf(sq));
            if (!(file & p.Pieces[c][Pawns])) {
                const bool half = file & p.Pieces[them][Pawns];
                s += half ? RookHalfOpen : RookOpen;
                trace.Add(half ? EvalTerms::RookHalfOpen : EvalTerms::RookOpen, c, 1);
            }
        }
    }
    return s;
}

template <class T> int Pieces(const Position& p, int c, AttackMap& map, T& trace) {
    const int them = c ^ 1;
    const Bitboard safe = ~(p.ByColour[c] | PawnAttacksOf(p.Pieces[them][Pawns], them));
    const int enemyKing = p.KingSquare(them);
    const Bitboard kingZone = KingAttacks(enemyKing) | Bit(enemyKing);
    int units = 0, attackers = 0;
    int s = PieceTerms<Knights>(p, c, safe, kingZone, map, units, attackers, trace) +
            PieceTerms<Bishops>(p, c, safe, kingZone, map, units, attackers, trace) +
            PieceTerms<Rooks>(p, c, safe, kingZone, map, units, attackers, trace) +
            PieceTerms<Queens>(p, c, safe, kingZone, map, units, attackers, trace);
    if (Count(p.Pieces[c][Bishops]) >= 2) {
        s += BishopPair;
        trace.Add(EvalTerms::BishopPair, c, 1);
    }
    if (attackers >= 2 && p.Pieces[c][Queens]) {
        s += std::min(units * units, KingAttackLimit);
        trace.KingAttack(c, std::min(units * units, KingAttackLimit));
    }
    return s;
}

template <class T> int Threats(const Position& p, int c, const AttackMap& map, T& trace) {
    const int them = c ^ 1;
    const Bitboard* enemy = p.Pieces[them];
    const Bitboard pieces = enemy[Knights] | enemy[Bishops] | enemy[Rooks] | enemy[Queens];
    const int byPawn = Count(PawnAttacksOf(p.Pieces[c][Pawns], c) & pieces);
    const int byMinor = Count(map.Minor[c] & (enemy[Rooks] | enemy[Queens]));
    const int byRook = Count(map.Rook[c] & enemy[Queens]);
    const Bitboard defended =
        map.All[them] | PawnAttacksOf(enemy[Pawns], them) | KingAttacks(p.KingSquare(them));
    const Bitboard ours = map.All[c] | KingAttacks(p.KingSquare(c));
    const int hanging = Count(ours & pieces & ~defended);
    trace.Add(EvalTerms::ThreatByPawn, c, byPawn);
    trace.Add(EvalTerms::ThreatByMinor, c, byMinor);
    trace.Add(EvalTerms::ThreatByRook, c, byRook);
    trace.Add(EvalTerms::Hanging, c, hanging);
    return byPawn * ThreatByPawn + byMinor * ThreatByMinor + byRook * ThreatByRook +
           hanging * Hanging;
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

template <class T> int EvaluateWith(const Position& p, const PawnCache::Entry& pawns, T& trace) {
    AttackMap map;
    const int white = PassedPawnExtras(p, pawns.Passed[WhiteSide], WhiteSide, trace) +
                      Pieces(p, WhiteSide, map, trace);
    const int black = PassedPawnExtras(p, pawns.Passed[BlackSide], BlackSide, trace) +
                      Pieces(p, BlackSide, map, trace);
    const int s = pawns.Score + white - black + Threats(p, WhiteSide, map, trace) -
                  Threats(p, BlackSide, map, trace);
    const int mg = p.Mg + MgOf(s), egRaw = p.Eg + EgOf(s);
    const int phase = std::min(p.Phase, FullPhase);
    const int scale = WinnableScale(p, egRaw > 0 ? WhiteSide : BlackSide);
    const int eg = egRaw * scale / 16;
    trace.Finish(phase, scale);
    const int score = (mg * phase + eg * (FullPhase - phase)) / FullPhase;
    return (p.Side == WhiteSide ? score : -score) + Tempo;
}

} // namespace

int Evaluate(const Position& p, PawnCache& cache) {
    NoTrace none;
    return EvaluateWith(p, PawnStructure(p, cache), none);
}

int Evaluate(const Position& p, EvalTerms& terms) {
    terms = EvalTerms{};
    for (int s = 0; s < 64; ++s)
        if (p.Squares[s] != NoPiece) {
            const int c = ColourOf(p.Squares[s]);
            terms.Add(EvalTerms::Psqt + TypeOf(p.Squares[s]) * 64 + (c == WhiteSide ? s : s ^ 56),
                      c, 1);
        }
    PawnCache::Entry pawns;
    ComputePawns(p, pawns, terms);
    return EvaluateWith(p, pawns, terms);
}

EvalWeights CurrentWeights() {
    EvalWeights w{};
    const auto set = [&w](int index, int packed) {
        w.Mg[index] = MgOf(packed);
        w.Eg[index] = EgOf(packed);
    };
    for (int type = 0; type < 6; ++type)
        for (int s = 0; s < 64; ++s) {
            w.Mg[EvalTerms::Psqt + type * 64 + s] = PsqMg[type][s];
            w.Eg[EvalTerms::Psqt + type * 64 + s] = PsqEg[type][s];
        }
    for (int r = 0; r < 8; ++r) set(EvalTerms::Passed + r, Passed[r]);
    set(EvalTerms::Doubled, Doubled);
    set(EvalTerms::Isolated, Isolated);
    set(EvalTerms::PassedKingDistance, PassedKingDistance);
    set(EvalTerms::PassedFreePath, PassedFreePath);
    for (int t = 0; t < 6; ++t) set(EvalTerms::Mobility + t, Mobility[t]);
    set(EvalTerms::BishopPair, BishopPair);
    set(EvalTerms::RookOpen, RookOpen);
    set(EvalTerms::RookHalfOpen, RookHalfOpen);
    set(EvalTerms::ShieldNear, ShieldNear);
    set(EvalTerms::ShieldFar, ShieldFar);
    set(EvalTerms::ShieldMissing, ShieldMissing);
    set(EvalTerms::ThreatByPawn, ThreatByPawn);
    set(EvalTerms::ThreatByMinor, ThreatByMinor);
    set(EvalTerms::ThreatByRook, ThreatByRook);
    set(EvalTerms::Hanging, Hanging);
    w.Tempo = Tempo;
    return w;
}

} // namespace strong
