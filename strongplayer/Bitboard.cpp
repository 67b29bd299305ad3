#include "strongplayer/Bitboard.h"

#include <cstddef>
#include <vector>

namespace strong {
namespace {

constexpr int RookDirs[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int BishopDirs[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

bool Inside(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

// Attacks along the given rays, stopping at (and including) the first occupied square.
Bitboard RayAttacks(int square, Bitboard occupied, const int (*dirs)[2]) {
    Bitboard attacks = 0;
    for (int d = 0; d < 4; ++d) {
        int f = FileOf(square) + dirs[d][0], r = RankOf(square) + dirs[d][1];
        while (Inside(f, r)) {
            attacks |= Bit(SquareAt(f, r));
            if (occupied & Bit(SquareAt(f, r))) break;
            f += dirs[d][0];
            r += dirs[d][1];
        }
    }
    return attacks;
}

// The squares whose occupancy matters to a slider: its rays less the last square of each.
Bitboard RelevantMask(int square, const int (*dirs)[2]) {
    Bitboard mask = 0;
    for (int d = 0; d < 4; ++d) {
        int f = FileOf(square) + dirs[d][0], r = RankOf(square) + dirs[d][1];
        while (Inside(f + dirs[d][0], r + dirs[d][1])) {
            mask |= Bit(SquareAt(f, r));
            f += dirs[d][0];
            r += dirs[d][1];
        }
    }
    return mask;
}

// A fixed-seed generator: the same factors, so the same tables, on every run. The seeds by
// rank are ones known to find every factor after few tries.
constexpr uint64_t RankSeeds[8] = {728, 10316, 55013, 32803, 12281, 15100, 16645, 255};
struct Random64 {
    uint64_t State;
    uint64_t Next() {
        State ^= State >> 12;
        State ^= State << 25;
        State ^= State >> 27;
        return State * 0x2545F4914F6CDD1DULL;
    }
    uint64_t Sparse() { return Next() & Next() & Next(); }
};

// Finds a collision-free factor for every square and fills its slice of `table`.
void FindMagics(Magic* magics, std::vector<Bitboard>& table, const int (*dirs)[2]) {
    size_t offset = 0;
    std::vector<size_t> starts(64);
    for (int s = 0; s < 64; ++s) {
        starts[s] = offset;
        offset += size_t{1} << Count(RelevantMask(s, dirs));
    }
    table.assign(offset, 0);
    std::vector<Bitboard> occupancies, attacks;
    std::vector<int> epoch;
    for (int s = 0; s < 64; ++s) {
        Magic& m = magics[s];
        Random64 random{RankSeeds[RankOf(s)]};
        m.Mask = RelevantMask(s, dirs);
        const int bits = Count(m.Mask);
        m.Shift = 64 - bits;
        occupancies.clear();
        attacks.clear();
        Bitboard subset = 0;
        do {
            occupancies.push_back(subset);
            attacks.push_back(RayAttacks(s, subset, dirs));
            subset = (subset - m.Mask) & m.Mask;
        } while (subset != 0);
        Bitboard* slice = table.data() + starts[s];
        epoch.assign(occupancies.size(), 0);
        for (int tries = 1;; ++tries) {
            m.Factor = random.Sparse();
            if (Count((m.Mask * m.Factor) >> 56) < 6) continue;
            bool fits = true;
            for (size_t i = 0; i < occupancies.size() && fits; ++i) {
                const size_t index = ((occupancies[i] & m.Mask) * m.Factor) >> m.Shift;
                if (epoch[index] != tries) {
                    epoch[index] = tries;
                    slice[index] = attacks[i];
                } else if (slice[index] != attacks[i]) {
                    fits = false;
                }
            }
            if (fits) break;
        }
        m.Attacks = slice;
    }
}

struct Built {
    AttackTables Tables{};
    std::vector<Bitboard> BishopTable;
    std::vector<Bitboard> RookTable;

    Built() {
        for (int s = 0; s < 64; ++s) {
            const int f = FileOf(s), r = RankOf(s);
            constexpr int knight[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                          {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
            for (const auto& k : knight)
                if (Inside(f + k[0], r + k[1]))
                    Tables.Knight[s] |= Bit(SquareAt(f + k[0], r + k[1]));
            for (int df = -1; df <= 1; ++df)
                for (int dr = -1; dr <= 1; ++dr)
                    if ((df || dr) && Inside(f + df, r + dr))
                        Tables.King[s] |= Bit(SquareAt(f + df, r + dr));
            Tables.Pawn[WhiteSide][s] = PawnAttacksOf(Bit(s), WhiteSide);
            Tables.Pawn[BlackSide][s] = PawnAttacksOf(Bit(s), BlackSide);
        }
        FindMagics(Tables.Bishop, BishopTable, BishopDirs);
        FindMagics(Tables.Rook, RookTable, RookDirs);
        for (int a = 0; a < 64; ++a)
            for (int b = 0; b < 64; ++b) {
                if (a == b) continue;
                for (const auto* dirs : {RookDirs, BishopDirs}) {
                    const Bitboard fromA = RayAttacks(a, 0, dirs);
                    if (!(fromA & Bit(b))) continue;
                    Tables.Line[a][b] = (fromA & RayAttacks(b, 0, dirs)) | Bit(a) | Bit(b);
                    Tables.Between[a][b] =
                        RayAttacks(a, Bit(b), dirs) & RayAttacks(b, Bit(a), dirs);
                }
            }
    }
};

const Built built;

} // namespace

const AttackTables& Tables = built.Tables;

} // namespace strong
