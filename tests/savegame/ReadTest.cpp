// The reader's rules: both layouts, words, key skipping, flags, integers and the side to move.
#include "tests/savegame/SaveTestUtil.h"

namespace {

// A game of two moves: three positions.
const std::string& ThreeText() {
    static const std::string text = GameText("e2e4 c7c5");
    return text;
}

// Reads a file that must load without a message.
Game Loaded(const std::string& text) {
    Game game(text);
    EXPECT_TRUE(game.Result.Loaded && game.Result.Message.empty()) << game.Result.Message;
    return game;
}

const std::string InitialRows = "rnbqkbnr pppppppp 00000000 00000000 00000000 00000000 "
                                "PPPPPPPP RNBQKBNR ";

TEST(Read, ShortLayoutTakesNewBoardValuesForWhatItLacks) {
    // Row words are cut to eight; an unknown character keeps what the scratch board held.
    const Game game = Loaded("rnbqkbnr pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                             "RNBQKBN! 1 next "
                             "!nbqkbnr pp0ppppp 00000000 00p00000 0000P000 00000000 PPPP0PPP "
                             "RNBQKBNRXYZ 1 END");
    ASSERT_EQ(game.Positions->Count, 2);
    for (int i = 0; i < 2; ++i) {
        const Board& b = game[i];
        EXPECT_TRUE(b.QueenCastle1 && b.QueenCastle2 && b.KingCastle2);
        EXPECT_EQ(b.KingCastle1, i == 1); // cleared while no rook stands on h1
        EXPECT_EQ(std::tie(b.ep1, b.ep2, b.Bored50, b.Recent1.X1, b.PenRecent2.X1, b.PlyCount),
                  std::make_tuple(-1, -1, 0, NoMove, NoMove, 0));
    }
    EXPECT_EQ(std::tie(game[0].Squares[7][7], game[1].Squares[0][0], game[1].Squares[7][7],
                       game[1].Squares[2][3], game[1].Squares[4][4], game.Live.ToPlay),
              std::make_tuple(Empty, -Rook, Rook, -Pawn, Pawn, White));
}

TEST(Read, SpacingKeyNamesAndSeparatorsDoNotMatter) {
    // Every letter before an "=" becomes a Z: keys are skipped by their length.
    std::string renamed = ThreeText();
    for (auto eq = renamed.find('='); eq != std::string::npos; eq = renamed.find('=', eq + 1))
        for (auto i = renamed.rfind('\n', eq) + 1; i < eq; ++i) renamed[i] = 'Z';
    const std::string variants[] = {
        renamed,
        "\n\t " + Replace(ThreeText(), "\r\n", "\n") + "\n",
        Replace(ThreeText(), "\r\n", "\r\n\r\n  \t"),
        Replace(ThreeText(), "\r\n", " \v\f "),
        Replace(Replace(ThreeText(), "CONTINUE", "x"), "END", "END\r\nrubbish never read"),
    };
    for (const std::string& text : variants) EXPECT_EQ(Loaded(text).Text(), ThreeText()) << text;
}

#define FIELD(f) [](const Board& b) -> int64_t { return b.f; }

TEST(Read, FlagsIntegersAndEnPassantFiles) {
    const struct {
        const char *From, *To;
        int64_t (*Field)(const Board&);
        int64_t Expected;
    } edits[] = {
        // Only a capital T is true.
        {"QueenCastle1=T", "QueenCastle1=", FIELD(QueenCastle1), false},
        {"QueenCastle1=T", "QueenCastle1=t", FIELD(QueenCastle1), false},
        {"QueenCastle1=T", "QueenCastle1=TT", FIELD(QueenCastle1), false},
        {"RepStale=F", "RepStale=T", FIELD(RepStale), true},
        // Integers take a sign and leading zeros, and the whole 32-bit range; the draw counters
        // are then clamped into the range a game gives them.
        {"Bored50=0", "Bored50=+7", FIELD(Bored50), 7},
        {"Bored50=0", "Bored50=-0012", FIELD(Bored50), 0},
        {"Bored50=0", "Bored50=51", FIELD(Bored50), 50},
        {"Repetition1=0", "Repetition1=-2147483648", FIELD(Repetition1), 0},
        {"Repetition2=0", "Repetition2=2147483647", FIELD(Repetition2), 4},
        {"Recent2.Y2=0", "Recent2.Y2=2147483647", FIELD(Recent2.Y2), 2147483647},
        // A key one letter short lends its value's first character to the key.
        {"ep1=-1", "ep=-1", FIELD(ep1), 1},
        // En passant files stay on the board; move fields are only compared, so any value stays.
        {"ep1=-1", "ep1=8", FIELD(ep1), -1},
        {"ep2=-1", "ep2=-5", FIELD(ep2), -1},
        // The draw counters read from the file decide the outcome.
        {"Bored50=0", "Bored50=50", FIELD(Outcome), Drawn},
    };
    for (const auto& edit : edits) {
        const std::string text = Replace(ThreeText(), edit.From, edit.To);
        ASSERT_NE(text, ThreeText()) << edit.From;
        EXPECT_EQ(edit.Field(Loaded(text)[0]), edit.Expected) << edit.To;
    }
}

TEST(Read, SideToMoveIsNeverAnError) {
    const std::string waiting = "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 "
                                "0000K0p0 ";
    // Out of range, or a choice with no pawn waiting for it: a plain turn.
    const struct {
        std::string Rows, Word;
        int Expected;
    } sides[] = {{InitialRows, "2", Black},
                 {InitialRows, "two", White},
                 {InitialRows, "7", White},
                 {InitialRows, "3", White},
                 {waiting, "4", BlackChooses}};
    for (const auto& side : sides)
        EXPECT_EQ(Loaded(side.Rows + side.Word + " END").Live.ToPlay, side.Expected) << side.Word;
}

TEST(Read, LoadedPositionsAreJudgedLikeGameMoves) {
    // White a queen up; Black to move and mated; White to move and stalemated; a choice due.
    const Game game = Loaded("rnb0kbnr pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                             "RNBQKBNR 2 - "
                             "rnb0kbnr pppp0ppp 00000000 0000p000 000000Pq 00000P00 PPPPP00P "
                             "RNBQKBNR 1 - "
                             "0000000k 00000Q00 000000K0 00000000 00000000 00000000 00000000 "
                             "00000000 2 - "
                             "P000k000 00000000 00000000 00000000 00000000 00000000 00000000 "
                             "0000K000 3 END");
    EXPECT_EQ(std::tie(game[0].Material, game[0].Outcome), std::make_tuple(900, InProgress));
    EXPECT_EQ(std::tie(game[1].Material, game[1].Outcome, game[1].CheckStatus),
              std::make_tuple(0, 2, White));
    EXPECT_EQ(game[2].Outcome, Drawn);
    EXPECT_EQ(std::tie(game[3].Outcome, game[3].ToPlay), std::make_tuple(InProgress, WhiteChooses));
    EXPECT_EQ(game.Live.LegalCount, 4);
}

} // namespace
