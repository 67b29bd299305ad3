#include "opponent/Search.h"

#include <cstdlib>

#include "engine/Boardviewu.h"
#include "engine/Checkmateu.h"
#include "engine/Checku.h"
#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "engine/Stalemateu.h"
#include "opponent/Evaluate.h"

namespace {

int32_t Node(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, Board& board,
             const EvaluationView& view, float depth, OpponentHooks& hooks);
int32_t NodeByPairs(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, Board& board,
                    const EvaluationView& view, float depth, OpponentHooks& hooks);

// Makes a move on a copy of `board` and brings the copy's view up to date.
void Play(const Board& board, const EvaluationView& view, Board& next, EvaluationView& nextView,
          int x1, int y1, int x2, int y2) {
    CopyPosition(next, board);
    MakeMove(next, x1, y1, x2, y2);
    nextView = view;
    FollowMoveForEvaluation(nextView, board, next);
}

// Ray and step offsets (dx, dy) in the order the candidates are tried.
constexpr int RookRays[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr int BishopRays[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
constexpr int KnightSteps[8][2] = {{-1, 2}, {-2, 1}, {-2, -1}, {-1, -2},
                                   {1, -2}, {2, -1}, {2, 1},   {1, 2}};
constexpr int KingSteps[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                 {0, 1},   {1, -1}, {1, 0},  {1, 1}};

// The move loop of one node: tries candidates in order, keeping the running alpha.
class MoveLoop {
  public:
    // With a plain view the piece's legal targets answer for each candidate; otherwise every
    // candidate is judged by the rules on a copy.
    MoveLoop(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, Board& board,
             const EvaluationView& view, float depth, OpponentHooks& hooks)
        : opponent(opponent), full(full), alpha(alpha), beta(beta), board(board), view(view),
          plain(view.Squares.Plain), depth(depth), hooks(hooks), side(board.ToPlay) {}

    int32_t Run() {
        if (plain) {
            // The side's pieces in the same order, file by file, row by row.
            for (SquareSet own = view.Squares.Side[side]; own; own &= own - 1)
                if (Piece(LowestSquare(own) / 8, LowestSquare(own) % 8)) return beta;
        } else {
            const int sign = side == White ? 1 : -1;
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    if (board.Squares[x][y] * sign > 0 && Piece(x, y)) return beta;
        }
        // No candidate searched: Stop rose first, or the only moves are two-square advances.
        return found ? alpha : EvaluateView(board, view, static_cast<int32_t>(depth));
    }

  private:
    const Opponent& opponent;
    const bool full;
    int32_t alpha;
    const int32_t beta;
    Board& board;
    const EvaluationView& view;
    const bool plain;
    const float depth;
    OpponentHooks& hooks;
    const int side;
    bool found = false;
    SquareSet legal = 0; // plain: where the piece being tried may go
    Board scratch;       // the move being tried
    EvaluationView scratchView;

    // Searches one candidate move; returns true on a beta cut-off.
    bool Try(int x, int y, int tx, int ty) {
        if (plain) {
            if (!(legal & SquareBit(SquareIndex(tx, ty))) || opponent.Stop) return false;
            Play(board, view, scratch, scratchView, x, y, tx, ty);
        } else {
            if (!IsPseudoLegal(board, x, y, tx, ty)) return false;
            CopyPosition(scratch, board);
            MakeMove(scratch, x, y, tx, ty);
            const int check = GetCheck(scratch);
            if (check == side || check == BothInCheck) return false;
            if (opponent.Stop) return false;
            ViewForEvaluation(scratch, scratchView);
        }
        found = true;
        float child = depth - 1.0f;
        if (full && std::abs(scratch.Material - board.Material) > 2 && depth < 2.0)
            child = depth - opponent.CaptureStep;
        int32_t s;
        if (scratch.ToPlay == White || scratch.ToPlay == Black)
            s = -Node(opponent, full, -beta, -alpha, scratch, scratchView, child, hooks);
        else // the mover's pawn reached the last row and the mover chooses its piece
            s = Node(opponent, full, alpha, beta, scratch, scratchView, child, hooks);
        if (s >= beta) return true;
        if (s > alpha) alpha = s;
        return false;
    }

    // Follows a ray up to and including the first occupied square.
    bool Ray(int x, int y, int dx, int dy) {
        for (int tx = x + dx, ty = y + dy; OnBoard(tx, ty); tx += dx, ty += dy) {
            if (Try(x, y, tx, ty)) return true;
            if (board.Squares[tx][ty] != Empty) break;
        }
        return false;
    }

    bool Rays(int x, int y, const int (&rays)[4][2]) {
        for (const auto& r : rays)
            if (Ray(x, y, r[0], r[1])) return true;
        return false;
    }

    bool Steps(int x, int y, const int (&steps)[8][2]) {
        for (const auto& s : steps)
            if (OnBoard(x + s[0], y + s[1]) && Try(x, y, x + s[0], y + s[1])) return true;
        return false;
    }

    bool Pawn(int x, int y) {
        const int dy = side == White ? -1 : 1;
        if (side == White ? y == 0 : y == 7) return false;
        if (Try(x, y, x, y + dy)) return true;
        if (x > 0 && Try(x, y, x - 1, y + dy)) return true;
        return x < 7 && Try(x, y, x + 1, y + dy);
    }

    bool King(int x, int y) {
        if (Steps(x, y, KingSteps)) return true;
        const int back = side == White ? 7 : 0;
        if (x != 4 || y != back) return false;
        // Only castling makes these two-square steps pseudo-legal.
        return Try(x, y, 2, back) || Try(x, y, 6, back);
    }

    // Tries every candidate of the piece on (x, y); returns true on a beta cut-off.
    bool Piece(int x, int y) {
        if (plain) legal = LegalTargets(board, view.Squares, SquareIndex(x, y), ~SquareSet{0});
        switch (PieceType(board.Squares[x][y])) {
        case ::Pawn:
            return Pawn(x, y);
        case Rook:
            return Rays(x, y, RookRays);
        case Knight:
            return Steps(x, y, KnightSteps);
        case Bishop:
            return Rays(x, y, BishopRays);
        case ::King:
            return King(x, y);
        case Queen:
            return Rays(x, y, BishopRays) || Rays(x, y, RookRays);
        default:
            return false;
        }
    }
};

// Scores the four promotion pieces of the side that must choose one.
int32_t Promotion(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, Board& board,
                  const EvaluationView& view, float depth, OpponentHooks& hooks) {
    const bool white = board.ToPlay == WhiteChooses;
    const int row = white ? 0 : 7;
    const int x = WaitingPawnFile(board);
    // No waiting pawn: only a damaged record gets here; nothing could be chosen.
    if (x < 0) return EvaluateView(board, view, static_cast<int32_t>(depth));
    Board scratch;
    EvaluationView scratchView;
    for (int piece : {Queen, Rook, Bishop, Knight}) {
        Play(board, view, scratch, scratchView, PromotionChoice, white ? piece : -piece, x, row);
        const int32_t s =
            -Node(opponent, full, -beta, -alpha, scratch, scratchView, depth - 1.0f, hooks);
        if (s >= beta) return beta;
        if (s > alpha) alpha = s;
    }
    return alpha;
}

// One node. `board` is the caller's scratch copy: only its caches may change here. `view` is
// its view.
int32_t Node(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, Board& board,
             const EvaluationView& view, float depth, OpponentHooks& hooks) {
    ++hooks.SearchCalls;
    if (opponent.Stop) return StoppedScore;
    // Compared in double: the float nearest 0.1 lies just above 0.1 and is kept.
    if (depth < 0.1) depth = 0.0f;
    if (depth < 2.0) hooks.ProcessEvents();
    if (!view.Squares.Plain)
        return NodeByPairs(opponent, full, alpha, beta, board, view, depth, hooks);
    if (depth == 0.0f) {
        const int32_t e = EvaluateView(board, view, 0);
        return e >= beta ? beta : e;
    }
    // The draw and mate tests, from the view.
    if (DrawnByCounters(board)) return EvaluateView(board, view, 0);
    if (board.ToPlay == White || board.ToPlay == Black) {
        const bool inCheck = view.Squares.Sides[board.ToPlay].InCheck;
        if (!HasLegalMove(board, view.Squares))
            return inCheck ? MateScore(depth) : EvaluateView(board, view, 0);
        MoveLoop loop(opponent, full, alpha, beta, board, view, depth, hooks);
        return loop.Run();
    }
    return Promotion(opponent, full, alpha, beta, board, view, depth, hooks);
}

// The same node for a record that is not plain: every rules question goes to the rules.
int32_t NodeByPairs(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, Board& board,
                    const EvaluationView& view, float depth, OpponentHooks& hooks) {
    if (depth == 0.0f) {
        const int32_t e = Evaluate(board, 0);
        return e >= beta ? beta : e;
    }
    if (IsStalemate(board)) return Evaluate(board, 0);
    if (IsMate(board)) return MateScore(depth);
    if (board.ToPlay == WhiteChooses || board.ToPlay == BlackChooses)
        return Promotion(opponent, full, alpha, beta, board, view, depth, hooks);
    if (board.ToPlay != White && board.ToPlay != Black)
        return Evaluate(board, static_cast<int32_t>(depth)); // a damaged record
    MoveLoop loop(opponent, full, alpha, beta, board, view, depth, hooks);
    return loop.Run();
}

} // namespace

int32_t MateScore(float depth) {
    return static_cast<int32_t>(MatedScore - 10.0 * static_cast<double>(depth));
}

int32_t Search(const Opponent& opponent, bool full, int32_t alpha, int32_t beta, const Board& board,
               float depth, OpponentHooks& hooks) {
    Board copy;
    CopyPosition(copy, board);
    EvaluationView view;
    ViewForEvaluation(copy, view);
    return Node(opponent, full, alpha, beta, copy, view, depth, hooks);
}
