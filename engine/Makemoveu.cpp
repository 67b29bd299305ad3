#include "engine/Makemoveu.h"

#include "engine/Checkmateu.h"
#include "engine/Checku.h"
#include "engine/Historyu.h"
#include "engine/Stalemateu.h"

namespace {

// Tests whether the call is one MakeMove may play; anything else is refused untouched.
bool WithinContract(const Board& board, int x1, int y1, int x2, int y2) {
    switch (board.ToPlay) {
    case White:
    case Black:
        return OnBoard(x1, y1) && OnBoard(x2, y2);
    case WhiteChooses:
        return x1 == PromotionChoice &&
               (y1 == Queen || y1 == Rook || y1 == Bishop || y1 == Knight) && OnBoard(x2, y2);
    case BlackChooses:
        return x1 == PromotionChoice &&
               (y1 == -Queen || y1 == -Rook || y1 == -Bishop || y1 == -Knight) && OnBoard(x2, y2);
    default:
        return false;
    }
}

// Repetition bookkeeping for the mover's ordinary move: a move equal to the mover's own
// ordinary move two moves earlier keeps both counters growing; any other resets them.
void RecordRepetition(Move& recent, Move& penRecent, bool& pleaseAdd, bool otherPleaseAdd,
                      int32_t& counterToRaise, int32_t& otherCounter, int x1, int y1, int x2,
                      int y2) {
    if (SameMove(penRecent, x1, y1, x2, y2)) {
        pleaseAdd = true;
        if (otherPleaseAdd) counterToRaise += 1;
    } else {
        counterToRaise = 0;
        otherCounter = 0;
        pleaseAdd = false;
    }
    penRecent = recent;
    recent = Move{x1, y1, x2, y2};
}

// The shared end of every ordinary move: capture value, repetition, the move itself.
void OrdinaryTail(Board& b, int x1, int y1, int x2, int y2) {
    const int t = b.Squares[x2][y2];
    if (t > 0) b.Material -= PieceValue(t);
    if (t < 0) b.Material += PieceValue(t);
    // White's repeats count in Repetition2, Black's in Repetition1.
    if (b.ToPlay == White)
        RecordRepetition(b.Recent1, b.PenRecent1, b.PleaseAdd1, b.PleaseAdd2, b.Repetition2,
                         b.Repetition1, x1, y1, x2, y2);
    else
        RecordRepetition(b.Recent2, b.PenRecent2, b.PleaseAdd2, b.PleaseAdd1, b.Repetition1,
                         b.Repetition2, x1, y1, x2, y2);
    b.Squares[x2][y2] = b.Squares[x1][y1];
    b.Squares[x1][y1] = Empty;
    b.ToPlay = 3 - b.ToPlay;
}

// Moves king and rook for castling on `row`; `kingTo` is file 6 or 2.
void Castle(Board& b, int row, int kingTo, int sign) {
    const int rookFrom = kingTo == 6 ? 7 : 0;
    const int rookTo = kingTo == 6 ? 5 : 3;
    b.Squares[4][row] = Empty;
    b.Squares[rookFrom][row] = Empty;
    b.Squares[rookTo][row] = sign * Rook;
    b.Squares[kingTo][row] = sign * King;
}

// En passant is a capture only: the pawn steps diagonally from `fromRow` onto the empty square
// behind the enemy pawn that has just advanced two squares on `epFile`. Any other pawn move
// onto that file is an ordinary one.
bool EnPassant(const Board& b, int x1, int y1, int x2, int y2, int epFile, int fromRow, int toRow) {
    return y1 == fromRow && y2 == toRow && x2 == epFile && (x2 - x1 == 1 || x1 - x2 == 1) &&
           b.Squares[x2][y2] == Empty && b.Squares[x2][y1] == -b.Squares[x1][y1];
}

void CountQuietPair(Board& b) {
    b.Bored50 = b.Quiet1 && b.Quiet2 ? b.Bored50 + 1 : 0;
}

void WhiteMoves(Board& b, int x1, int y1, int x2, int y2) {
    const int p = b.Squares[x1][y1];
    const int t = b.Squares[x2][y2];
    b.Quiet1 = true;
    b.ep1 = p == Pawn && y1 == 6 && y2 == 4 ? x1 : -1;
    if (p == Pawn) {
        b.Quiet1 = false;
        if (EnPassant(b, x1, y1, x2, y2, b.ep2, 3, 2)) {
            b.Squares[x1][y1] = Empty;
            b.Squares[x2][2] = Pawn;
            b.Squares[x2][3] = Empty;
            b.Material += PieceValue(Pawn);
            b.ToPlay = Black;
            return;
        }
        if (y2 == 0) {
            if (t < 0) b.Material += PieceValue(t);
            b.Squares[x1][y1] = Empty;
            b.Squares[x2][0] = Pawn; // stays a pawn until the choice is played
            b.ToPlay = WhiteChooses;
            return;
        }
    }
    if (p == King) {
        b.QueenCastle1 = false;
        b.KingCastle1 = false;
        if (x1 == 4 && (x2 == 6 || x2 == 2)) {
            Castle(b, 7, x2, +1);
            b.Castled1 = b.PlyCount;
            b.ToPlay = Black;
            return;
        }
    }
    if (p == Rook && y1 == 7) {
        if (x1 == 0) b.QueenCastle1 = false;
        if (x1 == 7) b.KingCastle1 = false;
    }
    if (t != Empty) b.Quiet1 = false;
    OrdinaryTail(b, x1, y1, x2, y2);
}

void BlackMoves(Board& b, int x1, int y1, int x2, int y2) {
    const int p = b.Squares[x1][y1];
    const int t = b.Squares[x2][y2];
    b.Quiet2 = true;
    b.ep2 = p == -Pawn && y1 == 1 && y2 == 3 ? x1 : -1;
    if (p == -Pawn) {
        b.Quiet2 = false;
        if (EnPassant(b, x1, y1, x2, y2, b.ep1, 4, 5)) {
            b.Squares[x1][y1] = Empty;
            b.Squares[x2][5] = -Pawn;
            b.Squares[x2][4] = Empty;
            b.Material -= PieceValue(Pawn);
            CountQuietPair(b);
            b.ToPlay = White;
            return;
        }
        if (y2 == 7) {
            if (t > 0) b.Material -= PieceValue(t);
            b.Squares[x1][y1] = Empty;
            b.Squares[x2][7] = -Pawn;
            CountQuietPair(b);
            b.ToPlay = BlackChooses;
            return;
        }
    }
    if (p == -King) {
        b.QueenCastle2 = false;
        b.KingCastle2 = false;
        if (x1 == 4 && (x2 == 6 || x2 == 2)) {
            Castle(b, 0, x2, -1);
            b.Castled2 = b.PlyCount;
            CountQuietPair(b);
            b.ToPlay = White;
            return;
        }
    }
    if (p == -Rook && y1 == 0) {
        if (x1 == 0) b.QueenCastle2 = false;
        if (x1 == 7) b.KingCastle2 = false;
    }
    if (t != Empty) b.Quiet2 = false;
    CountQuietPair(b);
    OrdinaryTail(b, x1, y1, x2, y2);
}

// Replaces the waiting pawn by the chosen piece; `code` carries the chooser's colour.
void ChoosePromotion(Board& b, int code, int x, int y) {
    b.Squares[x][y] = code;
    if (code > 0) {
        b.Material += PieceValue(code) - PieceValue(Pawn);
        b.ToPlay = Black;
    } else {
        b.Material -= PieceValue(code) - PieceValue(Pawn);
        b.ToPlay = White;
    }
}

} // namespace

bool MakeMove(Board& board, int x1, int y1, int x2, int y2) {
    if (!WithinContract(board, x1, y1, x2, y2)) return false;
    board.CheckVersion += 1;
    board.ListVersion += 1;
    switch (board.ToPlay) {
    case White:
        WhiteMoves(board, x1, y1, x2, y2);
        break;
    case Black:
        BlackMoves(board, x1, y1, x2, y2);
        break;
    default:
        ChoosePromotion(board, y1, x2, y2);
        break;
    }
    return true;
}

void DecideOutcome(Board& board, bool lastHistoryPlace) {
    GetCheck(board);
    if (IsMate(board)) board.Outcome = 3 - board.ToPlay;
    if (IsStalemate(board)) board.Outcome = Drawn;
    // With nowhere to record another position, no further move could be stepped through or
    // saved.
    if (lastHistoryPlace && board.Outcome == InProgress) board.Outcome = Drawn;
}

bool GameMove(Board& board, History& history, int x1, int y1, int x2, int y2) {
    if (HistoryFull(history)) return false;
    if (!MakeMove(board, x1, y1, x2, y2)) return false;
    board.PlyCount += 1;
    DecideOutcome(board, history.Count + 1 == HistorySize);
    PushHistory(history, board);
    return true;
}
