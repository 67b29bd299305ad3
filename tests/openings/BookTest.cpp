// The opening book: looking positions up and adding them, and the book file that holds them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "openings/Openingu.h"

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
    AddOpening(*book, board);
    EXPECT_EQ(book->EntryCount, 1);
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
    EXPECT_EQ(book->EntryCount, 2);
    EXPECT_TRUE(FindOpening(*book, board));
    ClearOpenings(*book);
    EXPECT_EQ(book->EntryCount, 0);
    EXPECT_FALSE(FindOpening(*book, Initial()));
}

TEST(OpeningBook, FullOrDamagedCountStaysInsideTheTable) {
    auto book = FullBook();
    AddOpening(*book, Numbered(OpeningBookSize));
    EXPECT_EQ(book->EntryCount, OpeningBookSize);
    EXPECT_FALSE(FindOpening(*book, Numbered(OpeningBookSize)));
    EXPECT_TRUE(FindOpening(*book, Numbered(OpeningBookSize - 1)));

    book->EntryCount = OpeningBookSize + 500;
    EXPECT_FALSE(FindOpening(*book, Numbered(OpeningBookSize)));
    AddOpening(*book, Numbered(OpeningBookSize));
    EXPECT_EQ(WriteOpenings(*book).size(), size_t{82} * OpeningBookSize);
    book->EntryCount = -7;
    EXPECT_FALSE(FindOpening(*book, Numbered(0)));
    EXPECT_EQ(WriteOpenings(*book), "");
    AddOpening(*book, Numbered(3));
    EXPECT_EQ(book->EntryCount, 1);
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

std::string ReadBytes(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// A fresh folder for one test, removed when the test ends.
class BookFolder : public ::testing::Test {
  protected:
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("brisko-book-" + std::to_string(getpid()));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(BookFolder, SavedFullBookLoadsBackTheSame) {
    const auto path = (folder / "book.grd").string();
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

TEST_F(BookFolder, MissingUnreadableOrUnwritableFileChangesNothingOnDisk) {
    auto book = NewBook();
    AddOpening(*book, Initial());
    const auto nowhere = (folder / "no such folder" / "book.grd").string();
    EXPECT_FALSE(SaveOpenings(*book, nowhere));
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_EQ(book->EntryCount, 1);
    // A planted link at a name the writer once used is never written through.
    std::ofstream((folder / "victim").string()) << "kept";
    std::filesystem::create_symlink("victim", (folder / "book.grd.new").string());
    ASSERT_TRUE(SaveOpenings(*book, (folder / "book.grd").string()));
    EXPECT_EQ(ReadBytes(folder / "victim"), "kept");
    // A missing file, a folder, a FIFO, an endless device or a huge file gives an empty book at
    // once.
    ASSERT_EQ(mkfifo((folder / "fifo.grd").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "zero.grd");
    std::ofstream((folder / "huge.grd").string()) << WriteOpenings(*book);
    std::filesystem::resize_file(folder / "huge.grd", std::uintmax_t{10} << 30); // sparse
    for (const char* name : {"absent.grd", ".", "fifo.grd", "zero.grd", "huge.grd"}) {
        const std::string path = (folder / name).string();
        AddOpening(*book, Initial());
        LoadOpenings(*book, path);
        EXPECT_EQ(book->EntryCount, 0) << path;
    }
}

TEST_F(BookFolder, DefaultFileIsInTheWorkingFolder) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    auto book = NewBook();
    AddOpening(*book, Initial());
    SaveOpenings(*book);
    ClearOpenings(*book);
    LoadOpenings(*book);
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::exists(folder / OpeningsFileName));
    EXPECT_TRUE(FindOpening(*book, Initial()));
}

} // namespace
