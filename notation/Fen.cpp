#include "notation/Fen.h"

#include <algorithm>
#include <sstream>

#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "engine/Rulesu.h"
#include "engine/Validu.h"
#include "notation/Letteru.h"
#include "notation/San.h"

namespace {

// White's pieces in upper case, Black's in lower case.
int CodeOfLetter(char c) {
    const bool black = c >= 'a' && c <= 'z';
    const int type = PieceOfLetter(black ? static_cast<char>(c - 32) : c);
    return black ? -type : type;
}

bool ReadPlacement(std::string_view placement, Board& board, std::string& error) {
    int x = 0;
    int y = 0;
    for (char c : placement) {
        if (c == '/') {
            if (x != 8) return error = "pieces: a row does not have eight squares", false;
            x = 0;
            if (++y > 7) return error = "pieces: more than eight rows", false;
        } else if (c >= '1' && c <= '8') {
            x += c - '0';
            if (x > 8) return error = "pieces: a row has more than eight squares", false;
        } else {
            const int code = CodeOfLetter(c);
            if (code == 0)
                return error = std::string("pieces: unknown piece letter '") + c + "'", false;
            if (x > 7) return error = "pieces: a row has more than eight squares", false;
            board.Squares[x++][y] = code;
        }
    }
    if (y != 7 || x != 8) return error = "pieces: the board does not have eight full rows", false;
    return true;
}

bool ReadCastling(const std::string& castling, Board& board, std::string& error) {
    board.KingCastle1 = board.QueenCastle1 = board.KingCastle2 = board.QueenCastle2 = false;
    if (castling == "-") return true;
    for (char c : castling) {
        bool* right = c == 'K'   ? &board.KingCastle1
                      : c == 'Q' ? &board.QueenCastle1
                      : c == 'k' ? &board.KingCastle2
                      : c == 'q' ? &board.QueenCastle2
                                 : nullptr;
        if (!right || *right)
            return error = "castling: '" + castling + "' is not '-' or some of K, Q, k, q", false;
        *right = true;
    }
    return true;
}

// The square behind a pawn that has just advanced two squares: rank 3 behind a White pawn,
// rank 6 behind a Black one. Whether that pawn is the one that moved last is ReadFen's test.
bool ReadEnPassant(const std::string& ep, Board& board, std::string& error) {
    if (ep == "-") return true;
    if (ep.size() != 2 || ep[0] < 'a' || ep[0] > 'h' || (ep[1] != '3' && ep[1] != '6'))
        return error = "en passant: '" + ep + "' is not '-' or a square on rank 3 or 6", false;
    (ep[1] == '3' ? board.ep1 : board.ep2) = ep[0] - 'a';
    return true;
}

// Reads a count of at most `most`; an empty field is not one.
bool ReadCount(const std::string& text, int most, int& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= most;
}

// Sets the engine's quiet move pairs and quiet flags from the plies of the halfmove clock: a
// pair is counted when both its moves were quiet, and the odd ply lives in the quiet flags.
void SetHalfmoveClock(Board& board, int plies) {
    int beforeWhite = plies;
    if (board.ToPlay == Black) {
        board.Quiet1 = plies >= 1;
        beforeWhite = plies >= 1 ? plies - 1 : 0;
    }
    board.Bored50 = beforeWhite / 2;
    board.Quiet2 = beforeWhite >= 1;
    if (board.ToPlay == White) board.Quiet1 = beforeWhite >= 2;
}

} // namespace

bool ParseFen(std::string_view fen, Board& board, std::string& error) {
    std::istringstream in{std::string(fen)};
    std::string placement, side, castling = "-", ep = "-", halfmove = "0", fullmove = "1", more;
    if (!(in >> placement >> side)) return error = "a FEN needs pieces and a side to move", false;
    in >> castling >> ep >> halfmove >> fullmove;
    if (in >> more) return error = "a FEN has six fields; this one has more", false;

    Board read{};
    ClearBoard(read);
    if (!ReadPlacement(placement, read, error)) return false;
    if (side == "w")
        read.ToPlay = White;
    else if (side == "b")
        read.ToPlay = Black;
    else
        return error = "side to move: '" + side + "' is not 'w' or 'b'", false;
    if (!ReadCastling(castling, read, error) || !ReadEnPassant(ep, read, error)) return false;

    int plies = 0, moveNumber = 0;
    if (!ReadCount(halfmove, 9999, plies))
        return error = "halfmove clock: '" + halfmove + "' is not a count of plies", false;
    if (!ReadCount(fullmove, MaxFenMoveNumber, moveNumber))
        return error = "move number: '" + fullmove + "' is not a move number", false;
    SetHalfmoveClock(read, plies);
    // Some programs write move number 0 for the first move.
    read.PlyCount = 2 * (moveNumber > 1 ? moveNumber - 1 : 0) + (read.ToPlay == Black ? 1 : 0);
    read.Material = CountMaterial(read);
    board = read;
    return true;
}

bool ReadFen(std::string_view fen, Board& board, std::string& error) {
    Board read{};
    if (!ParseFen(fen, read, error)) return false;
    // Only the side that has just moved can have just advanced a pawn two squares.
    const int wrongFile = read.ToPlay == White ? read.ep1 : read.ep2;
    if (wrongFile >= 0)
        return error = std::string("en passant: ") + static_cast<char>('a' + wrongFile) +
                       (read.ToPlay == White ? "3" : "6") + " is behind a pawn of the side to move",
               false;
    // The same test as a saved game's positions pass: a right whose king or rook has left home
    // is dropped, and a position no game can reach is refused, naming the field to mend.
    SettlePosition(read);
    std::string reason;
    if (!IsReachable(read, reason)) {
        if (!reason.empty() && reason.back() == '.') reason.pop_back();
        const bool ep = reason.find("n passant") != std::string::npos;
        const bool check = reason.find("in check") != std::string::npos;
        error = (ep ? "en passant: " : check ? "side to move: " : "pieces: ") + reason;
        return false;
    }
    board = read;
    return true;
}

bool StartGame(std::string_view fen, History& history, Board& board, std::string& error) {
    Board start{};
    if (!ReadFen(fen, start, error)) return false;
    DecideOutcome(start, false);
    FindLegalMoves(start);
    board = start;
    ResetHistory(history);
    PushHistory(history, board);
    return true;
}

int FenHalfmoveClock(const Board& board) {
    return QuietPliesOf(board);
}

std::string WriteFen(const Board& board, int fullMove) {
    std::string fen;
    for (int y = 0; y < 8; ++y) {
        int empty = 0;
        for (int x = 0; x < 8; ++x) {
            const int code = board.Squares[x][y];
            if (code == Empty) {
                ++empty;
                continue;
            }
            if (empty > 0) fen += static_cast<char>('0' + empty);
            empty = 0;
            const std::string letter = code == Pawn || code == -Pawn ? "P" : PieceLetter(code);
            fen += code > 0 ? letter[0] : static_cast<char>(letter[0] + 32);
        }
        if (empty > 0) fen += static_cast<char>('0' + empty);
        if (y < 7) fen += '/';
    }
    const bool white = board.ToPlay == White;
    fen += white ? " w " : " b ";

    // A right the engine still holds is of use only while king and rook stand at home.
    const auto at = [&](int x, int y, int code) { return board.Squares[x][y] == code; };
    std::string castling;
    if (board.KingCastle1 && at(4, 7, King) && at(7, 7, Rook)) castling += 'K';
    if (board.QueenCastle1 && at(4, 7, King) && at(0, 7, Rook)) castling += 'Q';
    if (board.KingCastle2 && at(4, 0, -King) && at(7, 0, -Rook)) castling += 'k';
    if (board.QueenCastle2 && at(4, 0, -King) && at(0, 0, -Rook)) castling += 'q';
    fen += castling.empty() ? "-" : castling;

    // The en passant square only when a pawn of the side to move can take there.
    const int file = white ? board.ep2 : board.ep1;
    const int from = white ? 3 : 4;
    const int to = white ? 2 : 5;
    std::string ep = "-";
    Board copy = board;
    for (int side : {-1, 1})
        if (file >= 0 && file <= 7 && OnBoard(file + side, from) &&
            copy.Squares[file + side][from] == (white ? Pawn : -Pawn) &&
            IsLegal(copy, file + side, from, file, to))
            ep = SquareName(file, to);
    fen += " " + ep + " " + std::to_string(FenHalfmoveClock(board)) + " " +
           std::to_string(std::clamp(fullMove, 1, MaxFenMoveNumber));
    return fen;
}

int FullMoveNumber(const History& history, int index) {
    const Board& first = history.Snapshots[0];
    const bool whiteFirst = first.ToPlay == White || first.ToPlay == WhiteChooses;
    int ply = first.PlyCount < 0 ? 0 : first.PlyCount;
    if ((ply % 2 == 0) != whiteFirst) ply += 1;
    // A pawn's move waiting for its choice completes its ply at the choice.
    for (int i = 1; i <= index && i < HistorySize; ++i)
        if (history.Snapshots[i].ToPlay == White || history.Snapshots[i].ToPlay == Black) ++ply;
    return ply / 2 + 1;
}

std::string ShownFen(const History& history) {
    int index = history.Count - 1;
    if (index < 0 || index >= HistorySize) return "";
    if (history.Snapshots[index].ToPlay > Black) --index;
    if (index < 0 || history.Snapshots[index].ToPlay > Black) return "";
    return WriteFen(history.Snapshots[index], FullMoveNumber(history, index));
}

std::string MoveText(const Move& move, int promotionPiece) {
    return LongText(ChessMove{move, promotionPiece < 0 ? -promotionPiece : promotionPiece});
}
