// Helpers shared by the rules-engine tests: positions from FEN, squares by name, and a
// consistency check of the record to run after every move a test makes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/Boardu.h"
#include "engine/Legalu.h"
#include "notation/Fen.h"

// Square coordinates from a name such as "e4".
struct Sq {
    int x, y;
    Sq(const char* name) : x(name[0] - 'a'), y('8' - name[1]) {}
};

inline Board FromFen(const std::string& fen) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ParseFen(fen, board, error)) << error;
    return board;
}

inline Board Initial() {
    Board board{};
    SetUpBoard(board);
    return board;
}

inline int At(const Board& board, Sq s) {
    return board.Squares[s.x][s.y];
}

// Counts the from/to pairs IsLegal accepts, without the list and its capacity.
inline int CountLegalPairs(Board& board) {
    int count = 0;
    for (int x1 = 0; x1 < 8; ++x1)
        for (int y1 = 0; y1 < 8; ++y1)
            for (int x2 = 0; x2 < 8; ++x2)
                for (int y2 = 0; y2 < 8; ++y2) count += IsLegal(board, x1, y1, x2, y2);
    return count;
}

// Checks what must hold after every move: one king each, material in step with the squares,
// a state code in range, and a waiting pawn exactly when a choice is pending.
inline void ExpectConsistent(const Board& board) {
    int whiteKings = 0, blackKings = 0, waitingWhite = 0, waitingBlack = 0;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int code = board.Squares[x][y];
            ASSERT_GE(code, -6);
            ASSERT_LE(code, 6);
            whiteKings += code == King;
            blackKings += code == -King;
            waitingWhite += y == 0 && code == Pawn;
            waitingBlack += y == 7 && code == -Pawn;
        }
    }
    EXPECT_EQ(whiteKings, 1);
    EXPECT_EQ(blackKings, 1);
    EXPECT_EQ(board.Material, CountMaterial(board));
    ASSERT_GE(board.ToPlay, 1);
    ASSERT_LE(board.ToPlay, 4);
    EXPECT_EQ(waitingWhite, board.ToPlay == WhiteChooses ? 1 : 0);
    EXPECT_EQ(waitingBlack, board.ToPlay == BlackChooses ? 1 : 0);
}
