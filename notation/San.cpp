#include "notation/San.h"

#include <cstdlib>

#include "engine/Checkmateu.h"
#include "engine/Checku.h"
#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "notation/Letteru.h"

namespace {

bool IsFile(char c) {
    return c >= 'a' && c <= 'h';
}

bool IsRank(char c) {
    return c >= '1' && c <= '8';
}

int PromotionOfLetter(char c) {
    const int type = PieceOfLetter(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
    return type == Queen || type == Rook || type == Bishop || type == Knight ? type : 0;
}

bool IsCastling(const Board& board, const Move& m) {
    return PieceType(board.Squares[m.X1][m.Y1]) == King && std::abs(m.X2 - m.X1) == 2;
}

// Tests whether the move is in the board's legal list, with a promotion piece exactly when the
// pawn reaches its last row.
bool IsLegalChessMove(Board& board, const ChessMove& move) {
    const Move& m = move.Squares;
    if ((board.ToPlay != White && board.ToPlay != Black) || !OnBoard(m.X1, m.Y1) ||
        !OnBoard(m.X2, m.Y2))
        return false;
    const bool promotes = move.Promotion != 0;
    if (ReachesLastRow(board, m) != promotes) return false;
    if (promotes && move.Promotion != Queen && move.Promotion != Rook && move.Promotion != Bishop &&
        move.Promotion != Knight)
        return false;
    FindLegalMoves(board);
    for (int i = 0; i < board.LegalCount; ++i)
        if (SameMove(board.LegalMoves[i], m.X1, m.Y1, m.X2, m.Y2)) return true;
    return false;
}

// What a move text names: the piece type, the to-square, whatever it says of the from-square
// (-1 where it says nothing) and the promotion piece.
struct Wanted {
    int Type = Pawn;
    int FromX = -1, FromY = -1;
    int ToX = -1, ToY = -1;
    int Promotion = 0;
};

MoveRead Match(Board& board, const Wanted& want, ChessMove& move) {
    if (board.ToPlay != White && board.ToPlay != Black) return MoveRead::Illegal;
    FindLegalMoves(board);
    int found = 0;
    for (int i = 0; i < board.LegalCount; ++i) {
        const Move& l = board.LegalMoves[i];
        if (PieceType(board.Squares[l.X1][l.Y1]) != want.Type || l.X2 != want.ToX ||
            l.Y2 != want.ToY || (want.FromX >= 0 && l.X1 != want.FromX) ||
            (want.FromY >= 0 && l.Y1 != want.FromY) ||
            ReachesLastRow(board, l) != (want.Promotion != 0))
            continue;
        move = ChessMove{l, want.Promotion};
        ++found;
    }
    return found == 1 ? MoveRead::Legal : found == 0 ? MoveRead::Illegal : MoveRead::Ambiguous;
}

MoveRead ReadCastling(Board& board, std::string_view text, ChessMove& move) {
    Wanted want;
    want.Type = King;
    want.FromX = 4;
    want.FromY = want.ToY = board.ToPlay == White ? 7 : 0;
    want.ToX = text.size() == 3 ? 6 : 2;
    return Match(board, want, move);
}

} // namespace

bool ReachesLastRow(const Board& board, const Move& m) {
    const int piece = board.Squares[m.X1][m.Y1];
    return (piece == Pawn && m.Y2 == 0) || (piece == -Pawn && m.Y2 == 7);
}

std::string SanText(const Board& position, const ChessMove& move) {
    Board board = position;
    FindLegalMoves(board);
    const Move& m = move.Squares;
    const int piece = board.Squares[m.X1][m.Y1];
    const int type = PieceType(piece);
    std::string text;
    if (IsCastling(board, m)) {
        text = m.X2 == 6 ? "O-O" : "O-O-O";
    } else {
        const bool capture = board.Squares[m.X2][m.Y2] != Empty || (type == Pawn && m.X1 != m.X2);
        if (type == Pawn) {
            if (capture) text += static_cast<char>('a' + m.X1);
        } else {
            text += PieceLetter(piece);
            bool rival = false, sameFile = false, sameRank = false;
            for (int i = 0; i < board.LegalCount; ++i) {
                const Move& l = board.LegalMoves[i];
                if (l.X2 != m.X2 || l.Y2 != m.Y2 || board.Squares[l.X1][l.Y1] != piece ||
                    (l.X1 == m.X1 && l.Y1 == m.Y1))
                    continue;
                rival = true;
                sameFile |= l.X1 == m.X1;
                sameRank |= l.Y1 == m.Y1;
            }
            if (rival && (!sameFile || sameRank)) text += static_cast<char>('a' + m.X1);
            if (rival && sameFile) text += static_cast<char>('8' - m.Y1);
        }
        if (capture) text += 'x';
        text += SquareName(m.X2, m.Y2);
        if (move.Promotion != 0) {
            text += '='; // appended apart: "=" + string trips GCC 12's -Wrestrict at -O3
            text += PieceLetter(move.Promotion);
        }
    }
    if (PlayChessMove(board, move)) {
        const int check = GetCheck(board);
        if (check == board.ToPlay || check == BothInCheck) text += IsMate(board) ? "#" : "+";
    }
    return text;
}

MoveRead ReadSan(Board& board, std::string_view text, ChessMove& move) {
    while (!text.empty() && std::string_view("+#!?").find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    if (text == "O-O" || text == "0-0" || text == "O-O-O" || text == "0-0-0")
        return ReadCastling(board, text, move);

    Wanted want;
    if (!text.empty() && PieceOfLetter(text.front()) != 0) {
        want.Type = PieceOfLetter(text.front());
        text.remove_prefix(1);
    }
    // A promotion piece ends the text, after "=" or straight after the rank.
    if (text.size() >= 2 && PromotionOfLetter(text.back()) != 0 &&
        (text[text.size() - 2] == '=' || IsRank(text[text.size() - 2]))) {
        want.Promotion = PromotionOfLetter(text.back());
        text.remove_suffix(text[text.size() - 2] == '=' ? 2 : 1);
    }
    if (text.size() < 2 || !IsFile(text[text.size() - 2]) || !IsRank(text.back()))
        return MoveRead::Illegal;
    want.ToX = text[text.size() - 2] - 'a';
    want.ToY = '8' - text.back();
    text.remove_suffix(2);
    if (!text.empty() && (text.back() == 'x' || text.back() == '-' || text.back() == ':'))
        text.remove_suffix(1);
    if (!text.empty() && IsRank(text.back())) {
        want.FromY = '8' - text.back();
        text.remove_suffix(1);
    }
    if (!text.empty() && IsFile(text.back())) {
        want.FromX = text.back() - 'a';
        text.remove_suffix(1);
    }
    if (!text.empty()) return MoveRead::Illegal;
    return Match(board, want, move);
}

std::string LongText(const ChessMove& move) {
    const Move& m = move.Squares;
    std::string text = SquareName(m.X1, m.Y1) + SquareName(m.X2, m.Y2);
    static constexpr char Letters[] = "?prnbkq"; // by piece type
    if (move.Promotion > 0 && move.Promotion <= Queen) text += Letters[move.Promotion];
    return text;
}

MoveRead ReadLong(Board& board, std::string_view text, ChessMove& move) {
    if (text.size() < 4 || text.size() > 5 || !IsFile(text[0]) || !IsRank(text[1]) ||
        !IsFile(text[2]) || !IsRank(text[3]))
        return MoveRead::Illegal;
    Wanted want;
    want.FromX = text[0] - 'a';
    want.FromY = '8' - text[1];
    want.ToX = text[2] - 'a';
    want.ToY = '8' - text[3];
    want.Type = PieceType(board.Squares[want.FromX][want.FromY]);
    if (text.size() == 5) {
        want.Promotion = PromotionOfLetter(text[4]);
        if (want.Promotion == 0) return MoveRead::Illegal;
    } else if (ReachesLastRow(board, Move{want.FromX, want.FromY, want.ToX, want.ToY})) {
        want.Promotion = Queen;
    }
    return Match(board, want, move);
}

bool PlayChessMove(Board& board, const ChessMove& move) {
    if (!IsLegalChessMove(board, move)) return false;
    const Move& m = move.Squares;
    MakeMove(board, m.X1, m.Y1, m.X2, m.Y2);
    board.PlyCount += 1;
    if (board.ToPlay == WhiteChooses || board.ToPlay == BlackChooses) {
        const int code = board.ToPlay == WhiteChooses ? move.Promotion : -move.Promotion;
        MakeMove(board, PromotionChoice, code, m.X2, m.Y2);
        board.PlyCount += 1;
    }
    return true;
}

bool GameChessMove(Board& board, History& history, const ChessMove& move) {
    if (!IsLegalChessMove(board, move)) return false;
    const bool promotes = move.Promotion != 0;
    if (history.Count + (promotes ? 2 : 1) > HistorySize) return false;
    const Move& m = move.Squares;
    GameMove(board, history, m.X1, m.Y1, m.X2, m.Y2);
    if (promotes) {
        const int code = board.ToPlay == WhiteChooses ? move.Promotion : -move.Promotion;
        GameMove(board, history, PromotionChoice, code, m.X2, m.Y2);
    }
    return true;
}
