#include "strongplayer/Convert.h"

#include "engine/Findu.h"
#include "notation/Fen.h"
#include "strongplayer/Movegen.h"

namespace strong {
namespace {

// Piece types by the game's codes 0..6 (empty, pawn, rook, knight, bishop, king, queen).
constexpr int TypeOfCode[7] = {NoType, Pawns, Rooks, Knights, Bishops, Kings, Queens};
// The game's code of each piece type.
constexpr int CodeOfType[6] = {::Pawn, ::Knight, ::Bishop, ::Rook, ::Queen, ::King};

// An en passant square only behind a pawn that has just advanced two squares and with a pawn
// of the side to move beside it.
int EnPassantSquare(const Position& p, int file) {
    if (file < 0 || file > 7) return -1;
    const int us = p.Side;
    const int square = SquareAt(file, us == WhiteSide ? 5 : 2);
    if (p.Squares[square] != NoPiece || p.Squares[square ^ 8] != MakePiece(us ^ 1, Pawns))
        return -1;
    return (PawnAttacks(us ^ 1, square) & p.Pieces[us][Pawns]) ? square : -1;
}

} // namespace

std::vector<ChessMove> AllowedMoves(const Board& board) {
    std::vector<ChessMove> moves;
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move& m = board.LegalMoves[i];
        if (m.X1 != PromotionChoice && ReachesLastRow(board, m)) {
            for (const int piece : {::Queen, ::Rook, ::Bishop, ::Knight})
                moves.push_back({m, piece});
        } else {
            moves.push_back({m, 0});
        }
    }
    return moves;
}

bool FromBoard(const Board& board, Position& p) {
    Clear(p);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int code = board.Squares[x][y];
            if (code == 0) continue;
            const int magnitude = code < 0 ? -code : code;
            if (magnitude > 6) return false;
            PutPiece(p, MakePiece(code > 0 ? WhiteSide : BlackSide, TypeOfCode[magnitude]),
                     SquareOfXY(x, y));
        }
    if (Count(p.Pieces[0][Kings]) != 1 || Count(p.Pieces[1][Kings]) != 1) return false;
    const int toPlay = board.ToPlay;
    if (toPlay < White || toPlay > BlackChooses) return false;
    p.Side = toPlay == White || toPlay == WhiteChooses ? WhiteSide : BlackSide;
    const auto at = [&p](int square, int colour, int type) {
        return p.Squares[square] == MakePiece(colour, type);
    };
    const bool whiteKing = at(4, WhiteSide, Kings), blackKing = at(60, BlackSide, Kings);
    if (board.KingCastle1 && whiteKing && at(7, WhiteSide, Rooks)) p.Castling |= WhiteShort;
    if (board.QueenCastle1 && whiteKing && at(0, WhiteSide, Rooks)) p.Castling |= WhiteLong;
    if (board.KingCastle2 && blackKing && at(63, BlackSide, Rooks)) p.Castling |= BlackShort;
    if (board.QueenCastle2 && blackKing && at(56, BlackSide, Rooks)) p.Castling |= BlackLong;
    p.GamePly = board.PlyCount > 0 ? board.PlyCount : 0;
    if (toPlay == WhiteChooses || toPlay == BlackChooses) {
        const int file = WaitingPawnFile(board);
        if (file < 0) return false;
        p.Pending = SquareAt(file, toPlay == WhiteChooses ? 7 : 0);
        p.Rule50 = 0;
    } else {
        p.EnPassant = EnPassantSquare(p, toPlay == White ? board.ep2 : board.ep1);
        p.Rule50 = FenHalfmoveClock(board);
    }
    Refresh(p);
    return true;
}

ChessMove ToChessMove(const Position& p, Move16 m) {
    const int from = FromOf(m), to = ToOf(m);
    const int x2 = FileOf(to), y2 = 7 - RankOf(to);
    const bool promotes = KindOf(m) == PromotionMove;
    const int piece = promotes ? CodeOfType[PromotionOf(m)] : 0;
    if (p.Pending >= 0)
        return ChessMove{Move{PromotionChoice, p.Side == WhiteSide ? piece : -piece, x2, y2},
                         piece};
    return ChessMove{Move{FileOf(from), 7 - RankOf(from), x2, y2}, piece};
}

Move16 FromChessMove(Position& p, const ChessMove& move) {
    MoveList legal;
    GenerateLegal(p, legal);
    for (int i = 0; i < legal.Count; ++i) {
        const Move16 m = legal.Moves[i];
        const ChessMove game = ToChessMove(p, m);
        if (p.Pending >= 0) {
            if (move.Squares == game.Squares) return m;
            continue;
        }
        const int wanted =
            KindOf(m) == PromotionMove && move.Promotion == 0 ? ::Queen : move.Promotion;
        if (move.Squares == game.Squares && wanted == game.Promotion) return m;
    }
    return NoMove16;
}

} // namespace strong
