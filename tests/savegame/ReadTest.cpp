// The reader's rules: both layouts, words, key skipping, flags, integers and the side to move.
#include <algorithm>

#include "SaveTestUtil.h"

namespace {

// Replaces every occurrence of `from`.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The saved text of a game of two moves: three positions.
std::string ThreePositions() {
    Board board{};
    auto history = NewGame(board);
    Play(board, *history, {"e2e4", "c7c5"});
    return SavedGameText(*history);
}

struct Loaded {
    std::unique_ptr<History> Positions = std::make_unique<History>();
    Board Shown{};
    LoadResult Result;
    explicit Loaded(const std::string& text) {
        Result = ReadText(text, *Positions, Shown);
        EXPECT_TRUE(Result.Loaded) << Result.Message;
    }
    const Board& operator[](int i) const { return Positions->Snapshots[i]; }
};

const std::string InitialRows = "rnbqkbnr pppppppp 00000000 00000000 00000000 00000000 "
                                "PPPPPPPP RNBQKBNR ";

TEST(Read, ShortLayoutTakesNewBoardValuesForWhatItLacks) {
    const Loaded game(InitialRows + "1 next " +
                      "rnbqkbnr pp0ppppp 00000000 00p00000 0000P000 00000000 PPPP0PPP "
                      "RNBQKBNR 1 END");
    ASSERT_EQ(game.Positions->Count, 2);
    EXPECT_EQ(game.Result.Message, "");
    for (int i = 0; i < 2; ++i) {
        const Board& b = game[i];
        EXPECT_TRUE(b.QueenCastle1 && b.KingCastle1 && b.QueenCastle2 && b.KingCastle2);
        EXPECT_EQ(b.ep1, -1);
        EXPECT_EQ(b.ep2, -1);
        EXPECT_EQ(b.Bored50, 0);
        EXPECT_EQ(b.Recent1.X1, NoMove);
        EXPECT_EQ(b.PenRecent2.X1, NoMove);
        EXPECT_EQ(b.PlyCount, 0);
    }
    EXPECT_EQ(game[1].Squares[2][3], -Pawn);
    EXPECT_EQ(game[1].Squares[4][4], Pawn);
    EXPECT_EQ(game.Shown.ToPlay, White);
}

TEST(Read, KeysAreSkippedByLengthNotCompared) {
    const std::string real = ThreePositions();
    std::string renamed = real;
    // Every letter before an "=" becomes a Z: same lengths, other text.
    for (std::size_t eq = renamed.find('='); eq != std::string::npos;
         eq = renamed.find('=', eq + 1))
        for (std::size_t i = renamed.rfind('\n', eq) + 1; i < eq; ++i) renamed[i] = 'Z';
    ASSERT_NE(renamed, real);
    const Loaded a(real), b(renamed);
    ASSERT_EQ(b.Positions->Count, 3);
    for (int i = 0; i < 3; ++i) ExpectSamePosition(a[i], b[i], i);

    // A key one letter short lends its value's first character to the key.
    const Loaded shorter(ReplaceAll(real, "ep2=-1", "ep=-1"));
    EXPECT_EQ(shorter[0].ep2, 1);
}

TEST(Read, OnlyACapitalTIsTrue) {
    const std::string text = ThreePositions();
    for (const std::string flag : {"QueenCastle1=F", "QueenCastle1=", "QueenCastle1=t",
                                   "QueenCastle1=TT", "QueenCastle1=yes"}) {
        const Loaded game(ReplaceAll(text, "QueenCastle1=T", flag));
        EXPECT_FALSE(game[0].QueenCastle1) << flag;
    }
    const Loaded game(ReplaceAll(text, "RepStale=F", "RepStale=T"));
    EXPECT_TRUE(game[2].RepStale);
}

TEST(Read, IntegersTakeASignButNothingElse) {
    const std::string text = ThreePositions();
    EXPECT_EQ(Loaded(ReplaceAll(text, "Bored50=0", "Bored50=+7"))[0].Bored50, 7);
    EXPECT_EQ(Loaded(ReplaceAll(text, "Bored50=0", "Bored50=-0012"))[0].Bored50, -12);
    EXPECT_EQ(Loaded(ReplaceAll(text, "Repetition1=0", "Repetition1=-2147483648"))[0].Repetition1,
              -2147483648LL);
    EXPECT_EQ(Loaded(ReplaceAll(text, "Recent2.Y2=0", "Recent2.Y2=2147483647"))[0].Recent2.Y2,
              2147483647);
}

TEST(Read, AnySeparatorContinuesAndOnlyEndEnds) {
    std::string text = ReplaceAll(ThreePositions(), "CONTINUE", "x");
    text = ReplaceAll(text, "END", "END\r\nrubbish that is never read");
    const Loaded game(text);
    EXPECT_EQ(game.Positions->Count, 3);
    EXPECT_EQ(game.Result.Message, "");
}

TEST(Read, AnyWhiteSpaceSplitsWords) {
    const std::string crlf = ThreePositions();
    const Loaded a(crlf);
    for (const std::string& breakText :
         {std::string("\n"), std::string("\r\n\r\n  \t"), std::string(" \v\f ")}) {
        const Loaded b("\n\t " + ReplaceAll(crlf, "\r\n", breakText) + "\n");
        ASSERT_EQ(b.Positions->Count, 3);
        for (int i = 0; i < 3; ++i) ExpectSamePosition(a[i], b[i], i);
    }
}

TEST(Read, UnknownRowCharactersKeepTheSquare) {
    // "!" on an empty scratch board is empty; in the next record it keeps the earlier piece.
    const Loaded game("!nbqkbnr pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                      "RNBQKBN! 1 - "
                      "rnbqkbnrXYZ pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                      "RNBQKBN! 2 END");
    EXPECT_EQ(game[0].Squares[0][0], Empty);
    EXPECT_EQ(game[0].Squares[7][7], Empty);
    EXPECT_EQ(game[1].Squares[0][0], -Rook);
    EXPECT_EQ(game[1].Squares[7][7], Empty);
    EXPECT_EQ(game[1].ToPlay, Black);
}

TEST(Read, SideToMoveIsNeverAnError) {
    auto side = [](const std::string& word, const std::string& rows = InitialRows) {
        return Loaded(rows + word + " END").Shown.ToPlay;
    };
    EXPECT_EQ(side("2"), Black);
    EXPECT_EQ(side("+2"), Black);
    EXPECT_EQ(side("two"), White);
    // Out of range, or a choice with no pawn waiting for it: a plain turn.
    EXPECT_EQ(side("7"), White);
    EXPECT_EQ(side("-2"), White);
    EXPECT_EQ(side("3"), White);
    EXPECT_EQ(side("4"), Black);
    const std::string waiting = "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 "
                                "0000K0p0 ";
    EXPECT_EQ(side("4", waiting), BlackChooses);
}

TEST(Read, EnPassantFilesStayOnTheBoard) {
    const std::string text = ThreePositions();
    EXPECT_EQ(Loaded(ReplaceAll(text, "ep1=-1", "ep1=8"))[0].ep1, -1);
    EXPECT_EQ(Loaded(ReplaceAll(text, "ep2=-1", "ep2=-5"))[0].ep2, -1);
    EXPECT_EQ(Loaded(ReplaceAll(text, "ep2=-1", "ep2=7"))[0].ep2, 7);
    // Move fields are only ever compared, so any value is kept.
    EXPECT_EQ(Loaded(ReplaceAll(text, "Recent1.Y1=0", "Recent1.Y1=-40"))[0].Recent1.Y1, -40);
}

TEST(Read, LoadedPositionsAreJudgedLikeGameMoves) {
    // White a queen up; Black to move and mated; White to move and stalemated; a choice due.
    const Loaded game("rnb0kbnr pppppppp 00000000 00000000 00000000 00000000 PPPPPPPP "
                      "RNBQKBNR 2 - "
                      "rnb0kbnr pppp0ppp 00000000 0000p000 000000Pq 00000P00 PPPPP00P "
                      "RNBQKBNR 1 - "
                      "0000000k 00000Q00 000000K0 00000000 00000000 00000000 00000000 "
                      "00000000 2 - "
                      "P000k000 00000000 00000000 00000000 00000000 00000000 00000000 "
                      "0000K000 3 END");
    EXPECT_EQ(game[0].Material, 900);
    EXPECT_EQ(game[0].Outcome, InProgress);
    EXPECT_EQ(game[1].Material, 0);
    EXPECT_EQ(game[1].Outcome, 2);
    EXPECT_EQ(game[1].CheckStatus, White);
    EXPECT_EQ(game[2].Outcome, Drawn);
    EXPECT_EQ(game[3].Outcome, InProgress);
    EXPECT_EQ(game[3].ToPlay, WhiteChooses);
    EXPECT_EQ(game.Shown.LegalCount, 4);

    // The draw counters read from the file decide too.
    std::string text = ThreePositions();
    const Loaded bored(ReplaceAll(text, "Bored50=0", "Bored50=50"));
    EXPECT_EQ(bored[0].Outcome, Drawn);
}

} // namespace
