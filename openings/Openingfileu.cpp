// The book file: eight words of eight piece letters per entry, "." for an empty square.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "openings/Openingu.h"

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

// Reading state kept across chunks of the file: the entry being gathered, the row its current
// word fills and how many characters of that word have been seen.
struct BookScan {
    int32_t Rows[8][8] = {}; // [x][y]
    int Row = 0;
    int Column = 0;
    bool InWord = false;
};

// Ends the current word; a completed group of eight becomes an entry. Returns false once the
// book is full, so the caller can stop reading.
bool EndWord(OpeningBook& book, BookScan& scan) {
    scan.InWord = false;
    scan.Row += 1;
    if (scan.Row < 8) return true;
    scan.Row = 0;
    if (book.EntryCount >= OpeningBookSize) return false;
    std::memcpy(book.Entries[book.EntryCount], scan.Rows, sizeof scan.Rows);
    book.EntryCount += 1;
    return book.EntryCount < OpeningBookSize;
}

// Reads a piece of the text. Returns false once the book is full.
bool Scan(OpeningBook& book, BookScan& scan, const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (IsSpace(c)) {
            if (scan.InWord && !EndWord(book, scan)) return false;
            continue;
        }
        if (!scan.InWord) {
            // Squares past the end of a short word stay empty.
            scan.InWord = true;
            scan.Column = 0;
            for (int x = 0; x < 8; ++x) scan.Rows[x][scan.Row] = Empty;
        }
        if (scan.Column < 8) {
            scan.Rows[scan.Column][scan.Row] = CodeOf(c);
            scan.Column += 1;
        }
    }
    return true;
}

// Ends a word cut off by the end of the text; a group still short of eight words is dropped.
void Finish(OpeningBook& book, BookScan& scan) {
    if (scan.InWord) EndWord(book, scan);
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
    // Written beside the book and renamed over it, so a failed write never leaves a cut-off
    // book behind.
    const std::string text = WriteOpenings(book);
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    std::error_code error;
    if (written) std::filesystem::rename(temporary, path, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

void ReadOpenings(OpeningBook& book, const std::string& text) {
    ClearOpenings(book);
    BookScan scan;
    if (Scan(book, scan, text.data(), text.size())) Finish(book, scan);
}

void LoadOpenings(OpeningBook& book, const std::string& path) {
    ClearOpenings(book);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return;
    // Read in pieces: a huge file costs no more memory than a small one, and reading stops
    // as soon as the book is full.
    BookScan scan;
    char chunk[16384];
    bool room = true;
    size_t got;
    while (room && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        room = Scan(book, scan, chunk, got);
    if (std::ferror(file)) {
        ClearOpenings(book);
    } else if (room) {
        Finish(book, scan);
    }
    std::fclose(file);
}
