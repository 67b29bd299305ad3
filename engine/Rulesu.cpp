#include "engine/Rulesu.h"

#include <cstdlib>
#include <initializer_list>

#include "engine/Checku.h"
#include "engine/Findu.h"
#include "engine/Legalu.h"

namespace {

bool IsCastling(const Board& board, const Move& m) {
    return PieceType(board.Squares[m.X1][m.Y1]) == King && std::abs(m.X2 - m.X1) == 2;
}

// The castling rights that can still be used some day: the flag, with king and rook at home.
int CastlingRights(const Board& b) {
    const auto home = [&b](int x, int y, int piece) { return b.Squares[x][y] == piece; };
    return (b.KingCastle1 && home(4, 7, King) && home(7, 7, Rook) ? 1 : 0) |
           (b.QueenCastle1 && home(4, 7, King) && home(0, 7, Rook) ? 2 : 0) |
           (b.KingCastle2 && home(4, 0, -King) && home(7, 0, -Rook) ? 4 : 0) |
           (b.QueenCastle2 && home(4, 0, -King) && home(0, 0, -Rook) ? 8 : 0);
}

// The file on which the side to move can capture en passant, -1 for none.
int EnPassantFile(const Board& position) {
    if (position.ToPlay != White && position.ToPlay != Black) return -1;
    const bool white = position.ToPlay == White;
    const int file = white ? position.ep2 : position.ep1;
    if (file < 0 || file > 7) return -1;
    const int from = white ? 3 : 4, to = white ? 2 : 5;
    Board b = position;
    for (const int x : {file - 1, file + 1})
        if (x >= 0 && x < 8 && b.Squares[x][from] == (white ? Pawn : -Pawn) &&
            IsLegal(b, x, from, file, to))
            return file;
    return -1;
}

// Tests whether the step from `before` to `after` moved a pawn or captured: nothing before it
// can come again.
bool Irreversible(const Board& before, const Board& after) {
    int pieces = 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int a = before.Squares[x][y], b = after.Squares[x][y];
            pieces += (a != Empty) - (b != Empty);
            if ((PieceType(a) == Pawn || PieceType(b) == Pawn) && a != b) return true;
        }
    return pieces != 0;
}

// The pieces of one side but its king: knights, bishops with the square colours they stand on
// (bit 0 one colour, bit 1 the other), and anything else.
struct MaterialCount {
    int Knights = 0, Bishops = 0, Others = 0;
    int BishopColours = 0;
};

MaterialCount Count(const Board& board, int side) {
    MaterialCount c;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int piece = board.Squares[x][y];
            if (piece == Empty || (side == White && piece < 0) || (side == Black && piece > 0))
                continue;
            switch (PieceType(piece)) {
            case King:
                break;
            case Knight:
                ++c.Knights;
                break;
            case Bishop:
                ++c.Bishops;
                c.BishopColours |= (x + y) % 2 == 0 ? 1 : 2;
                break;
            default:
                ++c.Others;
            }
        }
    return c;
}

} // namespace

bool CastlesAcrossAttack(const Board& board, const Move& move) {
    if (!OnBoard(move.X1, move.Y1) || !IsCastling(board, move)) return false;
    Board copy = board;
    const int king = copy.Squares[move.X1][move.Y1];
    const int passed = (move.X1 + move.X2) / 2;
    copy.Squares[move.X1][move.Y1] = Empty;
    copy.Squares[passed][move.Y1] = king;
    if (king > 0) {
        copy.King1X = passed;
        copy.King1Y = move.Y1;
        return WhiteInCheck(copy);
    }
    copy.King2X = passed;
    copy.King2Y = move.Y1;
    return BlackInCheck(copy);
}

void FindRuleMoves(Board& board, Rules rules) {
    FindLegalMoves(board);
    if (rules != Rules::Standard) return;
    int kept = 0;
    for (int i = 0; i < board.LegalCount; ++i)
        if (!CastlesAcrossAttack(board, board.LegalMoves[i]))
            board.LegalMoves[kept++] = board.LegalMoves[i];
    board.LegalCount = kept;
}

bool IsRuleLegal(Board& board, int x1, int y1, int x2, int y2, Rules rules) {
    return IsLegal(board, x1, y1, x2, y2) &&
           !(rules == Rules::Standard && CastlesAcrossAttack(board, {x1, y1, x2, y2}));
}

bool InsufficientMaterial(const Board& board) {
    const MaterialCount white = Count(board, White), black = Count(board, Black);
    if (white.Others || black.Others) return false;
    const int minors = white.Knights + white.Bishops + black.Knights + black.Bishops;
    if (minors <= 1) return true;
    // Bishops alone, all on one colour, can never give mate.
    return white.Knights + black.Knights == 0 && (white.BishopColours | black.BishopColours) != 3;
}

bool CannotMate(const Board& board, int side) {
    const MaterialCount own = Count(board, side), other = Count(board, 3 - side);
    if (InsufficientMaterial(board)) return true;
    if (own.Others > 0) return false;
    if (own.Knights + own.Bishops == 0) return true;
    // A lone knight, or bishops of one colour, mate only with the other side's help.
    const bool otherBare = other.Others + other.Knights + other.Bishops == 0;
    return otherBare &&
           ((own.Knights == 1 && own.Bishops == 0) || (own.Knights == 0 && own.BishopColours != 3));
}

int QuietPliesOf(const Board& board) {
    // Counted as the pairs close them: a lone quiet Black move after White's pawn move counts
    // one.
    const int afterBlack = 2 * board.Bored50 + (board.Bored50 == 0 && board.Quiet2 ? 1 : 0);
    if (board.ToPlay == White) return afterBlack;
    return board.Quiet1 ? afterBlack + 1 : 0;
}

bool SameForRepetition(const Board& a, const Board& b) {
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            if (a.Squares[x][y] != b.Squares[x][y]) return false;
    return a.ToPlay == b.ToPlay && CastlingRights(a) == CastlingRights(b) &&
           EnPassantFile(a) == EnPassantFile(b);
}

Ending JudgeStandard(History& history, Board& board) {
    const int shown = history.Count - 1;
    Ending ending = Ending::None;
    FindRuleMoves(board, Rules::Standard);
    // A pending promotion choice always has its four pieces.
    const bool moves = (board.ToPlay != White && board.ToPlay != Black) || board.LegalCount > 0;
    const int check = GetCheck(board);
    const bool inCheck = check == board.ToPlay || check == BothInCheck;
    if (!moves) {
        ending = inCheck ? Ending::Checkmate : Ending::Stalemate;
    } else if (InsufficientMaterial(board)) {
        ending = Ending::Material;
    } else {
        // Back to the last pawn move or capture, counting the plies and the occurrences.
        int plies = 0, occurrences = 1, i = shown;
        for (; i > 0 && !Irreversible(history.Snapshots[i - 1], history.Snapshots[i]); --i) {
            // A promotion choice follows its pawn's move, which is irreversible: never here.
            ++plies;
            if (SameForRepetition(history.Snapshots[i - 1], board)) ++occurrences;
        }
        if (i == 0) plies += QuietPliesOf(history.Snapshots[0]);
        if (occurrences >= StandardOccurrences)
            ending = Ending::Repetition;
        else if (plies >= StandardQuietPlies)
            ending = Ending::FiftyMoves;
        else if (history.Count == HistorySize)
            ending = Ending::HistoryFull;
    }
    board.Outcome = ending == Ending::None        ? InProgress
                    : ending == Ending::Checkmate ? 3 - board.ToPlay
                                                  : Drawn;
    if (shown >= 0) history.Snapshots[shown].Outcome = board.Outcome;
    return ending;
}
