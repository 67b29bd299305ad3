#include "engine/Boardu.h"

#include <cstddef>
#include <cstring>

void CopyPosition(Board& to, const Board& from) {
    constexpr size_t listStart = offsetof(Board, LegalMoves);
    constexpr size_t listEnd = offsetof(Board, LegalCount);
    auto* target = reinterpret_cast<unsigned char*>(&to);
    const auto* source = reinterpret_cast<const unsigned char*>(&from);
    std::memcpy(target, source, listStart);
    std::memcpy(target + listEnd, source + listEnd, sizeof(Board) - listEnd);
    // Only a current list is ever read, and only its first LegalCount entries.
    if (from.ListVersionSeen == from.ListVersion && from.LegalCount > 0) {
        const int count = from.LegalCount < MaxLegalMoves ? from.LegalCount : MaxLegalMoves;
        std::memcpy(to.LegalMoves, from.LegalMoves, sizeof(Move) * static_cast<size_t>(count));
    }
}

void ClearBoard(Board& board) {
    board.PlyCount = 0;
    for (auto& file : board.Squares)
        for (auto& square : file) square = Empty;
    board.ToPlay = White;
    board.Outcome = InProgress;
    board.CheckStatus = 0;
    board.Material = 0;
    board.QueenCastle1 = true;
    board.KingCastle1 = true;
    board.QueenCastle2 = true;
    board.KingCastle2 = true;
    board.Castled1 = 0;
    board.Castled2 = 0;
    board.ep1 = -1;
    board.ep2 = -1;
    board.Bored50 = 0;
    board.Recent1.X1 = NoMove;
    board.PenRecent1.X1 = NoMove;
    board.Repetition1 = 0;
    board.PleaseAdd1 = false;
    board.Recent2.X1 = NoMove;
    board.PenRecent2.X1 = NoMove;
    board.Repetition2 = 0;
    board.PleaseAdd2 = false;
    board.RepStale = false;
    // Unequal pairs: both caches are rebuilt on first use.
    board.CheckVersion = 1;
    board.CheckVersionSeen = 0;
    board.ListVersion = 1;
    board.ListVersionSeen = 0;
}

void SetUpBoard(Board& board) {
    static constexpr int32_t BackRank[8] = {Rook, Knight, Bishop, Queen,
                                            King, Bishop, Knight, Rook};
    ClearBoard(board);
    for (int x = 0; x < 8; ++x) {
        board.Squares[x][0] = -BackRank[x];
        board.Squares[x][1] = -Pawn;
        board.Squares[x][6] = Pawn;
        board.Squares[x][7] = BackRank[x];
    }
    board.ToPlay = White;
}

int GetSquare(const Board& board, int x, int y) {
    return OnBoard(x, y) ? board.Squares[x][y] : Empty;
}

int CountMaterial(const Board& board) {
    int material = 0;
    for (const auto& file : board.Squares)
        for (int code : file) material += code > 0 ? PieceValue(code) : -PieceValue(code);
    return material;
}

int PieceValue(int code) {
    switch (code < 0 ? -code : code) {
    case Pawn:
        return 100;
    case Knight:
    case Bishop:
        return 300;
    case Rook:
        return 500;
    case Queen:
        return 900;
    default:
        return 0;
    }
}
