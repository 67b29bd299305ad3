#include "opponent/Evaluate.h"

#include "engine/Checkmateu.h"
#include "engine/Checku.h"
#include "engine/Legalu.h"
#include "engine/Stalemateu.h"

namespace {

// What attacking an enemy piece of this type is worth; the king is never counted.
int AttackValue(int type) {
    switch (type) {
    case Pawn:
        return 1;
    case Rook:
        return 5;
    case Knight:
        return 3;
    case Bishop:
        return 3;
    case Queen:
        return 9;
    default:
        return 0;
    }
}

// Sums the attackers of `victimSign`'s pieces, king excepted, each attacker counted once
// per victim; the board's ToPlay must be the attackers' side.
int AttackSum(Board& board, int victimSign) {
    int sum = 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int victim = board.Squares[x][y] * victimSign;
            if (victim <= 0 || victim == King) continue;
            for (int x2 = 0; x2 < 8; ++x2)
                for (int y2 = 0; y2 < 8; ++y2)
                    if (board.Squares[x2][y2] * victimSign < 0 && IsLegal(board, x2, y2, x, y))
                        sum += AttackValue(victim);
        }
    return sum;
}

// Advancement of every piece towards the enemy and the bonus for pawns close to promotion,
// White-positive, in hundredths of a point until the one division at the end.
int AdvancementSum(const Board& board) {
    int sum = 0;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int p = board.Squares[x][y];
            if (p > 0) sum += (10 - p) * (7 - y);
            if (p < 0) sum -= (10 + p) * y;
        }
        if (board.Squares[x][2] == Pawn) sum += 1000;
        if (board.Squares[x][5] == -Pawn) sum -= 1000;
        if (board.Squares[x][1] == Pawn) sum += 2000;
        if (board.Squares[x][6] == -Pawn) sum -= 2000;
    }
    return sum;
}

} // namespace

int32_t Evaluate(Board board, int32_t depth) {
    if (IsMate(board)) return MatedScore;
    int32_t s = board.Material;

    // Rewards a castling made in the line being searched: PlyCount stands still in the search.
    if (board.Castled1 != 0 && board.Castled1 == board.PlyCount) s += 2;
    if (board.Castled2 != 0 && board.Castled2 == board.PlyCount) s -= 2;

    s += AdvancementSum(board) / 100;

    if (board.PlyCount < 5) {
        if (board.Squares[3][7] != Queen) s -= 10;
        if (board.Squares[3][0] != -Queen) s += 10;
    }

    const int32_t toPlay = board.ToPlay;
    board.ToPlay = Black;
    int att = -AttackSum(board, +1);
    board.ToPlay = White;
    att += AttackSum(board, -1);
    board.ToPlay = toPlay;
    s += att;

    if (toPlay == Black || toPlay == BlackChooses) s = -s;
    if (toPlay == WhiteChooses || toPlay == BlackChooses) s += 100;

    if (board.Repetition1 + board.Repetition2 > 3) s -= 200;

    // Ahead, a draw is a small loss; level or behind, it is worth half a mate.
    if (IsStalemate(board)) return s > 0 ? -100 : 32768;

    const int cs = GetCheck(board);
    if (cs == 0) return s;
    if (cs == toPlay || cs == BothInCheck) s += 10 * depth - 80;
    if (cs == 3 - toPlay) s += 10 * depth + 80;
    return s;
}
