#include "Findu.h"

#include <initializer_list>

#include "Legalu.h"

namespace {

// Appends the four promotion choices for the pawn of `pawn` code waiting on `row`.
void ListPromotionChoices(Board& board, int pawn, int row) {
    int file = 0;
    while (file < 8 && board.Squares[file][row] != pawn) ++file;
    if (file == 8) return; // no waiting pawn: only a damaged record gets here
    const int sign = pawn > 0 ? 1 : -1;
    for (int piece : {Queen, Rook, Bishop, Knight})
        board.LegalMoves[board.LegalCount++] = Move{PromotionChoice, sign * piece, file, row};
}

} // namespace

void FindLegalMoves(Board& board) {
    if (board.ListVersionSeen == board.ListVersion) return;
    board.ListVersionSeen = board.ListVersion;
    board.LegalCount = 0;
    if (board.ToPlay == WhiteChooses) {
        ListPromotionChoices(board, Pawn, 0);
    } else if (board.ToPlay == BlackChooses) {
        ListPromotionChoices(board, -Pawn, 7);
    } else if (board.ToPlay == White || board.ToPlay == Black) {
        for (int x1 = 0; x1 < 8; ++x1)
            for (int y1 = 0; y1 < 8; ++y1)
                for (int x2 = 0; x2 < 8; ++x2)
                    for (int y2 = 0; y2 < 8; ++y2)
                        // Play never comes near the capacity; a position read from a file
                        // can hold more pieces than a game, so the list is capped.
                        if (board.LegalCount < MaxLegalMoves && IsLegal(board, x1, y1, x2, y2))
                            board.LegalMoves[board.LegalCount++] = Move{x1, y1, x2, y2};
    }
}
