// The book file: eight words of eight piece letters per entry, "." for an empty square.
#include <algorithm>
#include <cstring>

#include "openings/Openingu.h"
#include "textfile/Safefileu.h"
#include "textfile/Wordsu.h"

namespace {

// The letter of each code from -6 to 6.
constexpr char Letters[] = "qkbnrp.PRNBKQ";

char LetterOf(int32_t code) {
    if (code < -Queen || code > Queen) return '.';
    return Letters[code + Queen];
}

// Any character but the twelve letters, "." included, is an empty square.
int32_t CodeOf(unsigned char c) {
    for (int32_t code = -Queen; code <= Queen; ++code)
        if (code != Empty && static_cast<unsigned char>(Letters[code + Queen]) == c) return code;
    return Empty;
}

bool IsSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

std::string WriteOpenings(const OpeningBook& book) {
    const int count = std::clamp<int>(book.EntryCount, 0, OpeningBookSize);
    std::string text;
    text.reserve(static_cast<size_t>(count) * 82);
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) text += LetterOf(book.Entries[i][x][y]);
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

bool SaveOpenings(const OpeningBook& book, const std::string& path) {
    return ReplaceFile(path, WriteOpenings(book));
}

void ReadOpenings(OpeningBook& book, const std::string& text) {
    ClearOpenings(book);
    int32_t rows[8][8] = {}; // [x][y] of the entry being gathered
    int row = 0;
    std::size_t i = 0;
    while (book.EntryCount < OpeningBookSize) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        if (i == text.size()) return;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) ++i;
        // No book holds such a word: the file is not a book.
        if (i - start > MaxWordLength) {
            ClearOpenings(book);
            return;
        }
        // Squares past the end of a short word stay empty.
        for (std::size_t x = 0; x < 8; ++x)
            rows[x][row] =
                x < i - start ? CodeOf(static_cast<unsigned char>(text[start + x])) : Empty;
        if (++row < 8) continue;
        row = 0;
        std::memcpy(book.Entries[book.EntryCount], rows, sizeof rows);
        book.EntryCount += 1;
    }
}

void LoadOpenings(OpeningBook& book, const std::string& path) {
    std::string text;
    if (ReadRegularFile(path, MaxOpeningsFileSize, text) == FileRead::Read)
        ReadOpenings(book, text);
    else
        ClearOpenings(book);
}
