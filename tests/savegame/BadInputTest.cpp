// Damaged and hostile files: the two named errors and every limit of the reader.
#include <filesystem>

#include "tests/savegame/SaveTestUtil.h"

namespace {

// `records` short-layout positions of a king each, ending with "END" unless `end` is false.
std::string KingRecords(int records, bool end = true) {
    std::string text;
    for (int i = 0; i < records; ++i)
        text += "0000k000 00000000 00000000 00000000 00000000 00000000 00000000 0000K000 1 " +
                std::string(i + 1 < records ? "-"
                            : end           ? "END"
                                            : "") +
                "\n";
    return text;
}

// Whether a refused load left the game exactly as it was.
bool Untouched(const Game& game) {
    const Game before;
    return game.Live == before.Live && *game.Positions == *before.Positions;
}

TEST(BadInput, RefusedFilesLeaveTheGameUntouched) {
    const std::string game = GameText("b1c3 b8c6 c3b1"), first = GameText("");
    const auto invalid = [](const char* v) {
        return std::string(1, '\'').append(v).append("' is not a valid integer value");
    };
    const std::string range = "Range check error",
                      tooLong = "The file holds a word longer than 1023 characters.",
                      cutShort = "The file ends before its first position is complete.";
    const struct {
        std::string Text, Message;
    } files[] = {
        // A short row word, even after whole records.
        {Replace(game, "RNBQKBNR", "RNBQKBN", 2), range},
        {Replace(KingRecords(1), "0000k000", "0000k00"), range},
        {std::string("\0\xff\x01 ok", 6), range},
        {Replace(game, "Repetition1=0", "Repetition1=x1", 3), invalid("x1")},
        {Replace(game, "ep1=-1", "ep1=", 1), invalid("")},
        {Replace(game, "Recent1.X1=-1", "Recent1.X1=2147483648", 1), invalid("2147483648")},
        {Replace(game, "Repetition2=0", "Repetition2=+-1", 1), invalid("+-1")},
        {Replace(game, "Repetition2=0", "Repetition2=0x10", 1), invalid("0x10")},
        // A word cut off by the end of the file is read as it stands.
        {first.substr(0, first.find("Recent2") + 4), invalid("")},
        {first.substr(0, first.find("Recent2")), cutShort},
        {"", cutShort},
        {"BQ", cutShort},
        {Replace(KingRecords(1), "0000K000", "0000K000" + std::string(1016, 'x')), tooLong},
        {std::string(5'000'000, 'Q'), tooLong},
    };
    for (const auto& file : files) {
        const Game after(file.Text);
        EXPECT_FALSE(after.Result.Loaded) << file.Message;
        EXPECT_EQ(after.Result.Message, file.Message);
        EXPECT_TRUE(Untouched(after)) << file.Message;
    }
}

TEST(BadInput, DamagedFilesKeepTheirWholePositions) {
    // Cut inside the third record: the first two are whole.
    std::string cut = GameText("b1c3 b8c6 c3b1 c6b8");
    cut.resize(cut.find("Bored50", cut.find("CONTINUE", cut.find("CONTINUE") + 1)));
    const auto endsBefore = [](int n) {
        return "The file ends before \"END\"; its first " + std::to_string(n) +
               " positions were loaded.";
    };
    const struct {
        std::string Text;
        int Count;
        std::string Message;
        int LastOutcome;
    } files[] = {
        {cut, 2, endsBefore(2), InProgress},
        {KingRecords(3, false), 3, endsBefore(3), InProgress},
        // The longest word allowed.
        {Replace(KingRecords(1), "0000K000", "0000K000" + std::string(1015, 'x')), 1, "",
         InProgress},
        // No room for a further move: the last position ends the game, as a game move would.
        {KingRecords(HistorySize), HistorySize, "", Drawn},
        {KingRecords(HistorySize + 5), HistorySize,
         "The file holds more than 1024 positions; its first 1024 were loaded.", Drawn},
        // Every character unknown: empty squares, no kings; still a position the rules can take.
        {"!!!!!!!! ######## ++++++++ -------- ........ ,,,,,,,, @@@@@@@@ ******** 99 END", 1, "",
         Drawn},
    };
    for (const auto& file : files) {
        const Game game(file.Text);
        SCOPED_TRACE(file.Text.substr(0, 40));
        EXPECT_TRUE(game.Result.Loaded);
        EXPECT_EQ(game.Result.Message, file.Message);
        EXPECT_EQ(std::tie(game.Positions->Count, game.Positions->Stored),
                  std::make_tuple(file.Count, file.Count));
        EXPECT_EQ(game.Live.Outcome, file.LastOutcome);
        EXPECT_EQ(
            std::memcmp(game.Live.Squares, game[file.Count - 1].Squares, sizeof game.Live.Squares),
            0);
    }
}

TEST(BadInput, MissingOrUnreadableFile) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    for (const std::string& path : {folder + "/brisko-no-such-game.bch", folder}) {
        Game game;
        const LoadResult result = LoadGame(path, *game.Positions, game.Live);
        EXPECT_FALSE(result.Loaded);
        EXPECT_EQ(result.Message, "Cannot open the file \"" + path + "\".");
        EXPECT_TRUE(Untouched(game));
    }
}

} // namespace
