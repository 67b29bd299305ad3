// The opening book: looking positions up and adding them, and the book file that holds them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>

#include <sys/stat.h>

#include "openings/Openingu.h"
#include "tests/common/ScratchFolder.h"

namespace {

std::unique_ptr<OpeningBook> NewBook() {
    auto book = std::make_unique<OpeningBook>();
    ClearOpenings(*book);
    return book;
}

Board Initial() {
    Board board{};
    SetUpBoard(board);
    return board;
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
    Board board = Initial();
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
    ClearOpenings(*book);
    EXPECT_FALSE(FindOpening(*book, Initial()));

    // A full book takes no more.
    book = FullBook();
    AddOpening(*book, Numbered(OpeningBookSize));
    EXPECT_EQ(book->EntryCount, OpeningBookSize);
    EXPECT_FALSE(FindOpening(*book, Numbered(OpeningBookSize)));
    EXPECT_TRUE(FindOpening(*book, Numbered(OpeningBookSize - 1)));
}

TEST(OpeningFile, WritesEightRowsAndABlankLinePerEntry) {
    auto book = NewBook();
    EXPECT_EQ(WriteOpenings(*book), "");
    Board board = Initial();
    board.Squares[4][6] = Empty;
    board.Squares[4][4] = Pawn;
    board.Squares[0][3] = 7; // codes outside the pieces are written empty
    board.Squares[1][3] = -7;
    board.Squares[2][3] = 1000;
    AddOpening(*book, board);
    EXPECT_EQ(WriteOpenings(*book), "rnbqkbnr\r\npppppppp\r\n........\r\n........\r\n"
                                    "....P...\r\n........\r\nPPPP.PPP\r\nRNBQKBNR\r\n\r\n");
}

TEST(OpeningFile, ReadsEightWordsPerEntryWhateverTheLines) {
    const std::string initial = "rnbqkbnrpppppppp" + std::string(32, '.') + "PPPPPPPPRNBQKBNR";
    const std::string rows = "rnbqkbnr pppppppp ........ ........ ........ ........ PPPPPPPP "
                             "RNBQKBNR ";
    std::string oddBytes = rows;
    oddBytes[2] = '\0';
    oddBytes[5] = static_cast<char>(0xE9);
    // Each row: the text, and the squares of the entries read, eight rows of eight at a time.
    const struct {
        std::string Text, Squares;
    } files[] = {
        {"", ""},
        {" \r\n\t ", ""},
        {"rnbqkbnr", ""},
        {rows + "rnbqkbnr pppppppp ........", initial},             // a short last group is dropped
        {rows + "\t\v\f" + rows + "\r\n\r\n\n", initial + initial}, // repeats are kept
        {"pnbrqkPN BRQK.0x- ? ? ? ? ? ?", "pnbrqkPNBRQK" + std::string(52, '.')},
        {"rnbqkbnrXY" + rows.substr(8) +
             "K ........ ........ ........ ........ ........ ........ ........",
         initial + "K" + std::string(63, '.')}, // long words are cut, short ones padded
        {oddBytes, "rn.qk.nr" + initial.substr(8)},
        // No book holds a word longer than 1023 characters: the whole file is refused.
        {std::string(1023, 'K') + " " + rows.substr(9), "KKKKKKKK" + initial.substr(8)},
        {rows + std::string(1024, 'K') + " " + rows.substr(9), ""},
    };
    for (const auto& file : files) {
        auto book = NewBook();
        AddOpening(*book, Numbered(1));
        ReadOpenings(*book, file.Text);
        ASSERT_EQ(book->EntryCount * 64, static_cast<int>(file.Squares.size())) << file.Text;
        for (int i = 0; i < book->EntryCount * 64; ++i) {
            const char c = file.Squares[i];
            const int code = c == '.' ? 0 : std::string(".prnbkq").find(std::tolower(c));
            EXPECT_EQ(book->Entries[i / 64][i % 8][i % 64 / 8], std::islower(c) ? -code : code)
                << file.Text << " square " << i;
        }
    }
}

TEST(OpeningFile, SavedFullBookLoadsBackTheSame) {
    const ScratchFolder folder;
    const std::string path = folder.File("book.grd");
    std::ofstream(path) << std::string(5000, 'Q');
    auto book = FullBook();
    ASSERT_TRUE(SaveOpenings(*book, path));
    EXPECT_EQ(ReadBytes(path), WriteOpenings(*book));
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    auto loaded = NewBook();
    AddOpening(*loaded, Initial());
    LoadOpenings(*loaded, path);
    ASSERT_EQ(loaded->EntryCount, OpeningBookSize);
    EXPECT_EQ(std::memcmp(loaded->Entries, book->Entries, sizeof book->Entries), 0);

    // Entries past a full book are dropped.
    auto extra = NewBook();
    AddOpening(*extra, Numbered(OpeningBookSize));
    std::ofstream(path, std::ios::app) << WriteOpenings(*extra);
    LoadOpenings(*loaded, path);
    EXPECT_EQ(loaded->EntryCount, OpeningBookSize);
    EXPECT_FALSE(FindOpening(*loaded, Numbered(OpeningBookSize)));
}

TEST(OpeningFile, MissingUnreadableOrUnwritableFileChangesNothingOnDisk) {
    const ScratchFolder folder;
    auto book = NewBook();
    AddOpening(*book, Initial());
    const std::string nowhere = folder.File("no such folder/book.grd");
    EXPECT_FALSE(SaveOpenings(*book, nowhere));
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_EQ(book->EntryCount, 1);
    // A planted link at a name the writer once used is never written through.
    std::ofstream(folder.File("victim")) << "kept";
    std::filesystem::create_symlink("victim", folder.File("book.grd.new"));
    ASSERT_TRUE(SaveOpenings(*book, folder.File("book.grd")));
    EXPECT_EQ(ReadBytes(folder.File("victim")), "kept");
    // A missing file, a folder, a FIFO, an endless device or a huge file gives an empty book at
    // once.
    ASSERT_EQ(mkfifo(folder.File("fifo.grd").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.grd"));
    std::ofstream(folder.File("huge.grd")) << WriteOpenings(*book);
    std::filesystem::resize_file(folder.File("huge.grd"), std::uintmax_t{10} << 30); // sparse
    for (const char* name : {"absent.grd", "", "fifo.grd", "zero.grd", "huge.grd"}) {
        const std::string path = folder.File(name);
        AddOpening(*book, Initial());
        LoadOpenings(*book, path);
        EXPECT_EQ(book->EntryCount, 0) << path;
    }
}

} // namespace
