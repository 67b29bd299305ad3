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

// The same sum on a plain record, attacker by attacker: every legal capture by `side` adds what
// its victim is worth.
int CaptureSum(const Board& board, const BoardView& view, int side) {
    const int enemy = 3 - side;
    const SquareSet victims = view.Side[enemy] & ~view.Pieces[6 + (enemy == White ? King : -King)];
    int sum = 0;
    for (SquareSet attackers = view.Side[side]; attackers; attackers &= attackers - 1)
        for (SquareSet hits = LegalTargets(board, view, LowestSquare(attackers), victims); hits;
             hits &= hits - 1) {
            const int victim = LowestSquare(hits);
            sum += AttackValue(PieceType(board.Squares[victim / 8][victim % 8]));
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

// The score from the attack sum and the rules' answers: material, castling, advancement and the
// early queen, then the point of view, repetition, the draw and check.
int32_t Score(const Board& board, int att, bool drawn, int check, int32_t depth) {
    int32_t s = board.Material;

    // Rewards a castling made in the line being searched: PlyCount stands still in the search.
    if (board.Castled1 != 0 && board.Castled1 == board.PlyCount) s += 2;
    if (board.Castled2 != 0 && board.Castled2 == board.PlyCount) s -= 2;

    s += AdvancementSum(board) / 100;

    if (board.PlyCount < 5) {
        if (board.Squares[3][7] != Queen) s -= 10;
        if (board.Squares[3][0] != -Queen) s += 10;
    }
    s += att;

    const int32_t toPlay = board.ToPlay;
    if (toPlay == Black || toPlay == BlackChooses) s = -s;
    if (toPlay == WhiteChooses || toPlay == BlackChooses) s += 100;

    if (board.Repetition1 + board.Repetition2 > 3) s -= 200;

    // Ahead, a draw is a small loss; level or behind, it is worth half a mate.
    if (drawn) return s > 0 ? -100 : 32768;

    if (check == 0) return s;
    if (check == toPlay || check == BothInCheck) s += 10 * depth - 80;
    if (check == 3 - toPlay) s += 10 * depth + 80;
    return s;
}

// Evaluates a record that is not plain by trying every pair, on a copy.
int32_t EvaluateByPairs(const Board& position, int32_t depth) {
    Board board;
    CopyPosition(board, position);
    if (IsMate(board)) return MatedScore;
    const int32_t toPlay = board.ToPlay;
    board.ToPlay = Black;
    int att = -AttackSum(board, +1);
    board.ToPlay = White;
    att += AttackSum(board, -1);
    board.ToPlay = toPlay;
    const bool drawn = IsStalemate(board);
    return Score(board, att, drawn, GetCheck(board), depth);
}

} // namespace

int32_t EvaluateView(const Board& board, const BoardView& view, int32_t depth) {
    const bool moves = board.ToPlay == White || board.ToPlay == Black;
    const bool any = !moves || HasLegalMove(board, view);
    const bool inCheck = moves && view.Sides[board.ToPlay].InCheck;
    if (!any && inCheck) return MatedScore;
    const int att = CaptureSum(board, view, White) - CaptureSum(board, view, Black);
    const bool drawn = DrawnByCounters(board) || (!any && !inCheck);
    const bool white = view.Sides[White].InCheck;
    const bool black = view.Sides[Black].InCheck;
    const int check = white && black ? BothInCheck : white ? White : black ? Black : 0;
    return Score(board, att, drawn, check, depth);
}

int32_t Evaluate(const Board& board, int32_t depth) {
    BoardView view;
    ViewBoard(board, view);
    return view.Plain ? EvaluateView(board, view, depth) : EvaluateByPairs(board, depth);
}
