// The opening book: board layouts the computer likes to reach, read from "Openings.grd".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/Boardu.h"

inline constexpr int OpeningBookSize = 1024;
// The book's file, in the working folder.
inline constexpr const char* OpeningsFileName = "Openings.grd";
// A full book takes 84 KB. The book is read at every new game, so a file larger than this is
// not read at all.
inline constexpr std::size_t MaxOpeningsFileSize = 1 << 20;

// Entries[i] holds 64 piece codes indexed [x][y] like Board::Squares; valid for i < EntryCount.
struct OpeningBook {
    int32_t Entries[OpeningBookSize][8][8];
    int32_t EntryCount;
};

// Tests whether the board's squares equal some entry; no other field of the board is read.
bool FindOpening(const OpeningBook& book, const Board& board);

// Appends the board's squares unless the book already holds them or is full.
void AddOpening(OpeningBook& book, const Board& board);

// Empties the book; the file is not touched.
void ClearOpenings(OpeningBook& book);

// Writes every entry to `path`, replacing it. A file that cannot be written is left as it was,
// and the answer is false.
bool SaveOpenings(const OpeningBook& book, const std::string& path);

// Replaces the book by the entries of the file at `path`; a missing or unreadable file, one
// that is not a regular file (a FIFO, a device) or one larger than MaxOpeningsFileSize leaves
// the book empty.
void LoadOpenings(OpeningBook& book, const std::string& path);

// Replaces the book by the entries read from the text of a book file. Words are taken eight
// at a time, one per row; a last group of fewer than eight words is dropped, and so is every
// group after the 1024th. A word longer than 1023 characters before the book is full leaves the
// book empty.
void ReadOpenings(OpeningBook& book, const std::string& text);

// Returns the text SaveOpenings writes for the book.
std::string WriteOpenings(const OpeningBook& book);
