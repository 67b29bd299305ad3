// Damaged and hostile files: the two named errors and every limit of the reader.
#include "SaveTestUtil.h"

namespace {

// A game in progress, as the window holds it before a load; refused loads must leave it be.
struct Before {
    Board Live{};
    std::unique_ptr<History> Positions = NewGame(Live);
    Before() { Play(Live, *Positions, {"d2d4", "d7d5"}); }

    LoadResult Read(const std::string& text) { return ReadText(text, *Positions, Live); }

    void ExpectRefusedUntouched(const std::string& text, const std::string& message) {
        const auto live = Bytes(Live);
        const auto history = Bytes(*Positions);
        const LoadResult result = Read(text);
        EXPECT_FALSE(result.Loaded);
        EXPECT_EQ(result.Message, message);
        EXPECT_EQ(Bytes(Live), live);
        EXPECT_EQ(Bytes(*Positions), history);
    }
};

std::string Replace(std::string text, const std::string& from, const std::string& to,
                    int occurrence = 1) {
    std::size_t at = 0;
    for (int i = 0; i < occurrence; ++i) at = text.find(from, i == 0 ? 0 : at + 1);
    return text.replace(at, from.size(), to);
}

std::string GameText(int moves) {
    Board board{};
    auto history = NewGame(board);
    const char* shuffle[4] = {"b1c3", "b8c6", "c3b1", "c6b8"};
    for (int i = 0; i < moves; ++i) Play(board, *history, {shuffle[i % 4]});
    return SavedGameText(*history);
}

// `records` short-layout positions, each a king each, ending with `end`.
std::string ShortRecords(int records, const std::string& end = "END") {
    std::string text;
    for (int i = 0; i < records; ++i)
        text += "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 0000K000 1 " +
                std::string(i + 1 == records ? end : "-") + "\n";
    return text;
}

TEST(BadInput, ShortRowWordIsARangeCheckError) {
    Before game;
    game.ExpectRefusedUntouched(Replace(GameText(3), "RNBQKBNR", "RNBQKBN", 2),
                                "Range check error");
    game.ExpectRefusedUntouched(ShortRecords(1).replace(0, 8, "0000k00"), "Range check error");
}

TEST(BadInput, KeyValueThatIsNoIntegerNamesTheValue) {
    Before game;
    const std::string text = GameText(3);
    game.ExpectRefusedUntouched(Replace(text, "Repetition1=0", "Repetition1=x1", 3),
                                "'x1' is not a valid integer value");
    game.ExpectRefusedUntouched(Replace(text, "ep1=-1", "ep1="), "'' is not a valid integer value");
    game.ExpectRefusedUntouched(Replace(text, "Recent1.X1=-1", "Recent1.X1=2147483648"),
                                "'2147483648' is not a valid integer value");
    game.ExpectRefusedUntouched(Replace(text, "Repetition2=0", "Repetition2=+-1"),
                                "'+-1' is not a valid integer value");
    game.ExpectRefusedUntouched(Replace(text, "Repetition2=0", "Repetition2=0x10"),
                                "'0x10' is not a valid integer value");
}

TEST(BadInput, FileEndingBeforeEndKeepsWholePositionsOnly) {
    // Cut inside the third record: the first two are whole.
    std::string text = GameText(4);
    text.resize(text.find("Bored50", text.find("CONTINUE", text.find("CONTINUE") + 1)));
    Before game;
    LoadResult result = game.Read(text);
    EXPECT_TRUE(result.Loaded);
    EXPECT_EQ(result.Message, "The file ends before \"END\"; its first 2 positions were loaded.");
    EXPECT_EQ(game.Positions->Count, 2);
    EXPECT_EQ(game.Positions->Stored, 2);
    EXPECT_EQ(game.Live.Squares[2][5], Knight);

    // A whole last record with no "END" after it.
    result = game.Read(ShortRecords(3).substr(0, ShortRecords(3).size() - 4));
    EXPECT_TRUE(result.Loaded);
    EXPECT_EQ(game.Positions->Count, 3);

    // Nothing whole at all.
    const std::string cutShort = "The file ends before its first position is complete.";
    game.ExpectRefusedUntouched("", cutShort);
    game.ExpectRefusedUntouched(" \r\n\t", cutShort);
    game.ExpectRefusedUntouched("BQ", cutShort);
    const std::string first = GameText(0);
    game.ExpectRefusedUntouched(first.substr(0, first.find("Recent2")), cutShort);
    // A word cut off by the end of the file is read as it stands.
    game.ExpectRefusedUntouched(first.substr(0, first.find("Recent2") + 4),
                                "'' is not a valid integer value");
}

TEST(BadInput, MoreRecordsThanTheHistoryHolds) {
    Before game;
    LoadResult result = game.Read(ShortRecords(HistorySize));
    EXPECT_TRUE(result.Loaded);
    EXPECT_EQ(result.Message, "");
    EXPECT_EQ(game.Positions->Count, HistorySize);
    // No room for a further move: the last position ends the game, as a game move would.
    EXPECT_EQ(game.Live.Outcome, Drawn);
    EXPECT_EQ(game.Positions->Snapshots[HistorySize - 2].Outcome, InProgress);

    result = game.Read(ShortRecords(HistorySize + 5));
    EXPECT_TRUE(result.Loaded);
    EXPECT_EQ(result.Message,
              "The file holds more than 1024 positions; its first 1024 were loaded.");
    EXPECT_EQ(game.Positions->Count, HistorySize);
    EXPECT_EQ(game.Positions->Stored, HistorySize);
}

TEST(BadInput, WordsLongerThan1023CharactersAreRefused) {
    Before game;
    const std::string longest(1023 - 8, 'x');
    LoadResult result = game.Read(Replace(ShortRecords(1), "0000K000", "0000K000" + longest));
    EXPECT_TRUE(result.Loaded) << result.Message;
    EXPECT_EQ(game.Live.Squares[4][7], King);

    Before other;
    other.ExpectRefusedUntouched(Replace(ShortRecords(1), "0000K000", "0000K000x" + longest),
                                 "The file holds a word longer than 1023 characters.");
    other.ExpectRefusedUntouched(std::string(5'000'000, 'Q'),
                                 "The file holds a word longer than 1023 characters.");
}

TEST(BadInput, GarbageStopsCleanly) {
    Before game;
    game.ExpectRefusedUntouched(std::string("\0\xff\x01 ok", 6), "Range check error");
    game.ExpectRefusedUntouched("BQ BQ BQ BQ BQ BQ BQ BQ BQ", "Range check error");
    // Every character unknown: empty squares, no kings; still a position the rules can take.
    const LoadResult result = game.Read("!!!!!!!! ######## ++++++++ -------- ........ ,,,,,,,, "
                                        "@@@@@@@@ ******** 99 END");
    EXPECT_TRUE(result.Loaded);
    EXPECT_EQ(game.Live.ToPlay, White);
    EXPECT_EQ(game.Live.Outcome, Drawn);
}

TEST(BadInput, MissingOrUnreadableFile) {
    ScratchFolder folder;
    Before game;
    const auto live = Bytes(game.Live);
    for (const std::string& path : {folder.File("missing.bch"), folder.Path.string()}) {
        const LoadResult result = LoadGame(path, *game.Positions, game.Live);
        EXPECT_FALSE(result.Loaded);
        EXPECT_EQ(result.Message, "Cannot open the file \"" + path + "\".");
        EXPECT_EQ(Bytes(game.Live), live);
    }
}

} // namespace
