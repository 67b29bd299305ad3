// Helpers for the saved-game tests: games played by square names, a game that a load may
// replace, and edits of a file's text.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "engine/Historyu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "savegame/Savegameu.h"
#include "tests/common/ScratchFolder.h"

// Plays moves such as "e2e4 a7a8q" (a fifth letter answers the promotion choice) from the
// initial position; "back" steps back one position.
inline std::unique_ptr<History> PlayGame(Board& board, const std::string& moves) {
    auto history = std::make_unique<History>();
    SetUpBoard(board);
    ResetHistory(*history);
    PushHistory(*history, board);
    std::istringstream in(moves);
    for (std::string m; in >> m;) {
        const int x1 = m[0] - 'a', y1 = '8' - m[1], x2 = m[2] - 'a', y2 = '8' - m[3];
        if (m == "back") {
            StepBack(*history, board);
            continue;
        }
        EXPECT_TRUE(IsLegal(board, x1, y1, x2, y2) && GameMove(board, *history, x1, y1, x2, y2))
            << m;
        if (m.size() == 5) {
            const int piece = static_cast<int>(std::string("?prnbkq").find(m[4]));
            const int sign = board.ToPlay == WhiteChooses ? 1 : -1;
            EXPECT_TRUE(GameMove(board, *history, PromotionChoice, sign * piece, x2, y2)) << m;
        }
    }
    return history;
}

inline std::string GameText(const std::string& moves) {
    Board board{};
    return SavedGameText(*PlayGame(board, moves));
}

// A game in progress, as the window holds it before a load, after reading `text` into it.
struct Game {
    Board Live{};
    std::unique_ptr<History> Positions = PlayGame(Live, "d2d4 d7d5");
    LoadResult Result{};
    Game() = default;
    explicit Game(const std::string& text) {
        std::istringstream in(text);
        Result = ReadGame(in, *Positions, Live);
    }
    const Board& operator[](int i) const { return Positions->Snapshots[i]; }
    // Every field a saved game carries, as a save would write them.
    std::string Text() const { return SavedGameText(*Positions); }
};

// Replaces the `nth` occurrence of `from`, or every one when `nth` is 0.
inline std::string Replace(std::string text, const std::string& from, const std::string& to,
                           int nth = 0) {
    std::size_t at = 0;
    for (int i = 1; (at = text.find(from, at)) != std::string::npos; ++i)
        if (nth == 0 || i == nth) {
            text.replace(at, from.size(), to);
            at += to.size();
        } else {
            at += from.size();
        }
    return text;
}
