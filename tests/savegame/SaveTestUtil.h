// Helpers for the saved-game tests: games played by square names, scratch folders, and
// comparisons of the fields a saved game carries.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Boardu.h"
#include "Historyu.h"
#include "Legalu.h"
#include "Makemoveu.h"
#include "Savegameu.h"

// A history starting from the initial position, as a new game leaves it.
inline std::unique_ptr<History> NewGame(Board& board) {
    auto history = std::make_unique<History>();
    SetUpBoard(board);
    ResetHistory(*history);
    PushHistory(*history, board);
    return history;
}

// Plays moves such as "e2e4"; a fifth letter (q, r, b, n) answers the promotion choice.
inline void Play(Board& board, History& history, std::initializer_list<const char*> moves) {
    for (const char* m : moves) {
        const int x1 = m[0] - 'a', y1 = '8' - m[1], x2 = m[2] - 'a', y2 = '8' - m[3];
        ASSERT_TRUE(IsLegal(board, x1, y1, x2, y2)) << m;
        ASSERT_TRUE(GameMove(board, history, x1, y1, x2, y2)) << m;
        if (m[4] != '\0') {
            const int piece = std::string("?prnbkq").find(m[4]);
            const int sign = board.ToPlay == WhiteChooses ? 1 : -1;
            ASSERT_TRUE(GameMove(board, history, PromotionChoice, sign * piece, x2, y2)) << m;
        }
    }
}

// The fields a saved game carries, plus those the reader works out from them.
inline void ExpectSamePosition(const Board& a, const Board& b, int index) {
    SCOPED_TRACE("position " + std::to_string(index));
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) EXPECT_EQ(a.Squares[x][y], b.Squares[x][y]) << x << "," << y;
    EXPECT_EQ(a.ToPlay, b.ToPlay);
    EXPECT_EQ(a.QueenCastle1, b.QueenCastle1);
    EXPECT_EQ(a.KingCastle1, b.KingCastle1);
    EXPECT_EQ(a.QueenCastle2, b.QueenCastle2);
    EXPECT_EQ(a.KingCastle2, b.KingCastle2);
    EXPECT_EQ(a.ep1, b.ep1);
    EXPECT_EQ(a.ep2, b.ep2);
    EXPECT_EQ(a.Bored50, b.Bored50);
    for (auto field : {&Board::Recent1, &Board::PenRecent1, &Board::Recent2, &Board::PenRecent2})
        EXPECT_EQ(std::memcmp(&(a.*field), &(b.*field), sizeof(Move)), 0);
    EXPECT_EQ(a.Repetition1, b.Repetition1);
    EXPECT_EQ(a.PleaseAdd1, b.PleaseAdd1);
    EXPECT_EQ(a.Repetition2, b.Repetition2);
    EXPECT_EQ(a.PleaseAdd2, b.PleaseAdd2);
    EXPECT_EQ(a.RepStale, b.RepStale);
    EXPECT_EQ(a.Material, b.Material);
    EXPECT_EQ(a.Outcome, b.Outcome);
    EXPECT_EQ(a.CheckStatus, b.CheckStatus);
}

inline LoadResult ReadText(const std::string& text, History& history, Board& board) {
    std::istringstream in(text);
    return ReadGame(in, history, board);
}

// A folder of its own under the system's temporary folder, removed afterwards.
struct ScratchFolder {
    std::filesystem::path Path;
    ScratchFolder() {
        Path = std::filesystem::temp_directory_path() /
               ("brisko-savegame-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(Path); }
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Path))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The bytes of a record, to show that a refused load changed nothing.
template <class T> std::vector<unsigned char> Bytes(const T& value) {
    std::vector<unsigned char> bytes(sizeof(T));
    std::memcpy(bytes.data(), &value, sizeof(T));
    return bytes;
}
