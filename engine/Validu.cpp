#include "engine/Validu.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Checku.h"
#include "engine/Kingu.h"
#include "engine/Stalemateu.h"

namespace {

// What one side has on the board.
struct Army {
    int Kings = 0, Pawns = 0, Pieces = 0;
    int Queens = 0, Rooks = 0, Bishops = 0, Knights = 0;
    int OnBackRank = 0; // pawns on their own back rank
    int OnLastRow = 0;  // pawns on the row they promote on
};

Army Count(const Board& b, int sign) {
    Army army;
    const int backRank = sign > 0 ? 7 : 0;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int code = b.Squares[x][y] * sign;
            if (code <= 0) continue;
            army.Pieces += 1;
            army.Kings += code == King;
            army.Queens += code == Queen;
            army.Rooks += code == Rook;
            army.Bishops += code == Bishop;
            army.Knights += code == Knight;
            if (code != Pawn) continue;
            army.Pawns += 1;
            army.OnBackRank += y == backRank;
            army.OnLastRow += y == 7 - backRank;
        }
    }
    return army;
}

std::string SquareName(int x, int y) {
    return {static_cast<char>('a' + x), static_cast<char>('8' - y)};
}

bool ArmyReachable(const Army& a, const char* side, bool choosing, std::string& reason) {
    const std::string name = side;
    if (a.Kings != 1)
        reason = name + (a.Kings == 0 ? " has no king." : " has more than one king.");
    else if (a.Pieces > 16)
        reason = name + " has more than 16 pieces.";
    else if (a.Pawns > 8)
        reason = name + " has more than 8 pawns.";
    else if (std::max(a.Queens - 1, 0) + std::max(a.Rooks - 2, 0) + std::max(a.Bishops - 2, 0) +
                 std::max(a.Knights - 2, 0) >
             8 - a.Pawns)
        reason = name + " has more promoted pieces than missing pawns.";
    else if (a.OnBackRank > 0)
        reason = "A " + name + " pawn stands on " + name + "'s back rank.";
    else if (!choosing && a.OnLastRow > 0)
        reason = "A " + name + " pawn stands on its last row with no promotion choice pending.";
    else if (choosing && a.OnLastRow != 1)
        reason = name + "'s promotion choice needs exactly one " + name + " pawn on its last row.";
    else
        return true;
    return false;
}

// The en passant file of the pawn that has just advanced two squares: the pawn on its fourth
// row, the two squares it passed over empty. `pawn` is that pawn's code.
bool EnPassantReachable(const Board& b, int file, int pawn, std::string& reason) {
    if (file == -1) return true;
    if (file < 0 || file > 7) {
        reason = "The en passant file is off the board.";
        return false;
    }
    const int row = pawn > 0 ? 4 : 3;
    const int step = pawn > 0 ? 1 : -1;
    if (b.Squares[file][row] == pawn && b.Squares[file][row + step] == Empty &&
        b.Squares[file][row + 2 * step] == Empty)
        return true;
    reason = "En passant needs a " + std::string(pawn > 0 ? "White" : "Black") +
             " pawn that has just advanced two squares to " + SquareName(file, row) + ".";
    return false;
}

} // namespace

void SettlePosition(Board& b) {
    const auto keep = [&b](bool& right, int sign, int rookFile) {
        const int row = sign > 0 ? 7 : 0;
        right =
            right && b.Squares[4][row] == sign * King && b.Squares[rookFile][row] == sign * Rook;
    };
    keep(b.QueenCastle1, +1, 0);
    keep(b.KingCastle1, +1, 7);
    keep(b.QueenCastle2, -1, 0);
    keep(b.KingCastle2, -1, 7);
    b.Bored50 = std::clamp<int32_t>(b.Bored50, 0, FiftyMoveLimit);
    b.Repetition1 = std::clamp<int32_t>(b.Repetition1, 0, RepetitionLimit + 1);
    b.Repetition2 = std::clamp<int32_t>(b.Repetition2, 0, RepetitionLimit + 1);
}

bool IsReachable(const Board& board, std::string& reason) {
    const int toPlay = board.ToPlay;
    if (toPlay < White || toPlay > BlackChooses) {
        reason = "No side is to move.";
        return false;
    }
    if (!ArmyReachable(Count(board, +1), "White", toPlay == WhiteChooses, reason) ||
        !ArmyReachable(Count(board, -1), "Black", toPlay == BlackChooses, reason))
        return false;

    Board b = board;
    FindWhiteKing(b);
    FindBlackKing(b);
    if (std::abs(b.King1X - b.King2X) <= 1 && std::abs(b.King1Y - b.King2Y) <= 1) {
        reason = "The kings stand next to each other.";
        return false;
    }
    // Black has just moved when White is to move or Black chooses its promotion piece.
    const bool blackMoved = toPlay == White || toPlay == BlackChooses;
    if (blackMoved ? BlackInCheck(b) : WhiteInCheck(b)) {
        reason = std::string(blackMoved ? "Black" : "White") + " is in check after its own move.";
        return false;
    }
    // Only the file the next ordinary move can take on is judged; the mover's own is renewed
    // by that move.
    return blackMoved ? EnPassantReachable(b, b.ep2, -Pawn, reason)
                      : EnPassantReachable(b, b.ep1, Pawn, reason);
}
