#include "openings/Openingu.h"

#include <algorithm>
#include <cstring>

static_assert(sizeof(OpeningBook::Entries[0]) == sizeof(Board::Squares),
              "an entry is laid out like the board's squares");

namespace {

// A count set by hand or by a damaged record still never reaches past the table.
int ValidCount(const OpeningBook& book) {
    return std::clamp<int>(book.EntryCount, 0, OpeningBookSize);
}

} // namespace

bool FindOpening(const OpeningBook& book, const Board& board) {
    const int count = ValidCount(book);
    for (int i = 0; i < count; ++i)
        if (std::memcmp(book.Entries[i], board.Squares, sizeof board.Squares) == 0) return true;
    return false;
}

void AddOpening(OpeningBook& book, const Board& board) {
    if (FindOpening(book, board)) return;
    const int count = ValidCount(book);
    if (count >= OpeningBookSize) return;
    std::memcpy(book.Entries[count], board.Squares, sizeof board.Squares);
    book.EntryCount = count + 1;
}

void ClearOpenings(OpeningBook& book) {
    book.EntryCount = 0;
}
