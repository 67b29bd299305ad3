// Helpers for the opening-book tests: books off the stack, positions from FEN, scratch files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "Fen.h"
#include "Openingu.h"

inline std::unique_ptr<OpeningBook> NewBook() {
    auto book = std::make_unique<OpeningBook>();
    ClearOpenings(*book);
    return book;
}

inline Board FromFen(const std::string& fen) {
    Board board{};
    std::string error;
    EXPECT_TRUE(ReadFen(fen, board, error)) << error;
    return board;
}

// A board whose first eleven squares spell the bits of n, so every n gives a different layout.
inline Board Numbered(int n) {
    Board board{};
    ClearBoard(board);
    for (int k = 0; k < 11; ++k) board.Squares[k % 8][k / 8] = (n >> k) & 1 ? Pawn : -Knight;
    return board;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder for one test, removed when the test ends.
class ScratchFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("brisko-book-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
};
