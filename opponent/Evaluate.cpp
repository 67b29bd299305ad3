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

// The same sum on a plain record: what the victims of every legal capture by `side` are worth.
int CaptureSum(const Board& board, const BoardView& view, int side) {
    int taken[7] = {};
    CountCaptures(board, view, side, taken);
    int sum = 0;
    for (int type = Pawn; type <= Queen; ++type) sum += taken[type] * AttackValue(type);
    return sum;
}

// What a piece on a square adds to the advancement sum: its weight times the rows it has
// advanced, and a bonus for a pawn one or two rows from promotion; White-positive, in
// hundredths of a point until the one division at the end.
constexpr int Advancement(int code, int y) {
    int sum = 0;
    if (code > 0) sum += (10 - code) * (7 - y);
    if (code < 0) sum -= (10 + code) * y;
    if (code == Pawn && (y == 1 || y == 2)) sum += y == 2 ? 1000 : 2000;
    if (code == -Pawn && (y == 5 || y == 6)) sum -= y == 5 ? 1000 : 2000;
    return sum;
}

struct AdvancementTable {
    int Of[13][8]; // by piece code + 6 and row
};

constexpr AdvancementTable MakeAdvancementTable() {
    AdvancementTable t{};
    for (int code = -6; code <= 6; ++code)
        for (int y = 0; y < 8; ++y) t.Of[code + 6][y] = Advancement(code, y);
    return t;
}

constexpr AdvancementTable Advancements = MakeAdvancementTable();

int AdvancementSum(const Board& board) {
    int sum = 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) sum += Advancement(board.Squares[x][y], y);
    return sum;
}

// The score from the attack sum and the rules' answers: material, castling, advancement and the
// early queen, then the point of view, repetition, the draw and check.
int32_t Score(const Board& board, int advancement, int att, bool drawn, int check, int32_t depth) {
    int32_t s = board.Material;

    // Rewards a castling made in the line being searched: PlyCount stands still in the search.
    if (board.Castled1 != 0 && board.Castled1 == board.PlyCount) s += 2;
    if (board.Castled2 != 0 && board.Castled2 == board.PlyCount) s -= 2;

    s += advancement / 100;

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
    return Score(board, AdvancementSum(board), att, drawn, GetCheck(board), depth);
}

} // namespace

void ViewForEvaluation(const Board& board, EvaluationView& view) {
    ViewBoard(board, view.Squares);
    view.Advancement = 0;
    if (!view.Squares.Plain) return; // not read: such a record is evaluated by pairs
    for (SquareSet pieces = view.Squares.Occupied; pieces; pieces &= pieces - 1) {
        const int square = LowestSquare(pieces);
        const int y = square % 8;
        view.Advancement += Advancements.Of[board.Squares[square / 8][y] + 6][y];
    }
}

void FollowMoveForEvaluation(EvaluationView& view, const Board& before, const Board& after) {
    if (!view.Squares.Plain) {
        ViewForEvaluation(after, view);
        return;
    }
    const SquareSet changed = FollowMove(view.Squares, before, after);
    if (!view.Squares.Plain) return;
    for (SquareSet squares = changed; squares; squares &= squares - 1) {
        const int square = LowestSquare(squares);
        const int x = square / 8;
        const int y = square % 8;
        view.Advancement += Advancements.Of[after.Squares[x][y] + 6][y] -
                            Advancements.Of[before.Squares[x][y] + 6][y];
    }
}

int32_t EvaluateView(const Board& board, const EvaluationView& view, int32_t depth) {
    if (!view.Squares.Plain) return EvaluateByPairs(board, depth);
    const BoardView& squares = view.Squares;
    const bool moves = board.ToPlay == White || board.ToPlay == Black;
    const bool any = !moves || HasLegalMove(board, squares);
    const bool inCheck = moves && squares.Sides[board.ToPlay].InCheck;
    if (!any && inCheck) return MatedScore;
    const int att = CaptureSum(board, squares, White) - CaptureSum(board, squares, Black);
    const bool drawn = DrawnByCounters(board) || (!any && !inCheck);
    const bool white = squares.Sides[White].InCheck;
    const bool black = squares.Sides[Black].InCheck;
    const int check = white && black ? BothInCheck : white ? White : black ? Black : 0;
    return Score(board, view.Advancement, att, drawn, check, depth);
}

int32_t Evaluate(const Board& board, int32_t depth) {
    EvaluationView view;
    ViewForEvaluation(board, view);
    return EvaluateView(board, view, depth);
}
