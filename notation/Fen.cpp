#include "notation/Fen.h"

#include <sstream>

namespace {

int CodeOfLetter(char c) {
    int type = 0;
    switch (c | 0x20) { // lower case
    case 'p':
        type = Pawn;
        break;
    case 'r':
        type = Rook;
        break;
    case 'n':
        type = Knight;
        break;
    case 'b':
        type = Bishop;
        break;
    case 'k':
        type = King;
        break;
    case 'q':
        type = Queen;
        break;
    default:
        return 0;
    }
    return (c >= 'a' && c <= 'z') ? -type : type;
}

bool ReadPlacement(std::string_view placement, Board& board, std::string& error) {
    int x = 0;
    int y = 0;
    for (char c : placement) {
        if (c == '/') {
            if (x != 8) return error = "a row does not have eight squares", false;
            x = 0;
            if (++y > 7) return error = "more than eight rows", false;
        } else if (c >= '1' && c <= '8') {
            x += c - '0';
            if (x > 8) return error = "a row has more than eight squares", false;
        } else {
            const int code = CodeOfLetter(c);
            if (code == 0) return error = std::string("unknown piece letter '") + c + "'", false;
            if (x > 7) return error = "a row has more than eight squares", false;
            board.Squares[x++][y] = code;
        }
    }
    if (y != 7 || x != 8) return error = "the board does not have eight full rows", false;
    return true;
}

} // namespace

bool ReadFen(std::string_view fen, Board& board, std::string& error) {
    std::istringstream in{std::string(fen)};
    std::string placement, side, castling = "-", ep = "-";
    if (!(in >> placement >> side)) return error = "a FEN needs pieces and a side to move", false;
    in >> castling >> ep;

    ClearBoard(board);
    if (!ReadPlacement(placement, board, error)) return false;
    if (side == "w")
        board.ToPlay = White;
    else if (side == "b")
        board.ToPlay = Black;
    else
        return error = "the side to move must be 'w' or 'b'", false;

    board.KingCastle1 = castling.find('K') != std::string::npos;
    board.QueenCastle1 = castling.find('Q') != std::string::npos;
    board.KingCastle2 = castling.find('k') != std::string::npos;
    board.QueenCastle2 = castling.find('q') != std::string::npos;

    if (ep != "-") {
        if (ep.size() != 2 || ep[0] < 'a' || ep[0] > 'h' || (ep[1] != '3' && ep[1] != '6'))
            return error = "bad en passant square '" + ep + "'", false;
        // Rank 3 lies behind a White pawn that has just advanced two squares.
        (ep[1] == '3' ? board.ep1 : board.ep2) = ep[0] - 'a';
    }

    board.Material = CountMaterial(board);
    return true;
}

std::string MoveText(const Move& move, int promotionPiece) {
    std::string text;
    text += static_cast<char>('a' + move.X1);
    text += static_cast<char>('8' - move.Y1);
    text += static_cast<char>('a' + move.X2);
    text += static_cast<char>('8' - move.Y2);
    static constexpr char Letters[7] = {0, 'p', 'r', 'n', 'b', 'k', 'q'};
    const int type = promotionPiece < 0 ? -promotionPiece : promotionPiece;
    if (type > 0 && type < 7) text += Letters[type];
    return text;
}
