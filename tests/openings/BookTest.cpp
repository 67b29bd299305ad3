// Looking up, adding and clearing positions in the book.
#include "BookTestUtil.h"

TEST(OpeningBook, EmptyBookFindsNothing) {
    auto book = NewBook();
    Board board{};
    SetUpBoard(board);
    EXPECT_FALSE(FindOpening(*book, board));
    ClearBoard(board);
    EXPECT_FALSE(FindOpening(*book, board));
}

TEST(OpeningBook, EntryIsThePiecesOnly) {
    auto book = NewBook();
    Board white = FromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1");
    AddOpening(*book, white);
    AddOpening(*book, white);
    EXPECT_EQ(book->EntryCount, 1);

    // Same squares, other turn, rights and en passant file: the same entry.
    Board black = FromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b - e3 0 1");
    EXPECT_TRUE(FindOpening(*book, black));
    AddOpening(*book, black);
    EXPECT_EQ(book->EntryCount, 1);

    // One square different is another position.
    Board other = FromFen("rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 1");
    EXPECT_FALSE(FindOpening(*book, other));
    AddOpening(*book, other);
    EXPECT_EQ(book->EntryCount, 2);
    EXPECT_TRUE(FindOpening(*book, white));
    EXPECT_TRUE(FindOpening(*book, other));
}

TEST(OpeningBook, FullBookRefusesMore) {
    auto book = NewBook();
    for (int n = 0; n < OpeningBookSize; ++n) AddOpening(*book, Numbered(n));
    ASSERT_EQ(book->EntryCount, OpeningBookSize);
    const Board extra = Numbered(OpeningBookSize);
    AddOpening(*book, extra);
    EXPECT_EQ(book->EntryCount, OpeningBookSize);
    EXPECT_FALSE(FindOpening(*book, extra));
    EXPECT_TRUE(FindOpening(*book, Numbered(OpeningBookSize - 1)));
}

TEST(OpeningBook, ClearingForgetsEveryEntry) {
    auto book = NewBook();
    AddOpening(*book, Numbered(1));
    AddOpening(*book, Numbered(2));
    ClearOpenings(*book);
    EXPECT_EQ(book->EntryCount, 0);
    EXPECT_FALSE(FindOpening(*book, Numbered(1)));
    AddOpening(*book, Numbered(2));
    EXPECT_EQ(book->EntryCount, 1);
}

TEST(OpeningBook, DamagedCountStaysInsideTheTable) {
    auto book = NewBook();
    for (int n = 0; n < OpeningBookSize; ++n) AddOpening(*book, Numbered(n));
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
