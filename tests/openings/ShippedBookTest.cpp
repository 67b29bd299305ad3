// The opening book that ships with the game.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "notation/Fen.h"
#include "openings/Openingu.h"
#include "tests/common/ScratchFolder.h"

TEST(ShippedBook, IsReadWholeAndHoldsTheCommonOpenings) {
    const char* const path = BRISKO_SOURCE_DIR "/assets/Openings.grd";
    auto book = std::make_unique<OpeningBook>();
    LoadOpenings(*book, path);
    ASSERT_GE(book->EntryCount, 300);
    // Writing it again gives the same bytes: nothing in it is ignored.
    EXPECT_EQ(WriteOpenings(*book), ReadBytes(path));

    for (const char* fen : {
             "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1",        // 1.e4
             "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 1",        // 1.d4
             "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2",      // Sicilian
             "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3", // Ruy Lopez
         }) {
        Board board{};
        std::string error;
        ASSERT_TRUE(ReadFen(fen, board, error)) << error;
        EXPECT_TRUE(FindOpening(*book, board)) << fen;
    }
    Board initial{};
    SetUpBoard(initial);
    EXPECT_FALSE(FindOpening(*book, initial)); // no move leads to it
}
