// The opening book: looking positions up and adding them, and the book file that holds them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>

#include <sys/stat.h>

#include "openings/Openingu.h"
#include "tests/common/ScratchFolder.h"

namespace {

std::unique_ptr<OpeningBook> NewBook() {
    auto book = std::make_unique<OpeningBook>();
    ClearOpenings(*book);
    return book;
}

// A board whose first eleven squares spell the bits of n, so every n gives a different layout.
Board Numbered(int n) {
    Board board{};
    ClearBoard(board);
    for (int k = 0; k < 11; ++k) board.Squares[k % 8][k / 8] = (n >> k) & 1 ? Pawn : -Knight;
    return board;
}

std::unique_ptr<OpeningBook> FullBook() {
    auto book = NewBook();
    for (int n = 0; n < OpeningBookSize; ++n) AddOpening(*book, Numbered(n));
    return book;
}

TEST(OpeningBook, AnEntryIsThePiecesOnlyAndIsHeldOnce) {
    auto book = NewBook();
    Board board{};
    SetUpBoard(board);
    EXPECT_FALSE(FindOpening(*book, board));
    AddOpening(*book, board);
    // Same squares, other turn, rights and en passant file: the same entry.
    board.ToPlay = Black;
    board.KingCastle1 = false;
    board.ep2 = 4;
    EXPECT_TRUE(FindOpening(*book, board));
    AddOpening(*book, board);
    EXPECT_EQ(book->EntryCount, 1);
    // One square different is another position.
    board.Squares[4][4] = Pawn;
    EXPECT_FALSE(FindOpening(*book, board));
    AddOpening(*book, board);
    EXPECT_TRUE(FindOpening(*book, board));
    EXPECT_EQ(book->EntryCount, 2);

    // A full book takes no more.
    book = FullBook();
    AddOpening(*book, Numbered(OpeningBookSize));
    EXPECT_EQ(book->EntryCount, OpeningBookSize);
    EXPECT_FALSE(FindOpening(*book, Numbered(OpeningBookSize)));
    EXPECT_TRUE(FindOpening(*book, Numbered(OpeningBookSize - 1)));
}

// The file text of entries given as rows between spaces, eight rows an entry.
std::string Written(const std::string& rows) {
    std::string text;
    std::istringstream in(rows);
    int n = 0;
    for (std::string row; in >> row;) text += row + (++n % 8 ? "\r\n" : "\r\n\r\n");
    return text;
}

// The writer's layout is pinned by the shipped book, which it writes again byte for byte.
TEST(OpeningFile, ReadsEightWordsPerEntryWhateverTheLines) {
    const std::string rows = "rnbqkbnr pppppppp ........ ........ ........ ........ PPPPPPPP "
                             "RNBQKBNR ";
    std::string oddBytes = rows;
    oddBytes[2] = '\0';
    oddBytes[5] = static_cast<char>(0xE9);
    // Each row: a file's text, and the rows of the entries it reads as.
    const std::pair<std::string, std::string> files[] = {
        {"", ""},
        {" \r\n\t ", ""},
        {rows + "rnbqkbnr pppppppp ........", rows},          // a short last group is dropped
        {rows + "\t\v\f" + rows + "\r\n\r\n\n", rows + rows}, // repeats are kept
        {"pnbrqkPN BRQK.0x- ? ? ? ? ? ?",
         "pnbrqkPN BRQK.... ........ ........ ........ ........ ........ ........"},
        // Long words are cut, short ones padded with empty squares.
        {"rnbqkbnrXY " + rows.substr(9) + "K Q R B N P k q",
         rows + "K....... Q....... R....... B....... N....... P....... k....... q......."},
        {oddBytes, "rn.qk.nr" + rows.substr(8)},
        // No book holds a word longer than 1023 characters: the whole file is refused.
        {std::string(1023, 'K') + rows.substr(8), "KKKKKKKK" + rows.substr(8)},
        {rows + std::string(1024, 'K') + " " + rows.substr(9), ""},
    };
    for (const auto& [text, entries] : files) {
        auto book = NewBook();
        AddOpening(*book, Numbered(1));
        ReadOpenings(*book, text);
        EXPECT_EQ(WriteOpenings(*book), Written(entries)) << text;
    }
}

// A saved full book, and entries past it, load up to the size limit; a larger file, a missing
// one, a FIFO or an endless device gives an empty book at once.
TEST(OpeningFile, OnlyARegularFileOfABooksSizeIsRead) {
    const ScratchFolder folder;
    const std::string path = folder.File("book.grd");
    std::ofstream(path) << std::string(5000, 'Q');
    auto book = FullBook();
    ASSERT_TRUE(SaveOpenings(*book, path));
    const std::string text = WriteOpenings(*book);
    EXPECT_EQ(ReadBytes(path), text);
    std::ofstream(path, std::ios::app)
        << Written("PPPPPPPP PPPPPPPP PPPPPPPP PPPPPPPP PPPPPPPP PPPPPPPP PPPPPPPP PPPPPPPP")
        << std::string(MaxOpeningsFileSize - text.size() - 82, ' ');
    auto loaded = NewBook();
    LoadOpenings(*loaded, path);
    ASSERT_EQ(loaded->EntryCount, OpeningBookSize);
    EXPECT_EQ(std::memcmp(loaded->Entries, book->Entries, sizeof book->Entries), 0);

    std::ofstream(path, std::ios::app) << ' ';
    ASSERT_EQ(mkfifo(folder.File("fifo.grd").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.grd"));
    for (const char* name : {"book.grd", "absent.grd", "fifo.grd", "zero.grd"}) {
        AddOpening(*book, Numbered(1));
        LoadOpenings(*book, folder.File(name));
        EXPECT_EQ(book->EntryCount, 0) << name;
    }
}

} // namespace
