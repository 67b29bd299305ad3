// bookgen LIST BOOK: plays every opening line of LIST from the initial position and writes
// each position reached into the book file BOOK.
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine/Historyu.h"
#include "engine/Legalu.h"
#include "engine/Makemoveu.h"
#include "openings/Openingu.h"

namespace {

constexpr int MaxPlies = 12;

// Reads "e2e4" into board coordinates; row 0 is the eighth rank.
bool ReadMove(const std::string& word, Move& move) {
    if (word.size() != 4) return false;
    const auto file = [](char c) { return c >= 'a' && c <= 'h' ? c - 'a' : -1; };
    const auto row = [](char c) { return c >= '1' && c <= '8' ? '8' - c : -1; };
    move = {file(word[0]), row(word[1]), file(word[2]), row(word[3])};
    return move.X1 >= 0 && move.Y1 >= 0 && move.X2 >= 0 && move.Y2 >= 0;
}

// Plays one line and adds the position after each ply. Returns false with a reason.
bool PlayLine(const std::string& line, OpeningBook& book, History& history, std::string& error) {
    Board board{};
    SetUpBoard(board);
    ResetHistory(history);
    PushHistory(history, board);
    std::istringstream words(line);
    std::string word;
    int ply = 0;
    while (words >> word) {
        Move move{};
        ply += 1;
        if (ply > MaxPlies) {
            error = "longer than " + std::to_string(MaxPlies) + " plies";
            return false;
        }
        if (!ReadMove(word, move)) {
            error = "\"" + word + "\" is not a move like e2e4";
            return false;
        }
        if (board.ToPlay > Black || board.Outcome != InProgress ||
            !IsLegal(board, move.X1, move.Y1, move.X2, move.Y2) ||
            !GameMove(board, history, move.X1, move.Y1, move.X2, move.Y2)) {
            error = "illegal move " + word + " at ply " + std::to_string(ply);
            return false;
        }
        if (board.ToPlay > Black) {
            error = "promotion at ply " + std::to_string(ply) + " (not supported)";
            return false;
        }
        const int before = book.EntryCount;
        AddOpening(book, board);
        if (book.EntryCount == before && !FindOpening(book, board)) {
            error = "the book is full";
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bookgen LIST BOOK\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    if (!list) {
        std::fprintf(stderr, "bookgen: cannot read %s\n", argv[1]);
        return 1;
    }
    // Both records are large; keep them off the stack.
    auto book = std::make_unique<OpeningBook>();
    auto history = std::make_unique<History>();
    ClearOpenings(*book);

    std::string line;
    int number = 0;
    int lines = 0;
    while (std::getline(list, line)) {
        number += 1;
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::string error;
        if (!PlayLine(line, *book, *history, error)) {
            std::fprintf(stderr, "bookgen: %s:%d: %s\n", argv[1], number, error.c_str());
            return 1;
        }
        lines += 1;
    }
    if (!SaveOpenings(*book, argv[2])) {
        std::fprintf(stderr, "bookgen: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("bookgen: %d lines, %d positions\n", lines, book->EntryCount);
    return 0;
}
