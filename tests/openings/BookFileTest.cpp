// The book file: its exact bytes, and reading text that may have been edited or damaged.
#include <cstring>

#include "BookTestUtil.h"

namespace {

const std::string InitialRows = "rnbqkbnr pppppppp ........ ........ "
                                "........ ........ PPPPPPPP RNBQKBNR ";

Board Initial() {
    Board board{};
    SetUpBoard(board);
    return board;
}

} // namespace

TEST(OpeningFile, WritesEightRowsAndABlankLinePerEntry) {
    auto book = NewBook();
    AddOpening(*book, FromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"));
    EXPECT_EQ(WriteOpenings(*book), "rnbqkbnr\r\npppppppp\r\n........\r\n........\r\n"
                                    "....P...\r\n........\r\nPPPP.PPP\r\nRNBQKBNR\r\n\r\n");
    ClearOpenings(*book);
    EXPECT_EQ(WriteOpenings(*book), "");
}

TEST(OpeningFile, CodesOutsideThePiecesAreWrittenEmpty) {
    auto book = NewBook();
    Board board = Initial();
    board.Squares[0][3] = 7;
    board.Squares[1][3] = -7;
    board.Squares[2][3] = 1000;
    AddOpening(*book, board);
    EXPECT_EQ(WriteOpenings(*book).substr(30, 10), "........\r\n");
}

TEST(OpeningFile, ReadsEveryLetterAndNothingElse) {
    auto book = NewBook();
    ReadOpenings(*book, "pnbrqkPN BRQK.0x- ? ? ? ? ? ?");
    ASSERT_EQ(book->EntryCount, 1);
    const int32_t first[8] = {-Pawn, -Knight, -Bishop, -Rook, -Queen, -King, Pawn, Knight};
    const int32_t second[8] = {Bishop, Rook, Queen, King, 0, 0, 0, 0};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(book->Entries[0][x][0], first[x]) << x;
        EXPECT_EQ(book->Entries[0][x][1], second[x]) << x;
        for (int y = 2; y < 8; ++y) EXPECT_EQ(book->Entries[0][x][y], 0);
    }
}

TEST(OpeningFile, WordsAreCutOrPaddedToEightSquares) {
    auto book = NewBook();
    ReadOpenings(*book, "rnbqkbnrXY pppppppp ........ ........ "
                        "........ ........ PPPPPPPP RNBQKBNR\r\n"
                        "K ........ ........ ........ ........ ........ ........ ........");
    ASSERT_EQ(book->EntryCount, 2);
    EXPECT_TRUE(FindOpening(*book, Initial()));
    EXPECT_EQ(book->Entries[1][0][0], King);
    for (int x = 1; x < 8; ++x) EXPECT_EQ(book->Entries[1][x][0], 0) << x;
}

TEST(OpeningFile, OnlyWordsCountNotLines) {
    auto book = NewBook();
    // Sixteen words on one line, any white space between them, blank lines at the end.
    std::string text = InitialRows + "\t\v\f" + InitialRows + "\r\n\r\n\r\n\n";
    ReadOpenings(*book, text);
    EXPECT_EQ(book->EntryCount, 2);
    // Entries read from a file are taken as they are, even when they repeat.
    EXPECT_EQ(std::memcmp(book->Entries[0], book->Entries[1], sizeof book->Entries[0]), 0);
}

TEST(OpeningFile, ALastGroupShortOfEightWordsIsDropped) {
    auto book = NewBook();
    ReadOpenings(*book, InitialRows + "rnbqkbnr pppppppp ........");
    EXPECT_EQ(book->EntryCount, 1);
    ReadOpenings(*book, "rnbqkbnr");
    EXPECT_EQ(book->EntryCount, 0);
    ReadOpenings(*book, "");
    EXPECT_EQ(book->EntryCount, 0);
    ReadOpenings(*book, " \r\n\t ");
    EXPECT_EQ(book->EntryCount, 0);
}

TEST(OpeningFile, StopsAtAFullBook) {
    std::string text;
    for (int n = 0; n < OpeningBookSize + 3; ++n) {
        auto one = NewBook();
        AddOpening(*one, Numbered(n));
        text += WriteOpenings(*one);
    }
    auto book = NewBook();
    ReadOpenings(*book, text);
    EXPECT_EQ(book->EntryCount, OpeningBookSize);
    EXPECT_TRUE(FindOpening(*book, Numbered(OpeningBookSize - 1)));
    EXPECT_FALSE(FindOpening(*book, Numbered(OpeningBookSize)));
}

TEST(OpeningFile, OddBytesAreEmptySquaresNotSeparators) {
    auto book = NewBook();
    std::string text = InitialRows;
    text[2] = '\0';
    text[5] = static_cast<char>(0xE9);
    ReadOpenings(*book, text);
    ASSERT_EQ(book->EntryCount, 1);
    EXPECT_EQ(book->Entries[0][2][0], 0);
    EXPECT_EQ(book->Entries[0][5][0], 0);
    EXPECT_EQ(book->Entries[0][6][0], -Knight);
}

TEST_F(ScratchFolder, SavedBookLoadsBackTheSame) {
    auto book = NewBook();
    // Enough entries that the reader has to pick words up across its read buffer.
    for (int n = 0; n < 400; ++n) AddOpening(*book, Numbered(n * 7));
    const auto path = (folder / "book.grd").string();
    ASSERT_TRUE(SaveOpenings(*book, path));
    EXPECT_EQ(ReadBytes(path), WriteOpenings(*book));
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    auto loaded = NewBook();
    AddOpening(*loaded, Initial());
    LoadOpenings(*loaded, path);
    ASSERT_EQ(loaded->EntryCount, 400);
    EXPECT_EQ(std::memcmp(loaded->Entries, book->Entries, 400 * sizeof book->Entries[0]), 0);
}

TEST_F(ScratchFolder, SavingReplacesTheFile) {
    const auto path = (folder / "book.grd").string();
    WriteBytes(path, std::string(5000, 'Q'));
    auto book = NewBook();
    AddOpening(*book, Initial());
    ASSERT_TRUE(SaveOpenings(*book, path));
    EXPECT_EQ(ReadBytes(path), WriteOpenings(*book));
    ClearOpenings(*book);
    ASSERT_TRUE(SaveOpenings(*book, path));
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(ScratchFolder, MissingOrUnreadableFileGivesAnEmptyBook) {
    auto book = NewBook();
    AddOpening(*book, Initial());
    LoadOpenings(*book, (folder / "absent.grd").string());
    EXPECT_EQ(book->EntryCount, 0);
    EXPECT_FALSE(FindOpening(*book, Initial()));

    AddOpening(*book, Initial());
    LoadOpenings(*book, folder.string()); // a folder, not a file
    EXPECT_EQ(book->EntryCount, 0);
}

TEST_F(ScratchFolder, UnwritablePlaceChangesNothing) {
    auto book = NewBook();
    AddOpening(*book, Initial());
    const auto path = (folder / "no such folder" / "book.grd").string();
    EXPECT_FALSE(SaveOpenings(*book, path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(book->EntryCount, 1);
}

TEST_F(ScratchFolder, DefaultFileIsInTheWorkingFolder) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    auto book = NewBook();
    AddOpening(*book, Initial());
    SaveOpenings(*book);
    ClearOpenings(*book);
    LoadOpenings(*book);
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::exists(folder / "Openings.grd"));
    EXPECT_EQ(book->EntryCount, 1);
    EXPECT_TRUE(FindOpening(*book, Initial()));
}
