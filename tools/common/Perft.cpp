#include "tools/common/Perft.h"

#include "engine/Findu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"

namespace {

// Plays one listed move on a copy; the `each` callback sees every resulting position, once
// per promotion choice when the move leaves a choice pending.
template <typename Each> void ExpandMove(const Board& board, const Move& m, Each&& each) {
    Board next;
    CopyPosition(next, board);
    MakeMove(next, m.X1, m.Y1, m.X2, m.Y2);
    if (next.ToPlay <= Black) {
        each(next, 0);
        return;
    }
    FindLegalMoves(next);
    for (int i = 0; i < next.LegalCount; ++i) {
        const Move& choice = next.LegalMoves[i];
        Board chosen;
        CopyPosition(chosen, next);
        MakeMove(chosen, choice.X1, choice.Y1, choice.X2, choice.Y2);
        each(chosen, choice.Y1);
    }
}

// Tests whether a listed move is a pawn's move onto its last row, the one kind of move that
// leaves a promotion choice pending.
bool Promotes(const Board& board, const Move& m) {
    return m.X1 != PromotionChoice && PieceType(board.Squares[m.X1][m.Y1]) == Pawn &&
           (m.Y2 == 0 || m.Y2 == 7);
}

} // namespace

uint64_t Perft(const Board& board, int depth, Rules rules) {
    if (depth <= 0) return 1;
    Board root;
    CopyPosition(root, board);
    FindRuleMoves(root, rules);
    uint64_t total = 0;
    for (int i = 0; i < root.LegalCount; ++i) {
        // Any other move reaches one position; counted without playing it on the last ply.
        if (depth == 1 && !Promotes(root, root.LegalMoves[i])) {
            total += 1;
            continue;
        }
        ExpandMove(root, root.LegalMoves[i],
                   [&](const Board& next, int) { total += Perft(next, depth - 1, rules); });
    }
    return total;
}

uint64_t PerftDivide(const Board& board, int depth,
                     const std::function<void(const Move&, int piece, uint64_t)>& visit,
                     Rules rules) {
    Board root = board;
    FindRuleMoves(root, rules);
    uint64_t total = 0;
    for (int i = 0; i < root.LegalCount; ++i) {
        const Move m = root.LegalMoves[i];
        ExpandMove(root, m, [&](const Board& next, int piece) {
            const uint64_t count = Perft(next, depth - 1, rules);
            visit(m, piece, count);
            total += count;
        });
    }
    return total;
}
